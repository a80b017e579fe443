#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double RateAtC2 = 8287.0;

double VoiceWave(const Voice& voice, double phase, double progress)
{
    double sum = 0;
    for (std::size_t h = 0; h < voice.Harmonics.size(); ++h)
        sum += voice.Harmonics[h] * std::exp(-static_cast<double>(h) * voice.Damping * progress) *
               std::sin(2 * Pi * static_cast<double>(h + 1) * phase);
    return sum;
}

double PeakOfFirstCycle(const Voice& voice)
{
    double peak = 1e-9;
    for (int i = 0; i < voice.Period; ++i)
        peak = std::max(peak, std::abs(VoiceWave(voice, double(i) / voice.Period, 0)));
    return peak;
}

int8_t ToSample(double v) { return static_cast<int8_t>(std::clamp(std::lround(v), -127L, 127L)); }

// A one-shot drum: `sound` gives the level at each time; a one-pole
// low-pass softens kits that are not bright, and the last milliseconds fade
// so the drum never ends on a step.
template <typename Sound>
Instrument Drum(const char* name, double rate, double seconds, const DrumKit& kit, Sound sound)
{
    Instrument instrument{name, {0, 0}, kit.Volume, 0, 0};
    const int length = static_cast<int>(seconds * rate) & ~1;
    const double alpha = 1 - std::exp(-2 * Pi * (1500 + 6000 * kit.Brightness) / rate);
    double filtered = 0;
    for (int i = 0; i < length; ++i) {
        filtered += alpha * (sound(i / rate) - filtered);
        const double tail = std::min(1.0, (length - i) / (0.004 * rate));
        instrument.Data.push_back(ToSample(118 * filtered * tail));
    }
    return instrument;
}

}  // namespace

Instrument TonalInstrument(const char* name, const Voice& voice)
{
    const double peak = PeakOfFirstCycle(voice);
    Instrument instrument{name, {0, 0}, voice.Volume, 0, 0};
    const int cycles = voice.DecayCycles + voice.LoopCycles;
    for (int i = 0; i < cycles * voice.Period; ++i) {
        const double t = double(i) / voice.Period;
        const double progress = std::min(1.0, t / voice.DecayCycles);
        const double sustain = voice.LoopCycles > 0 ? voice.Sustain : 0.004;
        const double level = std::pow(sustain, progress) * std::min(1.0, t * 4);
        instrument.Data.push_back(ToSample(110 * level * VoiceWave(voice, t - std::floor(t), progress) / peak));
    }
    if (voice.LoopCycles > 0) {
        instrument.LoopStart = 2 + static_cast<std::size_t>(voice.DecayCycles * voice.Period);
        instrument.LoopLength = static_cast<std::size_t>(voice.LoopCycles * voice.Period);
    }
    return instrument;
}

Instrument Kick(const DrumKit& kit)
{
    Rng rng(11);
    double phase = 0;
    return Drum("kick", RateAtC2, 0.4, kit, [&](double t) {
        phase += 2 * Pi * (kit.KickTo + (kit.KickFrom - kit.KickTo) * std::exp(-t / 0.03)) / RateAtC2;
        const double click = t < 0.006 ? kit.KickClick * rng.Between(-1, 1) * (1 - t / 0.006) : 0;
        return std::sin(phase) * std::exp(-t / kit.KickDecay) + click;
    });
}

Instrument Snare(const DrumKit& kit)
{
    Rng rng(12);
    double previous = 0;
    return Drum("snare", RateAtC2, 0.3, kit, [&](double t) {
        const double noise = rng.Between(-1, 1);
        const double wires = kit.SnareNoise * (noise - 0.5 * previous) * std::exp(-t / kit.SnareDecay);
        previous = noise;
        const double body = (1 - kit.SnareNoise) * std::sin(2 * Pi * kit.SnareTone * t) * std::exp(-t / 0.04);
        return 0.9 * (wires + body);
    });
}

Instrument Hat(const DrumKit& kit)
{
    Rng rng(13);
    double previous = 0;
    return Drum("hat", 2 * RateAtC2, std::max(0.05, kit.HatDecay * 5), kit, [&](double t) {
        const double noise = rng.Between(-1, 1);
        const double v = (noise - previous) / 2 * std::exp(-t / kit.HatDecay);
        previous = noise;
        return v;
    });
}

}  // namespace mkassets
