// Short effects, each a sum of a few swept tones or filtered noise bursts
// with a quick attack and an exponential decay, normalised to a loudness.
#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Files.h"
#include "Noise.h"

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = 22050;

enum class Wave { Sine, Square, Saw, Triangle, Noise };

struct Tone {
    Wave Shape;
    double StartHz;  // the pitch glides exponentially from StartHz to EndHz
    double EndHz;
    double Start;    // seconds into the effect
    double Length;   // seconds
    double Attack;   // seconds of linear rise
    double Decay;    // time constant of the fall, seconds
    double Level;
    double Cutoff = 0;  // one-pole low-pass in Hz, 0 = none
    double Wobble = 0;  // vibrato rate in Hz, 0 = none
};

struct SoundEffect {
    std::string File;
    double Loudness;  // peak level, 0..1
    std::vector<Tone> Tones;
};

double Oscillator(Wave shape, double phase, Rng& rng)
{
    const double p = phase - std::floor(phase);
    switch (shape) {
    case Wave::Sine: return std::sin(2 * Pi * p);
    case Wave::Square: return p < 0.5 ? 1 : -1;
    case Wave::Saw: return 2 * p - 1;
    case Wave::Triangle: return 4 * std::abs(p - 0.5) - 1;
    case Wave::Noise: return rng.Between(-1, 1);
    }
    return 0;
}

void AddTone(std::vector<double>& mix, const Tone& tone, uint32_t seed)
{
    Rng rng(seed);
    const int first = static_cast<int>(tone.Start * Rate);
    const int count = static_cast<int>(tone.Length * Rate);
    const double alpha = tone.Cutoff > 0 ? 1 - std::exp(-2 * Pi * tone.Cutoff / Rate) : 1;
    double phase = 0;
    double filtered = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / Rate;
        double hz = tone.StartHz * std::pow(tone.EndHz / tone.StartHz, t / tone.Length);
        if (tone.Wobble > 0)
            hz *= 1 + 0.06 * std::sin(2 * Pi * tone.Wobble * t);
        phase += hz / Rate;
        filtered += alpha * (Oscillator(tone.Shape, phase, rng) - filtered);
        const double rise = tone.Attack > 0 ? std::min(1.0, t / tone.Attack) : 1;
        const double release = std::min(1.0, (count - i) / (0.005 * Rate));
        mix[static_cast<std::size_t>(first + i)] += tone.Level * filtered * rise * release * std::exp(-t / tone.Decay);
    }
}

std::vector<int16_t> Render(const SoundEffect& effect)
{
    double seconds = 0;
    for (const Tone& tone : effect.Tones)
        seconds = std::max(seconds, tone.Start + tone.Length);
    std::vector<double> mix(static_cast<std::size_t>(seconds * Rate) + 2, 0.0);
    uint32_t seed = 1;
    for (const char c : effect.File)
        seed = seed * 31 + static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < effect.Tones.size(); ++i)
        AddTone(mix, effect.Tones[i], seed + static_cast<uint32_t>(i));
    double peak = 1e-9;
    for (const double v : mix)
        peak = std::max(peak, std::abs(v));
    std::vector<int16_t> samples;
    for (const double v : mix)
        samples.push_back(static_cast<int16_t>(std::lround(v / peak * effect.Loudness * 32767)));
    return samples;
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// RIFF WAVE, PCM, one channel of 16-bit samples.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples)
{
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
    PutLittleEndian(out, 36 + dataBytes, 4);
    for (const char c : std::string("WAVEfmt "))
        out.push_back(static_cast<uint8_t>(c));
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, Rate, 4);
    PutLittleEndian(out, Rate * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    for (const char c : std::string("data"))
        out.push_back(static_cast<uint8_t>(c));
    PutLittleEndian(out, dataBytes, 4);
    for (const int16_t s : samples)
        PutLittleEndian(out, static_cast<uint16_t>(s), 2);
    return out;
}

