#include "Instruments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "Noise.h"

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double RateAtC2 = 8287.0;
constexpr double RateAtC3 = 2 * RateAtC2;
constexpr double RateAtB3 = 3546894.6 / 113;  // the player's clock over the note's period
constexpr int Cycle = 32;
constexpr double TonalPeak = 124;  // of the 127 a byte holds, for the looped voices
constexpr int HighestHarmonic = Cycle / 2 - 1;

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
// low-pass at `cutoff` Hz softens it, and the last milliseconds fade so the
// drum never ends on a step.
template <typename Sound>
Instrument Drum(const char* name, double rate, double seconds, double cutoff, const DrumKit& kit, Sound sound)
{
    Instrument instrument{name, {0, 0}, kit.Volume, 0, 0};
    const int length = static_cast<int>(seconds * rate) & ~1;
    const double alpha = 1 - std::exp(-2 * Pi * std::min(cutoff, 0.45 * rate) / rate);
    double filtered = 0;
    for (int i = 0; i < length; ++i) {
        filtered += alpha * (sound(i / rate) - filtered);
        const double tail = std::min(1.0, (length - i) / (0.004 * rate));
        instrument.Data.push_back(ToSample(118 * filtered * tail));
    }
    return instrument;
}

// The cutoff of a kit's skins: bright kits let more of the noise through.
double SkinCutoff(const DrumKit& kit) { return 1500 + 6000 * kit.Brightness; }

// Noise with its lows taken out by two first differences, for the metal of
// hats and cymbals and the breath of winds and voices.
class Hiss {
public:
    explicit Hiss(uint32_t seed) : rng_(seed) {}
    double Next()
    {
        const double noise = rng_.Between(-1, 1);
        const double once = noise - previous_;
        const double twice = once - previousOnce_;
        previous_ = noise;
        previousOnce_ = once;
        return twice / 4;
    }

private:
    Rng rng_;
    double previous_ = 0;
    double previousOnce_ = 0;
};

// A stretch of hiss that repeats every `length` samples, so that a loop of
// that length carries it without a seam.
std::vector<double> HissLoop(uint32_t seed, std::size_t length)
{
    Hiss hiss(seed);
    std::vector<double> loop(std::max<std::size_t>(length, 1));
    for (double& v : loop)
        v = hiss.Next();
    return loop;
}

double Harmonic(int h, double phase) { return std::sin(2 * Pi * h * phase); }

double PhaseOf(double t) { return t - std::floor(t); }

// Samples `wave(t, progress)` over the tone's frame (t in cycles from the
// start, progress 0..1 through the decay, 1 through the loop) under the
// tone's envelope, and scales its peak to that of the plain voices.
template <typename Wave>
Instrument Shaped(const char* name, const Tone& tone, Wave wave)
{
    const int cycles = tone.DecayCycles + tone.LoopCycles;
    const double sustain = tone.LoopCycles > 0 ? tone.Sustain : 0.004;
    std::vector<double> levels;
    double peak = 1e-9;
    for (int i = 0; i < cycles * Cycle; ++i) {
        const double t = double(i) / Cycle;
        const double progress = std::min(1.0, t / tone.DecayCycles);
        const double tail = tone.LoopCycles > 0 ? 1 : std::min(1.0, (cycles - t) / 8);
        levels.push_back(std::pow(sustain, progress) * std::min(1.0, t * 4) * tail * wave(t, progress));
        peak = std::max(peak, std::abs(levels.back()));
    }
    Instrument instrument{name, {0, 0}, tone.Volume, 0, 0};
    for (const double level : levels)
        instrument.Data.push_back(ToSample(TonalPeak * level / peak));
    if (tone.LoopCycles > 0) {
        instrument.LoopStart = 2 + static_cast<std::size_t>(tone.DecayCycles * Cycle);
        instrument.LoopLength = static_cast<std::size_t>(tone.LoopCycles * Cycle);
    }
    return instrument;
}

// The loop's hiss at time t of a tone.
double HissAt(const std::vector<double>& loop, double t)
{
    return loop[static_cast<std::size_t>(std::lround(t * Cycle)) % loop.size()];
}

