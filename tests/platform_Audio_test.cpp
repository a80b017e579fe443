#include "platform/Audio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace kv {
namespace {

namespace fs = std::filesystem;

void SleepMs(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void PutLittle(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutBig16(std::vector<char>& out, uint16_t value)
{
    out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value & 0xFF));
}

// A mono 16-bit PCM wave of a square tone, `milliseconds` long.
std::string WriteWave(const std::string& name, int milliseconds)
{
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
    const uint32_t dataBytes = samples * 2;
    const std::string path = testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    PutLittle(out, 36 + dataBytes, 4);
    out << "WAVEfmt ";
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2);  // PCM
    PutLittle(out, 1, 2);  // mono
    PutLittle(out, rate, 4);
    PutLittle(out, rate * 2, 4);
    PutLittle(out, 2, 2);
    PutLittle(out, 16, 2);
    out << "data";
    PutLittle(out, dataBytes, 4);
    for (uint32_t i = 0; i < samples; ++i) PutLittle(out, (i / 50) % 2 ? 0x2000u : 0xE000u, 2);
    return path;
}

// A four-channel module of one pattern: a note on row 0 and a pattern break
// on row 1, so the song lasts two rows (about a quarter of a second).
std::string WriteModule(const std::string& name)
{
    constexpr uint16_t sampleWords = 512;
    constexpr uint16_t period = 428;
    std::vector<char> mod(20, '\0');
    for (int s = 1; s <= 31; ++s) {
        mod.insert(mod.end(), 22, '\0');
        PutBig16(mod, s == 1 ? sampleWords : 0);
        mod.push_back('\0');                              // finetune
        mod.push_back(static_cast<char>(s == 1 ? 64 : 0));  // volume
        PutBig16(mod, 0);                                 // repeat start
        PutBig16(mod, 1);                                 // no repeat
    }
    mod.push_back(1);    // song length
    mod.push_back(127);  // restart
    mod.insert(mod.end(), 128, '\0');
    for (char c : std::string("M.K.")) mod.push_back(c);
    std::vector<char> pattern(64 * 4 * 4, '\0');
    pattern[0] = static_cast<char>(period >> 8);
    pattern[1] = static_cast<char>(period & 0xFF);
    pattern[2] = 0x10;  // sample 1, no effect
    pattern[16 + 2] = 0x0D;  // row 1: pattern break
    mod.insert(mod.end(), pattern.begin(), pattern.end());
    for (int i = 0; i < sampleWords * 2; ++i) mod.push_back(static_cast<char>(i % 32 < 16 ? 60 : -60));
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(mod.data(), static_cast<std::streamsize>(mod.size()));
    return path;
}

// Waits up to two seconds for the device to report `state`.
bool WaitForMusic(const Audio& audio, MusicState state)
{
    for (int i = 0; i < 200 && audio.Music() != state; ++i) SleepMs(10);
    return audio.Music() == state;
}

TEST(SoundDevice, ClosedDeviceAcceptsEverythingAndPlaysNothing)
{
    const std::string wave = WriteWave("closed.wav", 100);
    Audio audio;
    EXPECT_FALSE(audio.IsOpen());
    EXPECT_FALSE(audio.LoadMusic(wave));
    audio.PlayMusic();
    audio.PauseMusic();
    audio.ResumeMusic();
    audio.FreeMusic();
    EXPECT_EQ(audio.Music(), MusicState::None);
    EXPECT_EQ(audio.PlayEffect(wave), -1);
    EXPECT_EQ(audio.EffectsPlaying(), 0);
    EXPECT_EQ(audio.LoadedEffects(), 0u);
}

TEST(SoundDevice, UnknownDriverLeavesTheGameSilent)
{
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string restore = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Audio audio;
    EXPECT_FALSE(audio.Open());
    EXPECT_FALSE(audio.IsOpen());
    EXPECT_EQ(audio.PlayEffect(WriteWave("nodriver.wav", 100)), -1);
    if (previous) {
        setenv("SDL_AUDIODRIVER", restore.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
}

class SoundDeviceOpen : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(audio.Open()); }
    Audio audio;
};