// Columns: wave, from Hz, to Hz, start, length, attack, decay, level, low-pass, vibrato.
std::vector<SoundEffect> HudEffects()
{
    return {
        {"menu1.wav", 0.45,
         {{Wave::Sine, 880, 1046, 0, 0.09, 0.003, 0.05, 1}, {Wave::Sine, 1760, 2093, 0, 0.06, 0.002, 0.03, 0.3}}},
        {"btn_click.wav", 0.5,
         {{Wave::Triangle, 1600, 700, 0, 0.035, 0.001, 0.012, 1},
          {Wave::Noise, 1, 1, 0, 0.012, 0, 0.003, 0.5, 4000}}},
        {"btn_disabled.wav", 0.5,
         {{Wave::Square, 110, 105, 0, 0.2, 0.005, 0.2, 1, 900}, {Wave::Square, 117, 112, 0, 0.2, 0.005, 0.2, 0.8, 900}}},
        {"message_alert.wav", 0.55,
         {{Wave::Square, 988, 988, 0, 0.11, 0.003, 0.2, 1, 3000},
          {Wave::Square, 740, 740, 0.13, 0.11, 0.003, 0.2, 1, 3000},
          {Wave::Square, 988, 988, 0.26, 0.11, 0.003, 0.2, 1, 3000}}},
        {"message_info.wav", 0.5,
         {{Wave::Sine, 660, 660, 0, 0.25, 0.005, 0.12, 1},
          {Wave::Sine, 990, 990, 0.09, 0.3, 0.005, 0.15, 1},
          {Wave::Sine, 1980, 1980, 0.09, 0.2, 0.005, 0.08, 0.2}}},
        {"planet_select.wav", 0.5,
         {{Wave::Sine, 400, 1300, 0, 0.16, 0.005, 0.2, 1},
          {Wave::Triangle, 1300, 1500, 0.12, 0.14, 0.002, 0.06, 0.5}}},
    };
}

std::vector<SoundEffect> CombatEffects()
{
    return {
        {"collision.wav", 0.85,
         {{Wave::Noise, 1, 1, 0, 0.45, 0.001, 0.15, 1, 500}, {Wave::Sine, 90, 35, 0, 0.35, 0.001, 0.12, 1}}},
        {"small_explosion_1.wav", 0.8,
         {{Wave::Noise, 1, 1, 0, 0.5, 0.001, 0.14, 1, 1200}, {Wave::Sine, 70, 30, 0, 0.3, 0.001, 0.1, 0.7}}},
        {"small_explosion_2.wav", 0.8,
         {{Wave::Noise, 1, 1, 0, 0.7, 0.001, 0.22, 1, 700}, {Wave::Noise, 1, 1, 0.05, 0.3, 0.02, 0.08, 0.5, 3000}}},
        {"small_explosion_3.wav", 0.8,
         {{Wave::Noise, 1, 1, 0, 0.4, 0.001, 0.09, 1, 2200},
          {Wave::Sine, 120, 40, 0, 0.25, 0.001, 0.08, 0.8},
          {Wave::Noise, 1, 1, 0.12, 0.4, 0.01, 0.12, 0.6, 600}}},
    };
}

// A weapon sounds by the look of its shots (the catalogue's "type"): a beam
// zaps, a pellet pops, a plasma knot wobbles down. Later entries of the
// catalogue sound a little deeper, so no two weapons sound alike.
SoundEffect WeaponEffect(const WeaponEntry& weapon, std::size_t index)
{
    const double p = std::pow(0.85, static_cast<double>(index));
    const std::string file = weapon.Name + ".wav";
    switch (weapon.Type) {
    case 1:
        return {file, 0.5,
                {{Wave::Square, 700 * p, 420 * p, 0, 0.09, 0.001, 0.04, 1, 3000},
                 {Wave::Sine, 1400 * p, 900 * p, 0, 0.06, 0.001, 0.03, 0.5}}};
    case 2:
        return {file, 0.6,
                {{Wave::Saw, 320 * p, 90 * p, 0, 0.35, 0.005, 0.15, 1, 1800, 30},
                 {Wave::Noise, 1, 1, 0, 0.25, 0.002, 0.08, 0.5, 2500}}};
    default:
        return {file, 0.55,
                {{Wave::Saw, 1800 * p, 300 * p, 0, 0.2, 0.001, 0.09, 1, 5000},
                 {Wave::Square, 2400 * p, 600 * p, 0, 0.12, 0.001, 0.05, 0.4, 6000}}};
    }
}

void Write(const std::filesystem::path& folder, const SoundEffect& effect)
{
    WriteBytes(folder / effect.File, EncodeWave(Render(effect)));
}

}  // namespace

void WriteSounds(const std::filesystem::path& sfx, const Catalogue& catalogue)
{
    for (const SoundEffect& effect : HudEffects())
        Write(sfx / "hud", effect);
    for (const SoundEffect& effect : CombatEffects())
        Write(sfx / "weapon", effect);
    for (std::size_t i = 0; i < catalogue.Weapons.size(); ++i)
        Write(sfx / "weapon", WeaponEffect(catalogue.Weapons[i], i));
}

}  // namespace mkassets