std::size_t LoopBytes(const Tone& tone) { return static_cast<std::size_t>(std::max(tone.LoopCycles, 1) * Cycle); }

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
        instrument.Data.push_back(ToSample(TonalPeak * level * VoiceWave(voice, t - std::floor(t), progress) / peak));
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
    return Drum("kick", RateAtC2, 0.4, SkinCutoff(kit), kit, [&](double t) {
        phase += 2 * Pi * (kit.KickTo + (kit.KickFrom - kit.KickTo) * std::exp(-t / 0.03)) / RateAtC2;
        const double click = t < 0.006 ? kit.KickClick * rng.Between(-1, 1) * (1 - t / 0.006) : 0;
        return std::sin(phase) * std::exp(-t / kit.KickDecay) + click;
    });
}

Instrument Snare(const DrumKit& kit)
{
    Rng rng(12);
    double previous = 0;
    return Drum("snare", RateAtC3, 0.3, SkinCutoff(kit), kit, [&](double t) {
        const double noise = rng.Between(-1, 1);
        const double wires = kit.SnareNoise * (noise - 0.5 * previous) * std::exp(-t / kit.SnareDecay);
        previous = noise;
        const double body = (1 - kit.SnareNoise) * std::sin(2 * Pi * kit.SnareTone * t) * std::exp(-t / 0.04);
        return 0.9 * (wires + body);
    });
}

// A hat: hiss with a ring of six metallic partials between 3 and 10 kHz;
// softer kits dull it a little.
Instrument Hat(const DrumKit& kit)
{
    Hiss hiss(13);
    constexpr std::array<double, 6> Metal{3140, 4410, 5270, 6930, 8190, 9720};
    const double cutoff = 9000 + 5000 * kit.Brightness;
    return Drum("hat", RateAtB3, std::max(0.05, kit.HatDecay * 5), cutoff, kit, [&](double t) {
        double ring = 0;
        for (const double hz : Metal)
            ring += std::sin(2 * Pi * hz * t) / Metal.size();
        return (2.4 * hiss.Next() + 0.6 * ring) * std::exp(-t / kit.HatDecay);
    });
}

Instrument Ride(const DrumKit& kit)
{
    Hiss hiss(14);
    constexpr std::array<double, 8> Metal{2870, 3610, 4130, 5340, 6170, 7260, 8850, 10380};
    return Drum("ride", RateAtB3, 0.9, 12000, kit, [&](double t) {
        double ring = 0;
        for (std::size_t i = 0; i < Metal.size(); ++i)
            ring += std::sin(2 * Pi * Metal[i] * t + double(i)) * std::exp(-t / (0.35 - 0.02 * double(i)));
        const double ping = std::sin(2 * Pi * 1180 * t) * std::exp(-t / 0.05);
        return 0.25 * ring + 0.3 * ping + 1.2 * hiss.Next() * std::exp(-t / 0.25);
    });
}

Instrument Pluck(const char* name, const Tone& tone, double brightness)
{
    Rng rng(21);
    const double tilt = 1.5 - 0.7 * brightness;
    const double dulling = 0.1 + 0.4 * (1 - brightness);
    return Shaped(name, tone, [&](double t, double progress) {
        double sum = 0;
        for (int h = 1; h <= HighestHarmonic; ++h)
            sum += std::pow(h, -tilt) * std::exp(-(h - 1) * dulling * 4 * progress) * Harmonic(h, PhaseOf(t));
        const double pick = t < 2 ? brightness * 0.6 * rng.Between(-1, 1) * (1 - t / 2) : 0;
        return sum + pick;
    });
}

Instrument Glass(const char* name, const Tone& tone, int ratio, double depth)
{
    return Shaped(name, tone, [&](double t, double progress) {
        const double phase = PhaseOf(t);
        const double index = depth * (1.0 / 3 + 2.0 / 3 * std::exp(-5 * progress));
        return std::sin(2 * Pi * phase + index * std::sin(2 * Pi * ratio * phase));
    });
}