TEST_F(SoundDeviceOpen, SeventeenthEffectTakesOverTheOldestChannel)
{
    const std::string wave = WriteWave("long.wav", 3000);
    std::set<int> channels;
    int first = -1;
    for (int i = 0; i < Audio::EffectChannels; ++i) {
        const int channel = audio.PlayEffect(wave);
        if (i == 0) first = channel;
        channels.insert(channel);
    }
    EXPECT_EQ(channels.size(), static_cast<std::size_t>(Audio::EffectChannels));
    EXPECT_EQ(*channels.begin(), 0);
    EXPECT_EQ(*channels.rbegin(), Audio::EffectChannels - 1);
    EXPECT_EQ(audio.EffectsPlaying(), Audio::EffectChannels);

    // All started within the same millisecond, still taken over in order.
    EXPECT_EQ(audio.PlayEffect(wave), first);
    EXPECT_EQ(audio.PlayEffect(wave), first + 1);
    EXPECT_EQ(audio.PlayEffect(wave), first + 2);
    EXPECT_EQ(audio.EffectsPlaying(), Audio::EffectChannels);
    EXPECT_EQ(audio.LoadedEffects(), 1u);
}

TEST_F(SoundDeviceOpen, EffectsAreLoadedOncePerFileAndEndOnTheirOwn)
{
    const std::string a = WriteWave("a.wav", 50);
    const std::string b = WriteWave("b.wav", 50);
    EXPECT_GE(audio.PlayEffect(a), 0);
    EXPECT_GE(audio.PlayEffect(a), 0);
    EXPECT_GE(audio.PlayEffect(b), 0);
    EXPECT_EQ(audio.LoadedEffects(), 2u);
    for (int i = 0; i < 200 && audio.EffectsPlaying() > 0; ++i) SleepMs(10);
    EXPECT_EQ(audio.EffectsPlaying(), 0);
}

TEST_F(SoundDeviceOpen, MissingWaveFilePlaysNothingAndIsNotKept)
{
    const std::string missing = testing::TempDir() + "no-such-effect.wav";
    EXPECT_EQ(audio.PlayEffect(missing), -1);
    EXPECT_EQ(audio.EffectsPlaying(), 0);
    EXPECT_EQ(audio.LoadedEffects(), 0u);

    // A file that appears later is picked up by the next request.
    fs::rename(WriteWave("appears.wav", 50), missing);
    EXPECT_GE(audio.PlayEffect(missing), 0);
    fs::remove(missing);
}

TEST_F(SoundDeviceOpen, ModulePlaysOnceAndStops)
{
    ASSERT_TRUE(audio.LoadMusic(WriteModule("short.mod")));
    EXPECT_EQ(audio.Music(), MusicState::Stopped);
    audio.PlayMusic();
    EXPECT_EQ(audio.Music(), MusicState::Playing);
    EXPECT_TRUE(WaitForMusic(audio, MusicState::Stopped));
}

TEST_F(SoundDeviceOpen, MusicPausesResumesAndIsReplaced)
{
    ASSERT_TRUE(audio.LoadMusic(WriteWave("music1.wav", 3000)));
    audio.PlayMusic();
    audio.PauseMusic();
    EXPECT_EQ(audio.Music(), MusicState::Paused);
    audio.ResumeMusic();
    EXPECT_EQ(audio.Music(), MusicState::Playing);

    // A new music replaces the paused one and plays.
    audio.PauseMusic();
    ASSERT_TRUE(audio.LoadMusic(WriteWave("music2.wav", 3000)));
    EXPECT_EQ(audio.Music(), MusicState::Stopped);
    audio.PlayMusic();
    EXPECT_EQ(audio.Music(), MusicState::Playing);

    // A missing file still frees the music before it.
    EXPECT_FALSE(audio.LoadMusic(testing::TempDir() + "no-such-music.mod"));
    EXPECT_EQ(audio.Music(), MusicState::None);
}

TEST_F(SoundDeviceOpen, ClosingFreesEverything)
{
    ASSERT_TRUE(audio.LoadMusic(WriteWave("closing.wav", 3000)));
    audio.PlayMusic();
    EXPECT_GE(audio.PlayEffect(WriteWave("closing-effect.wav", 3000)), 0);
    audio.Close();
    EXPECT_EQ(audio.Music(), MusicState::None);
    EXPECT_EQ(audio.LoadedEffects(), 0u);
    // The device opens again, with nothing left from before.
    ASSERT_TRUE(audio.Open());
    EXPECT_EQ(audio.EffectsPlaying(), 0);
    EXPECT_EQ(audio.Music(), MusicState::None);
}

