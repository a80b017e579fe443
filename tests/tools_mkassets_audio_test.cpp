// Checks of the generated sounds as a player hears them: modules the game's
// player loads, in a song form of several patterns, two minutes or more
// before they jump back to their loop; every wave levelled to its place in
// the game's loudness order, silent at both ends, never clipped; and the
// loudness meter that levels them reading a reference tone right. (Ten
// minutes of each module through the decoder: tools/musiccheck.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Loudness.h"
#include "platform/Audio.h"
#include "support/DataFiles.h"

namespace {

namespace fs = std::filesystem;
using kv::testing::Big16;
using kv::testing::GameDir;
using kv::testing::Little;
using kv::testing::ReadBytes;

constexpr double Pi = 3.14159265358979323846;
constexpr std::array<const char*, 4> Modules{"load.mod", "track1.mod", "combat.mod", "intro.mod"};

struct ModuleWalk {
    std::size_t SampleBytes = 0;
    std::size_t StoredPatterns = 0;
    std::size_t DistinctPatterns = 0;  // among those the order list plays
    double SecondsBeforeLoop = 0;      // from the start to the jump back
    bool Loops = false;                // a jump back to an earlier order entry
};

constexpr std::size_t OrderTable = 952;
constexpr std::size_t FirstPattern = 1084;
constexpr std::size_t PatternBytes = 1024;

// Plays the order list as a player does, following the speed, tempo and
// position-jump effects, until the song ends or jumps back.
ModuleWalk WalkModule(const std::vector<uint8_t>& b)
{
    ModuleWalk walk;
    for (std::size_t i = 0; i < 31; ++i) {
        const std::size_t header = 20 + 30 * i;
        const std::size_t length = Big16(b, header + 22) * 2;
        const std::size_t loopStart = Big16(b, header + 26) * 2;
        const std::size_t loopLength = Big16(b, header + 28) * 2;
        EXPECT_LE(b[header + 25], 64) << "volume of instrument " << i + 1;
        if (loopLength > 2) {
            EXPECT_LE(loopStart + loopLength, length) << "loop of instrument " << i + 1;
        }
        walk.SampleBytes += length;
    }
    const std::size_t songLength = b[950];
    walk.StoredPatterns = *std::max_element(b.begin() + OrderTable, b.begin() + OrderTable + 128) + 1u;
    std::set<std::vector<uint8_t>> distinct;
    for (std::size_t order = 0; order < songLength; ++order) {
        const auto first = b.begin() + static_cast<std::ptrdiff_t>(FirstPattern + b[OrderTable + order] * PatternBytes);
        distinct.insert(std::vector<uint8_t>(first, first + PatternBytes));
    }
    walk.DistinctPatterns = distinct.size();
    int speed = 6;
    int tempo = 125;
    for (std::size_t order = 0; order < songLength && !walk.Loops;) {
        std::size_t next = order + 1;
        for (std::size_t row = 0; row < 64 && next == order + 1; ++row) {
            for (std::size_t channel = 0; channel < 4; ++channel) {
                const std::size_t cell = FirstPattern + b[OrderTable + order] * PatternBytes + row * 16 + channel * 4;
                const int effect = b[cell + 2] & 0x0F;
                const int parameter = b[cell + 3];
                if (effect == 0xF && parameter > 0)
                    (parameter < 32 ? speed : tempo) = parameter;
                if (effect == 0xB)
                    next = static_cast<std::size_t>(parameter);
            }
            walk.SecondsBeforeLoop += speed * 2.5 / tempo;
        }
        walk.Loops = next <= order;
        order = next;
    }
    return walk;
}

TEST(Modules, PlayTwoToThreeMinutesOfSeveralPatternsThenLoop)
{
    for (const char* name : Modules) {
        const std::vector<uint8_t> b = ReadBytes(GameDir / "res/sfx/sndtr" / name);
        ASSERT_GT(b.size(), FirstPattern) << name;
        EXPECT_EQ(std::string(b.begin() + 1080, b.begin() + 1084), "M.K.") << name;
        const ModuleWalk walk = WalkModule(b);
        EXPECT_EQ(b.size(), FirstPattern + walk.StoredPatterns * PatternBytes + walk.SampleBytes) << name;
        EXPECT_GE(walk.DistinctPatterns, 8u) << name;
        EXPECT_TRUE(walk.Loops) << name << " ends instead of looping";
        EXPECT_GE(walk.SecondsBeforeLoop, 120.0) << name;
        EXPECT_LE(walk.SecondsBeforeLoop, 180.0) << name;
    }
}

TEST(Modules, LoadInTheGamesPlayer)
{
    kv::Audio audio;
    if (!audio.Open())
        GTEST_SKIP() << "no audio device, not even the dummy one";
    for (const char* name : Modules)
        EXPECT_TRUE(audio.LoadMusic((GameDir / "res/sfx/sndtr" / name).string())) << name;
}

TEST(Modules, AreDifferentSongs)
{
    const auto title = ReadBytes(GameDir / "res/sfx/sndtr/load.mod");
    for (const char* name : {"track1.mod", "combat.mod", "intro.mod"})
        EXPECT_NE(ReadBytes(GameDir / "res/sfx/sndtr" / name), title) << name;
}

struct ModuleInstrument {
    std::string Name;
    std::vector<int8_t> Data;
    std::size_t LoopStart = 0;
    std::size_t LoopLength = 0;  // 2 or less: plays once
};

// The instruments of a module with their sample data, which follows the
// patterns.
std::vector<ModuleInstrument> Instruments(const std::vector<uint8_t>& b)
{
    std::vector<ModuleInstrument> instruments;
    const std::size_t patterns = *std::max_element(b.begin() + OrderTable, b.begin() + OrderTable + 128) + 1u;
    std::size_t data = FirstPattern + patterns * PatternBytes;
    for (std::size_t i = 0; i < 31; ++i) {
        const std::size_t header = 20 + 30 * i;
        const std::size_t length = Big16(b, header + 22) * 2;
        if (length == 0)
            continue;
        ModuleInstrument instrument;
        for (std::size_t c = header; c < header + 22 && b[c] != 0; ++c)
            instrument.Name += static_cast<char>(b[c]);
        for (std::size_t at = data; at < std::min(data + length, b.size()); ++at)
            instrument.Data.push_back(static_cast<int8_t>(b[at]));
        instrument.LoopStart = Big16(b, header + 26) * 2;
        instrument.LoopLength = Big16(b, header + 28) * 2;
        instruments.push_back(instrument);
        data += length;
    }
    return instruments;
}

TEST(Modules, EachSongHasAtLeastTwoInstrumentsOfItsOwn)
{
    std::map<std::string, int> songsPlaying;
    std::map<std::string, std::vector<std::string>> names;
    for (const char* name : Modules)
        for (const ModuleInstrument& instrument : Instruments(ReadBytes(GameDir / "res/sfx/sndtr" / name))) {
            names[name].push_back(instrument.Name);
            ++songsPlaying[instrument.Name];
        }
    for (const char* name : Modules) {
        const auto own = std::count_if(names[name].begin(), names[name].end(),
                                       [&](const std::string& instrument) { return songsPlaying[instrument] == 1; });
        EXPECT_GE(own, 2) << name;
    }
}

// A loop that does not hold whole cycles jumps at its seam, and the jump
// clicks at every turn: the step from the loop's last byte back to its first
// is no larger than the largest step inside it.
TEST(Modules, InstrumentLoopsJoinWithoutAStep)
{
    for (const char* name : Modules)
        for (const ModuleInstrument& instrument : Instruments(ReadBytes(GameDir / "res/sfx/sndtr" / name))) {
            if (instrument.LoopLength <= 2)
                continue;
            ASSERT_LE(instrument.LoopStart + instrument.LoopLength, instrument.Data.size()) << instrument.Name;
            const auto first = instrument.Data.begin() + static_cast<std::ptrdiff_t>(instrument.LoopStart);
            const auto last = first + static_cast<std::ptrdiff_t>(instrument.LoopLength) - 1;
            int largest = 0;
            for (auto at = first; at != last; ++at)
                largest = std::max(largest, std::abs(at[1] - at[0]));
            EXPECT_LE(std::abs(*first - *last), largest) << name << " " << instrument.Name;
        }
}

struct Wave {
    int Rate = 0;
    std::vector<double> Samples;  // -1..1
};

// Reads a 16-bit mono PCM wave, failing the test for any other kind.
Wave ReadWave(const fs::path& path)
{
    const std::vector<uint8_t> b = ReadBytes(path);
    Wave wave;
    EXPECT_GT(b.size(), 44u) << path;
    if (b.size() <= 44)
        return wave;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << path;
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ") << path;
    EXPECT_EQ(Little(b, 20, 2), 1u) << path << " is not PCM";
    EXPECT_EQ(Little(b, 22, 2), 1u) << path << " is not mono";
    EXPECT_EQ(Little(b, 34, 2), 16u) << path;
    EXPECT_EQ(Little(b, 40, 4) + 44, b.size()) << path;
    wave.Rate = static_cast<int>(Little(b, 24, 4));
    for (std::size_t at = 44; at + 1 < b.size(); at += 2)
        wave.Samples.push_back(static_cast<int16_t>(Little(b, at, 2)) / 32768.0);
    return wave;
}

TEST(LoudnessMeter, ReadsAFullScaleToneAtMinusThree)
{
    // A full-scale 997 Hz sine in one channel reads -3.01 LUFS on a
    // standard meter.
    for (const int rate : {22050, 44100}) {
        std::vector<double> tone(static_cast<std::size_t>(rate));
        for (std::size_t i = 0; i < tone.size(); ++i)
            tone[i] = std::sin(2 * Pi * 997 * static_cast<double>(i) / rate);
        const std::vector<double> silence(tone.size(), 0.0);
        EXPECT_NEAR(mkassets::EffectLoudness(tone, rate), -3.01, 0.1) << rate;
        EXPECT_NEAR(mkassets::IntegratedLoudness(tone, silence, rate), -3.01, 0.1) << rate;
    }
}

struct Band {
    double Low;
    double High;
};

// One rule levels the effects, each role a fixed number of decibels under
// the explosions (-14 LUFS): the collision 4, the weapons 5, the console's
// chimes 7 and the HUD's clicks 10. Whatever plays together, the battle's
// bangs come through and a click never startles.
const std::map<std::string, Band> LoudnessBands{
    {"hud/menu1.wav", {-25, -23}},          {"hud/btn_click.wav", {-25, -23}},
    {"hud/btn_disabled.wav", {-25, -23}},   {"hud/planet_select.wav", {-25, -23}},
    {"hud/message_info.wav", {-22, -20}},   {"hud/message_alert.wav", {-22, -20}},
    {"weapon/collision.wav", {-19, -17}},   {"weapon/small_explosion_1.wav", {-15, -13}},
    {"weapon/small_explosion_2.wav", {-15, -13}}, {"weapon/small_explosion_3.wav", {-15, -13}},
};
constexpr Band WeaponBand{-20, -18};

TEST(Waves, EachSitsInItsLoudnessBandSilentAtBothEndsAndUnclipped)
{
    int weapons = 0;
    for (const char* folder : {"hud", "weapon"})
        for (const auto& entry : fs::directory_iterator(GameDir / "res/sfx" / folder)) {
            const std::string name = std::string(folder) + "/" + entry.path().filename().string();
            const Wave wave = ReadWave(entry.path());
            ASSERT_GT(wave.Samples.size(), 100u) << name;
            const auto band = LoudnessBands.find(name);
            weapons += band == LoudnessBands.end() ? 1 : 0;
            const Band expected = band == LoudnessBands.end() ? WeaponBand : band->second;
            const double lufs = mkassets::EffectLoudness(wave.Samples, wave.Rate);
            EXPECT_GE(lufs, expected.Low) << name;
            EXPECT_LE(lufs, expected.High) << name;
            EXPECT_LE(std::abs(wave.Samples.front()), 0.01) << name << " starts with a click";
            EXPECT_LE(std::abs(wave.Samples.back()), 0.01) << name << " ends with a click";
            double peak = 0;
            for (const double v : wave.Samples)
                peak = std::max(peak, std::abs(v));
            EXPECT_LT(peak, 0.99) << name << " clips";
        }
    EXPECT_GE(weapons, 4) << "one firing sound per weapon of the catalogue";
    for (const auto& [name, band] : LoudnessBands)
        EXPECT_TRUE(fs::exists(GameDir / "res/sfx" / name)) << name;
}

// The share of a sound's energy between two frequencies, from the bins of
// its discrete Fourier transform (Goertzel's recurrence per bin).
double EnergyShare(const std::vector<double>& x, int rate, double low, double high)
{
    const double n = static_cast<double>(x.size());
    double total = 0;
    for (const double v : x)
        total += v * v;
    double band = 0;
    for (int k = static_cast<int>(std::ceil(low * n / rate)); k <= static_cast<int>(high * n / rate); ++k) {
        const double c = 2 * std::cos(2 * Pi * k / n);
        double s1 = 0, s2 = 0;
        for (const double v : x) {
            const double s0 = v + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        band += s1 * s1 + s2 * s2 - c * s1 * s2;
    }
    // Parseval: the positive-frequency bins hold half of n times the energy.
    return band / (total * n / 2);
}

// Hulls meeting are a dull knock that laptop speakers still carry, not a
// rumble below what they can play.
TEST(Waves, CollisionHasItsWeightBetween60And120Hz)
{
    const Wave wave = ReadWave(GameDir / "res/sfx/weapon/collision.wav");
    ASSERT_FALSE(wave.Samples.empty());
    EXPECT_GE(EnergyShare(wave.Samples, wave.Rate, 60, 120), 0.6);
    EXPECT_LE(EnergyShare(wave.Samples, wave.Rate, 20, 55), 0.1);
}

}  // namespace