Instrument Flute(const char* name, const Tone& tone, double breath)
{
    constexpr std::array<double, 5> Harmonics{1, 0.32, 0.14, 0.06, 0.03};
    const std::vector<double> air = HissLoop(22, LoopBytes(tone));
    return Shaped(name, tone, [&](double t, double progress) {
        double sum = 0;
        for (std::size_t h = 0; h < Harmonics.size(); ++h)
            sum += Harmonics[h] * Harmonic(static_cast<int>(h) + 1, PhaseOf(t));
        const double chiff = 1 + 3 * std::pow(1 - progress, 8);
        return sum + breath * chiff * HissAt(air, t);
    });
}

Instrument Choir(const char* name, const Tone& tone)
{
    // Each voice comes round a whole number of times in the loop: one more
    // or one fewer than the middle voice.
    const double spread = 1.0 / std::max(tone.LoopCycles, 1);
    std::array<double, HighestHarmonic> vowel{};
    for (int h = 1; h <= 14; ++h)
        vowel[static_cast<std::size_t>(h - 1)] = std::exp(-std::pow((h - 3) / 1.5, 2)) +
                                                 0.6 * std::exp(-std::pow((h - 8) / 2.0, 2)) +
                                                 0.35 * std::exp(-std::pow((h - 12) / 1.5, 2)) + 0.3 / h;
    return Shaped(name, tone, [&](double t, double progress) {
        double sum = 0;
        for (const double pitch : {1.0, 1 + spread, 1 - spread})
            for (int h = 1; h <= 14; ++h)
                sum += vowel[static_cast<std::size_t>(h - 1)] * Harmonic(h, PhaseOf(t * pitch));
        return std::min(1.0, 0.15 + progress * 3) * sum;
    });
}

Instrument SweptPulse(const char* name, const Tone& tone, double sweep)
{
    const double loop = std::max(tone.LoopCycles, 1);
    return Shaped(name, tone, [&](double t, double progress) {
        const double width = 0.5 - 0.42 * sweep * (0.5 - 0.5 * std::cos(2 * Pi * t / loop));
        const double phase = PhaseOf(t - width / 2);
        double sum = 0;
        for (int h = 1; h <= HighestHarmonic; ++h)
            sum += std::sin(Pi * h * width) / h * std::exp(-(h - 1) * 0.06 * progress) *
                   std::cos(2 * Pi * h * phase);
        return sum;
    });
}

Instrument SingingVoice(const char* name, const Tone& tone)
{
    std::array<double, HighestHarmonic> formants{};
    for (int h = 1; h <= HighestHarmonic; ++h)
        formants[static_cast<std::size_t>(h - 1)] =
            std::pow(h, -0.8) * (0.6 + 2 * std::exp(-std::pow((h - 2) / 1.0, 2)) +
                                 1.4 * std::exp(-std::pow((h - 6) / 1.5, 2)) + std::exp(-std::pow((h - 11) / 2.0, 2)));
    const std::vector<double> air = HissLoop(23, LoopBytes(tone));
    return Shaped(name, tone, [&](double t, double progress) {
        double sum = 0;
        for (int h = 1; h <= HighestHarmonic; ++h)
            sum += formants[static_cast<std::size_t>(h - 1)] * Harmonic(h, PhaseOf(t));
        return std::min(1.0, 0.1 + progress * 5) * (sum + 0.5 * HissAt(air, t));
    });
}

Instrument Bell(const char* name, int decayCycles, int volume)
{
    struct Partial {
        double Ratio, Level;
    };
    constexpr std::array<Partial, 9> Partials{{{0.5, 0.45},
                                               {1, 1},
                                               {1.19, 0.55},
                                               {1.5, 0.3},
                                               {2, 0.65},
                                               {2.51, 0.25},
                                               {3.01, 0.3},
                                               {4.16, 0.2},
                                               {5.43, 0.14}}};
    return Shaped(name, {decayCycles, 0, 0, volume}, [&](double t, double progress) {
        double sum = 0;
        for (const Partial& p : Partials)
            sum += p.Level * std::exp(-2 * (p.Ratio - 0.5) * progress) * std::sin(2 * Pi * p.Ratio * t);
        const double strike = t < 1.5 ? 0.3 * std::sin(2 * Pi * 7.3 * t) * (1 - t / 1.5) : 0;
        return sum + strike;
    });
}

}  // namespace mkassets
