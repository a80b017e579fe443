// Short effects, each a sum of a few layers: band-limited tones gliding in
// pitch and filtered noise bursts, each with a quick attack, an exponential
// decay and an optional filter sweep. Every effect is levelled by one rule:
// its role's loudness, a fixed number of decibels under the explosions, the
// loudest sounds of the game. So a collision never outshouts an explosion,
// the weapons sit under both, and the HUD's clicks stay quiet. Every tail
// fades to silence before the wave ends.
#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Files.h"
#include "Loudness.h"
#include "Noise.h"

namespace mkassets {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = 22050;

enum class Wave { Sine, Square, Saw, Triangle, Noise };
enum class Pass { None, LowPass, BandPass, HighPass };

struct Tone {
    Wave Shape;
    double StartHz;  // the pitch glides exponentially from StartHz to EndHz
    double EndHz;
    double Start;    // seconds into the effect
    double Length;   // seconds
    double Attack;   // seconds of linear rise
    double Decay;    // time constant of the fall, seconds
    double Level;
    Pass Filter = Pass::None;
    double CutFrom = 0;  // the filter's corner or centre glides from CutFrom to CutTo, Hz
    double CutTo = 0;
    double Q = 0.7;
    double Wobble = 0;  // vibrato rate in Hz, 0 = none
};

// What an effect is for, and so how loud it is: decibels under the
// explosions' loudness.
enum class Role { Explosion, Collision, Weapon, Message, Interface };

constexpr double ExplosionLufs = -14;

double RoleLufs(Role role)
{
    switch (role) {
    case Role::Explosion: return ExplosionLufs;
    case Role::Collision: return ExplosionLufs - 4;
    case Role::Weapon: return ExplosionLufs - 5;
    case Role::Message: return ExplosionLufs - 7;
    case Role::Interface: return ExplosionLufs - 10;
    }
    return ExplosionLufs;
}

struct SoundEffect {
    std::string File;
    Role Use;
    std::vector<Tone> Tones;
};

// The correction that takes the step out of a naive saw or square wave where
// it jumps, so that high notes do not fold back as whistles.
double PolyBlep(double p, double dp)
{
    if (p < dp) {
        const double t = p / dp;
        return t + t - t * t - 1;
    }
    if (p > 1 - dp) {
        const double t = (p - 1) / dp;
        return t * t + t + t + 1;
    }
    return 0;
}

double Oscillator(Wave shape, double phase, double step, Rng& rng)
{
    const double p = phase - std::floor(phase);
    switch (shape) {
    case Wave::Sine: return std::sin(2 * Pi * p);
    case Wave::Square: {
        const double half = p + 0.5 - std::floor(p + 0.5);
        return (p < 0.5 ? 1 : -1) + PolyBlep(p, step) - PolyBlep(half, step);
    }
    case Wave::Saw: return 2 * p - 1 - PolyBlep(p, step);
    case Wave::Triangle: return 4 * std::abs(p - 0.5) - 1;
    case Wave::Noise: return rng.Between(-1, 1);
    }
    return 0;
}

// A state-variable filter in its trapezoidal form: stable at any corner.
class SweptFilter {
public:
    SweptFilter(Pass pass, double q) : pass_(pass), k_(1 / q) {}
    double Run(double in, double hz)
    {
        if (pass_ == Pass::None)
            return in;
        const double g = std::tan(Pi * std::min(hz, 0.45 * Rate) / Rate);
        const double a1 = 1 / (1 + g * (g + k_));
        const double v3 = in - ic2_;
        const double v1 = a1 * ic1_ + g * a1 * v3;
        const double v2 = ic2_ + g * a1 * ic1_ + g * g * a1 * v3;
        ic1_ = 2 * v1 - ic1_;
        ic2_ = 2 * v2 - ic2_;
        switch (pass_) {
        case Pass::LowPass: return v2;
        case Pass::BandPass: return v1;
        default: return in - k_ * v1 - v2;
        }
    }

private:
    Pass pass_;
    double k_;
    double ic1_ = 0;
    double ic2_ = 0;
};

double Glide(double from, double to, double t) { return from * std::pow(to / from, t); }

void AddTone(std::vector<double>& mix, const Tone& tone, uint32_t seed)
{
    Rng rng(seed);
    SweptFilter filter(tone.Filter, tone.Q);
    const int first = static_cast<int>(tone.Start * Rate);
    const int count = static_cast<int>(tone.Length * Rate);
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / Rate;
        double hz = Glide(tone.StartHz, tone.EndHz, t / tone.Length);
        if (tone.Wobble > 0)
            hz *= 1 + 0.06 * std::sin(2 * Pi * tone.Wobble * t);
        const double step = hz / Rate;
        phase += step;
        const double cut = tone.Filter == Pass::None ? 0 : Glide(tone.CutFrom, tone.CutTo, t / tone.Length);
        const double v = filter.Run(Oscillator(tone.Shape, phase, step, rng), cut);
        const double rise = tone.Attack > 0 ? std::min(1.0, t / tone.Attack) : 1;
        const double release = std::min(1.0, (count - i) / (0.005 * Rate));
        mix[static_cast<std::size_t>(first + i)] += tone.Level * v * rise * release * std::exp(-t / tone.Decay);
    }
}

