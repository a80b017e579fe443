#include "Loudness.h"

#include <algorithm>
#include <cmath>

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;

// The shelf: +4 dB above about 1.7 kHz.
Biquad Shelf(int rate)
{
    const double k = std::tan(Pi * 1681.974450955533 / rate);
    const double q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

// The high-pass at about 38 Hz.
Biquad HighPass(int rate)
{
    const double k = std::tan(Pi * 38.13547087602444 / rate);
    const double q = 0.5003270373238773;
    const double a0 = 1 + k / q + k * k;
    return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

double Lufs(double meanSquare) { return -0.691 + 10 * std::log10(std::max(meanSquare, 1e-12)); }

// Mean square of each 400 ms block, stepping by 100 ms.
std::vector<double> BlockPowers(const std::vector<double>& weighted, int rate)
{
    const std::size_t block = static_cast<std::size_t>(rate) * 4 / 10;
    const std::size_t step = block / 4;
    std::vector<double> powers;
    for (std::size_t start = 0; start + block <= weighted.size(); start += step) {
        double sum = 0;
        for (std::size_t i = start; i < start + block; ++i)
            sum += weighted[i] * weighted[i];
        powers.push_back(sum / static_cast<double>(block));
    }
    return powers;
}

}  // namespace

void Filter(std::vector<double>& signal, const Biquad& f)
{
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : signal) {
        const double y = f.B0 * v + f.B1 * x1 + f.B2 * x2 - f.A1 * y1 - f.A2 * y2;
        x2 = x1;
        x1 = v;
        y2 = y1;
        y1 = y;
        v = y;
    }
}

std::vector<double> KWeighted(std::span<const double> samples, int rate)
{
    std::vector<double> signal(samples.begin(), samples.end());
    Filter(signal, Shelf(rate));
    Filter(signal, HighPass(rate));
    return signal;
}

double EffectLoudness(std::span<const double> samples, int rate)
{
    const std::vector<double> weighted = KWeighted(samples, rate);
    const std::size_t window = std::min(weighted.size(), static_cast<std::size_t>(rate) * 4 / 10);
    if (window == 0)
        return Lufs(0);
    double sum = 0;
    for (std::size_t i = 0; i < window; ++i)
        sum += weighted[i] * weighted[i];
    double loudest = sum;
    for (std::size_t i = window; i < weighted.size(); ++i) {
        sum += weighted[i] * weighted[i] - weighted[i - window] * weighted[i - window];
        loudest = std::max(loudest, sum);
    }
    return Lufs(loudest / static_cast<double>(window));
}

double IntegratedLoudness(std::span<const double> left, std::span<const double> right, int rate)
{
    const std::vector<double> l = BlockPowers(KWeighted(left, rate), rate);
    const std::vector<double> r = BlockPowers(KWeighted(right, rate), rate);
    std::vector<double> blocks;
    for (std::size_t i = 0; i < std::min(l.size(), r.size()); ++i)
        if (Lufs(l[i] + r[i]) > -70)
            blocks.push_back(l[i] + r[i]);
    if (blocks.empty())
        return Lufs(0);
    double mean = 0;
    for (const double b : blocks)
        mean += b / static_cast<double>(blocks.size());
    const double gate = Lufs(mean) - 10;
    double sum = 0;
    int kept = 0;
    for (const double b : blocks)
        if (Lufs(b) > gate) {
            sum += b;
            ++kept;
        }
    return Lufs(sum / std::max(kept, 1));
}

}  // namespace mkassets