// Two games in one program (as tests make them) share SDL_mixer's one
// device: the second stays silent, so that neither can close the device
// under the other, and takes the device once the first lets it go.
TEST_F(SoundDeviceOpen, ASecondAudioStaysSilentWhileTheFirstHoldsTheDevice)
{
    Audio other;
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.IsOpen());
    EXPECT_GE(audio.PlayEffect(WriteWave("shared.wav", 3000)), 0);
    other.Close();
    EXPECT_EQ(audio.EffectsPlaying(), 1) << "the silent one closes nothing";
    audio.Close();
    EXPECT_TRUE(other.Open());
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST(SoundLimiter, KeepsWhatIsBelowTheKneeAndNeverReachesFullScale)
{
    std::vector<float> samples{0.0f, 0.5f, -0.75f, 0.8f, -0.9f, 1.0f, 2.0f, -7.0f, 1e30f};
    SoftLimit(samples.data(), samples.size());
    EXPECT_EQ(samples[0], 0.0f);
    EXPECT_EQ(samples[1], 0.5f);
    EXPECT_EQ(samples[2], -0.75f);
    for (std::size_t i = 3; i < samples.size(); ++i) EXPECT_LT(std::fabs(samples[i]), 1.0f) << i;
    EXPECT_LT(samples[3], samples[4] * -1.0f) << "louder stays louder";
    EXPECT_LT(samples[5], samples[6]);
    EXPECT_GT(samples[3], 0.79f) << "just over the knee the line goes on almost unbent";
}

// The crowded battle, mixed by SDL_mixer itself into the disk driver's file
// and followed on the mixer's own clock: the battle's music with a laser
// every 12 ticks, about four explosions a second and a collision every two
// seconds, 20 seconds of it at full volumes. No sample may reach full scale.
TEST(SoundLimiter, ACrowdedBattleClipsNoSample)
{
    const std::string capture = testing::TempDir() + "kvspace_battle_mix.raw";
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string restore = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    const fs::path data = fs::path(KV_GAME_DIR) / "res" / "sfx";
    {
        Audio audio;
        ASSERT_TRUE(audio.Open());
        ASSERT_TRUE(audio.LoadMusic((data / "sndtr" / "combat.mod").string()));
        audio.PlayMusic();
        constexpr uint64_t Seconds = 20;
        constexpr uint64_t LaserEvery = Audio::Frequency * 12 / 64;
        constexpr uint64_t ExplosionEvery = Audio::Frequency / 4;
        constexpr uint64_t CollisionEvery = Audio::Frequency * 2;
        uint64_t laser = 0, explosion = ExplosionEvery / 3, collision = CollisionEvery / 2;
        int explosions = 0;
        while (audio.FramesMixed() < Seconds * Audio::Frequency) {
            const uint64_t now = audio.FramesMixed();
            if (now >= laser) {
                audio.PlayEffect((data / "weapon" / "Laser.wav").string());
                laser += LaserEvery;
            }
            if (now >= explosion) {
                const std::string name = "small_explosion_" + std::to_string(1 + explosions++ % 3) + ".wav";
                audio.PlayEffect((data / "weapon" / name).string());
                explosion += ExplosionEvery;
            }
            if (now >= collision) {
                audio.PlayEffect((data / "weapon" / "collision.wav").string());
                collision += CollisionEvery;
            }
            SleepMs(1);
        }
    }
    if (previous) setenv("SDL_AUDIODRIVER", restore.c_str(), 1);
    else unsetenv("SDL_AUDIODRIVER");
    std::ifstream in(capture, std::ios::binary);
    std::vector<float> mix;
    float sample = 0;
    while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) mix.push_back(sample);
    ASSERT_GT(mix.size(), std::size_t{20} * Audio::Frequency * 2);
    std::size_t clipped = 0;
    float peak = 0;
    for (const float s : mix) {
        peak = std::max(peak, std::fabs(s));
        if (std::fabs(s) >= 1.0f) ++clipped;
    }
    EXPECT_EQ(clipped, 0u) << "peak " << peak;
    EXPECT_GT(peak, 0.1f) << "the battle is heard at all";
    std::cout << "crowded battle: peak " << peak << " of full scale, " << clipped << " samples clipped\n";
    fs::remove(capture);
}

}  // namespace
}  // namespace kv