// The first millisecond fades in, so that the wave never clicks when it
// starts; the tail fades out along a half cosine over the last third of the
// wave (at most 150 ms), so that whatever is still sounding dies away to
// silence instead of stopping dead.
void FadeEdges(std::vector<double>& mix)
{
    const std::size_t in = Rate / 1000;
    const std::size_t out = std::max<std::size_t>(1, std::min(mix.size() / 3, static_cast<std::size_t>(Rate * 0.15)));
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double fadeIn = std::min(1.0, static_cast<double>(i) / in);
        const double left = static_cast<double>(mix.size() - 1 - i) / static_cast<double>(out);
        const double fadeOut = left >= 1.0 ? 1.0 : 0.5 - 0.5 * std::cos(Pi * left);
        mix[i] *= std::min(fadeIn, fadeOut);
    }
}

// Brings the mix to its loudness. Where that would push a peak past 0.9 of
// full scale, the peaks are rounded off softly and the level taken again, so
// that nothing clips.
void Level(std::vector<double>& mix, double lufs)
{
    constexpr double Ceiling = 0.9;
    for (int pass = 0; pass < 12; ++pass) {
        const double gain = std::pow(10.0, (lufs - EffectLoudness(mix, Rate)) / 20);
        double peak = 0;
        for (double& v : mix) {
            v *= gain;
            peak = std::max(peak, std::abs(v));
        }
        if (peak <= Ceiling)
            return;
        for (double& v : mix)
            v = Ceiling * std::tanh(v / Ceiling);
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
    FadeEdges(mix);
    Level(mix, RoleLufs(effect.Use));
    std::vector<int16_t> samples;
    for (const double v : mix)
        samples.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
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

// Columns: wave, from Hz, to Hz, start, length, attack, decay, level, then
// filter, its corner from and to, its Q, and a vibrato rate.
std::vector<SoundEffect> HudEffects()
{
    return {
        {"menu1.wav", Role::Interface,
         {{Wave::Sine, 880, 1175, 0, 0.09, 0.004, 0.05, 1}, {Wave::Sine, 1760, 2350, 0, 0.06, 0.003, 0.03, 0.25}}},
        {"btn_click.wav", Role::Interface,
         {{Wave::Triangle, 1800, 900, 0, 0.035, 0.001, 0.01, 1},
          {Wave::Noise, 1, 1, 0, 0.012, 0.0005, 0.003, 0.6, Pass::BandPass, 3500, 2500, 1.5}}},
        {"btn_disabled.wav", Role::Interface,
         {{Wave::Square, 110, 104, 0, 0.2, 0.005, 0.2, 1, Pass::LowPass, 900, 500},
          {Wave::Square, 116.5, 110, 0, 0.2, 0.005, 0.2, 0.8, Pass::LowPass, 900, 500}}},
        // A soft falling two-note chime: it calls for attention without
        // shouting over the game.
        {"message_alert.wav", Role::Message,
         {{Wave::Triangle, 880, 880, 0, 0.16, 0.004, 0.09, 1, Pass::LowPass, 1800, 1800},
          {Wave::Sine, 440, 440, 0, 0.16, 0.004, 0.09, 0.5},
          {Wave::Triangle, 659, 659, 0.15, 0.24, 0.004, 0.12, 1, Pass::LowPass, 1500, 1500},
          {Wave::Sine, 330, 330, 0.15, 0.24, 0.004, 0.12, 0.5}}},
        {"message_info.wav", Role::Message,
         {{Wave::Sine, 660, 660, 0, 0.25, 0.005, 0.12, 1},
          {Wave::Sine, 990, 990, 0.09, 0.3, 0.005, 0.15, 1},
          {Wave::Sine, 1980, 1980, 0.09, 0.2, 0.005, 0.08, 0.2}}},
        {"planet_select.wav", Role::Interface,
         {{Wave::Sine, 400, 1300, 0, 0.16, 0.005, 0.2, 1},
          {Wave::Triangle, 1300, 1500, 0.12, 0.14, 0.002, 0.06, 0.5}}},
    };
}

// An explosion in three layers: the crack of the blast, a band of noise
// falling from bright to dull as the fireball swells, and a low thump; then
// as many bursts of debris as the blast throws.
struct Blast {
    double CrackHz;     // centre of the crack's noise
    double BodyFromHz;  // the body's band falls from here ...
    double BodyToHz;    // ... to here
    double BodyLength;
    double BodyDecay;
    double ThumpHz;     // the thump starts here and falls an octave
    double ThumpLength;
    int Debris;         // short bright bursts after the blast, 0 = none
};

SoundEffect Explosion(const std::string& file, const Blast& blast)
{
    SoundEffect effect{file, Role::Explosion,
                       {{Wave::Noise, 1, 1, 0, 0.04, 0.0005, 0.008, 0.9, Pass::HighPass, blast.CrackHz, blast.CrackHz},
                        {Wave::Noise, 1, 1, 0.005, blast.BodyLength, 0.004, blast.BodyDecay, 2.2, Pass::BandPass,
                         blast.BodyFromHz, blast.BodyToHz, 1.1},
                        {Wave::Sine, blast.ThumpHz, blast.ThumpHz / 2, 0, blast.ThumpLength, 0.002,
                         blast.ThumpLength / 3, 0.9}}};
    for (int k = 0; k < blast.Debris; ++k) {
        const double at = 0.05 + 0.07 * k + 0.013 * (k % 3);
        const double hz = 2600 + 900 * (k % 4);
        effect.Tones.push_back({Wave::Noise, 1, 1, at, 0.05, 0.0005, 0.012, 0.7 - 0.08 * k, Pass::BandPass, hz, hz * 0.7, 2});
    }
    return effect;
}

std::vector<SoundEffect> CombatEffects()
{
    return {
        // Hulls meeting: a dull knock, nearly all of it low.
        {"collision.wav", Role::Collision,
         {{Wave::Sine, 120, 62, 0, 0.45, 0.002, 0.16, 1},
          {Wave::Noise, 1, 1, 0, 0.4, 0.002, 0.12, 2.5, Pass::BandPass, 100, 70, 3},
          {Wave::Noise, 1, 1, 0, 0.02, 0.0005, 0.005, 0.15, Pass::HighPass, 1500, 1500},
          {Wave::Sine, 340, 330, 0, 0.12, 0.001, 0.04, 0.08}}},
        // A sharp bang, a deep rolling boom, and a crackle of debris.
        Explosion("small_explosion_1.wav", {3500, 3000, 600, 0.35, 0.07, 140, 0.2, 0}),
        Explosion("small_explosion_2.wav", {1200, 700, 90, 1.1, 0.35, 55, 0.9, 0}),
        Explosion("small_explosion_3.wav", {2500, 1800, 400, 0.5, 0.1, 90, 0.3, 6}),
    };
}

// A rail shot: the crack of the slug leaving, a metallic ring of the rails
// (partials that are no harmonics of each other) and the whoosh of the air
// it drags, a falling band of noise.
SoundEffect RailShot(const std::string& file, double p)
{
    return {file, Role::Weapon,
            {{Wave::Noise, 1, 1, 0, 0.03, 0.0005, 0.006, 1, Pass::HighPass, 3000, 3000},
             {Wave::Sine, 1870 * p, 1860 * p, 0, 0.4, 0.001, 0.12, 0.35},
             {Wave::Sine, 2790 * p, 2775 * p, 0, 0.3, 0.001, 0.08, 0.25},
             {Wave::Sine, 4010 * p, 3990 * p, 0, 0.2, 0.001, 0.05, 0.15},
             {Wave::Noise, 1, 1, 0.01, 0.4, 0.03, 0.14, 1.6, Pass::BandPass, 4000 * p, 400 * p, 1.4}}};
}

// A weapon sounds by the look of its shots (the catalogue's "type"): a beam
// zaps, a pellet pops, a plasma knot wobbles down; a beam that hits very
// hard is a rail gun. Later entries of the catalogue sound a little deeper,
// so no two weapons sound alike.
SoundEffect WeaponEffect(const WeaponEntry& weapon, std::size_t index)
{
    constexpr int RailDamage = 100;
    const double p = std::pow(0.85, static_cast<double>(index));
    const std::string file = weapon.Name + ".wav";
    switch (weapon.Type) {
    case 1:
        return {file, Role::Weapon,
                {{Wave::Square, 700 * p, 420 * p, 0, 0.09, 0.001, 0.04, 1, Pass::LowPass, 3000, 1500},
                 {Wave::Sine, 1400 * p, 900 * p, 0, 0.06, 0.001, 0.03, 0.5}}};
    case 2:
        return {file, Role::Weapon,
                // A knot of plasma: a wobbling saw over a deep sine body that
                // falls with it, and a sizzle of bright noise round both.
                {{Wave::Saw, 320 * p, 90 * p, 0, 0.35, 0.005, 0.15, 1, Pass::LowPass, 1800, 600, 1.2, 30},
                 {Wave::Sine, 160 * p, 70 * p, 0, 0.4, 0.004, 0.18, 1.1, Pass::None, 0, 0, 0.7, 12},
                 {Wave::Triangle, 480 * p, 180 * p, 0, 0.3, 0.004, 0.12, 0.5},
                 {Wave::Noise, 1, 1, 0, 0.3, 0.002, 0.1, 0.6, Pass::BandPass, 3500, 1200, 1.3}}};
    default:
        if (weapon.Damage >= RailDamage)
            return RailShot(file, p);
        return {file, Role::Weapon,
                {{Wave::Saw, 1800 * p, 300 * p, 0, 0.2, 0.001, 0.09, 1, Pass::LowPass, 5000, 1500},
                 {Wave::Square, 2400 * p, 600 * p, 0, 0.12, 0.001, 0.05, 0.4, Pass::LowPass, 6000, 2000}}};
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
