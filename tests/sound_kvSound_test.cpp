#include "sound/kvSound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kv {
namespace {

namespace fs = std::filesystem;

void PutLittle(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM wave of a square tone. The music decoder takes a wave by
// its content, so waves also stand in for music here.
void WriteWave(const fs::path& path, int milliseconds)
{
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    PutLittle(out, 36 + samples * 2, 4);
    out << "WAVEfmt ";
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 1, 2);
    PutLittle(out, rate, 4);
    PutLittle(out, rate * 2, 4);
    PutLittle(out, 2, 2);
    PutLittle(out, 16, 2);
    out << "data";
    PutLittle(out, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i) PutLittle(out, (i / 50) % 2 ? 0x2000u : 0xE000u, 2);
}

// Sound files in a folder of their own, named as the game names its data:
// backslashes and another case than the files on disk.
class SoundRules : public testing::Test {
protected:
    void SetUp() override
    {
        const fs::path folder = fs::path(testing::TempDir()) / "kvsound" / "Res" / "Sfx";
        fs::create_directories(folder);
        WriteWave(folder / "Hit.wav", 3000);
        WriteWave(folder / "Song.wav", 3000);
        WriteWave(folder / "Other.wav", 3000);
    }

    static std::string GamePath(const std::string& name)
    {
        return testing::TempDir() + "kvsound\\res\\SFX\\" + name;
    }

    // The launcher's start-up with "Enable sound" ticked and "Play" pressed.
    void StartWithSound()
    {
        sound.SoundEnabled = 1;
        sound.InitSound();
        sound.MusicOn = sound.SoundEnabled;
    }

    kvSound sound;
};

TEST_F(SoundRules, DisabledSoundIgnoresEveryRequest)
{
    sound.MusicOn = 1;
    sound.InitSound();
    ASSERT_TRUE(sound.Device().IsOpen());

    sound.PlayMusic(GamePath("song.wav"));
    sound.PlaySoundEffect(GamePath("hit.wav"));
    sound.NextTrack();
    sound.PreviousTrack();
    sound.PauseMusic();
    EXPECT_EQ(sound.MusicOn, 1);
    sound.MusicOn = 0;
    sound.ResumeMusic();
    EXPECT_EQ(sound.MusicOn, 0);

    EXPECT_EQ(sound.CurrentTrack(), 0);
    EXPECT_EQ(sound.CurrentTrackName(), "");
    EXPECT_EQ(sound.MusicRequests(), 0u);
    EXPECT_EQ(sound.EffectRequests(), 0u);
    EXPECT_EQ(sound.Device().Music(), MusicState::None);
    EXPECT_EQ(sound.Device().EffectsPlaying(), 0);
}

TEST_F(SoundRules, LauncherStartUpMakesTrackOneCurrent)
{
    sound.SoundEnabled = 1;
    sound.InitSound();
    sound.SoundEnabled = 0;
    EXPECT_TRUE(sound.Device().IsOpen());
    EXPECT_EQ(sound.CurrentTrack(), 1);
    EXPECT_EQ(sound.CurrentTrackName(), "Track1");
}

TEST_F(SoundRules, SceneMusicStartsWhilePausedAndTheFlagStaysClear)
{
    StartWithSound();
    sound.PlayMusic(GamePath("song.wav"));
    EXPECT_EQ(sound.Device().Music(), MusicState::Playing);
    sound.PauseMusic();
    EXPECT_EQ(sound.MusicOn, 0);
    EXPECT_EQ(sound.Device().Music(), MusicState::Paused);

    sound.PlayMusic(GamePath("OTHER.WAV"));
    EXPECT_EQ(sound.MusicOn, 0);
    EXPECT_EQ(sound.Device().Music(), MusicState::Playing);
    EXPECT_EQ(sound.RequestedMusic(), GamePath("OTHER.WAV"));

    // The play/stop button then only sets the flag; the track plays on.
    sound.ResumeMusic();
    EXPECT_EQ(sound.MusicOn, 1);
    EXPECT_EQ(sound.Device().Music(), MusicState::Playing);
}

TEST_F(SoundRules, TrackButtonsRestartTrackOneOnlyWhileTheMusicIsOn)
{
    StartWithSound();
    sound.NextTrack();
    sound.NextTrack();
    EXPECT_EQ(sound.MusicRequests(), 2u);
    EXPECT_EQ(sound.RequestedMusic(), "res\\sfx\\sndtr\\track1.mod");
    sound.PreviousTrack();
    EXPECT_EQ(sound.MusicRequests(), 3u);
    EXPECT_EQ(sound.CurrentTrack(), 1);

    sound.PauseMusic();
    sound.NextTrack();
    sound.PreviousTrack();
    EXPECT_EQ(sound.MusicRequests(), 3u);
    EXPECT_EQ(sound.CurrentTrack(), 1);
}

TEST_F(SoundRules, SameEffectOverlapsAndIsLoadedOnce)
{
    StartWithSound();
    sound.PlaySoundEffect(GamePath("hit.wav"));
    sound.PlaySoundEffect(GamePath("HIT.WAV"));
    EXPECT_EQ(sound.Device().EffectsPlaying(), 2);
    EXPECT_EQ(sound.Device().LoadedEffects(), 1u);
    EXPECT_EQ(sound.EffectRequests(), 2u);
    EXPECT_EQ(sound.RequestedEffect(), GamePath("HIT.WAV"));
}

TEST_F(SoundRules, MissingFilesAreSilent)
{
    StartWithSound();
    sound.PlayMusic(GamePath("song.wav"));
    EXPECT_NO_THROW(sound.PlayMusic(GamePath("no-such-track.mod")));
    EXPECT_EQ(sound.Device().Music(), MusicState::None);
    EXPECT_NO_THROW(sound.PlaySoundEffect(GamePath("no-such-effect.wav")));
    EXPECT_NO_THROW(sound.PlaySoundEffect("res\\no-such-folder\\effect.wav"));
    EXPECT_EQ(sound.Device().EffectsPlaying(), 0);
    EXPECT_EQ(sound.EffectRequests(), 2u);
}

TEST_F(SoundRules, WithoutADeviceEveryRequestIsSilent)
{
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string restore = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    StartWithSound();
    if (previous) {
        setenv("SDL_AUDIODRIVER", restore.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
    ASSERT_FALSE(sound.Device().IsOpen());

    EXPECT_NO_THROW({
        sound.PlayMusic(GamePath("song.wav"));
        sound.PlaySoundEffect(GamePath("hit.wav"));
        sound.PauseMusic();
        sound.ResumeMusic();
        sound.NextTrack();
    });
    EXPECT_EQ(sound.MusicOn, 1);
    EXPECT_EQ(sound.MusicRequests(), 2u);
    EXPECT_EQ(sound.Device().Music(), MusicState::None);
    EXPECT_EQ(sound.Device().EffectsPlaying(), 0);
}

TEST_F(SoundRules, SteppingBackBeforeAnyTrackLandsOnTrackOne)
{
    sound.SoundEnabled = 1;
    sound.MusicOn = 1;
    sound.PreviousTrack();
    EXPECT_EQ(sound.CurrentTrack(), 1);
    EXPECT_EQ(sound.CurrentTrackName(), "Track1");
    EXPECT_EQ(sound.RequestedMusic(), "res\\sfx\\sndtr\\track1.mod");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

class AudioDriver {
public:
    explicit AudioDriver(const char* name)
    {
        const char* previous = std::getenv("SDL_AUDIODRIVER");
        had_ = previous != nullptr;
        if (had_) previous_ = previous;
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~AudioDriver()
    {
        if (had_) setenv("SDL_AUDIODRIVER", previous_.c_str(), 1);
        else unsetenv("SDL_AUDIODRIVER");
    }

private:
    bool had_ = false;
    std::string previous_;
};

TEST_F(SoundRules, SoundOffClosesTheDeviceAndOnBringsTheMusicBack)
{
    StartWithSound();
    sound.PlayMusic(GamePath("Song.wav"));
    sound.SetSoundEnabled(false);
    EXPECT_FALSE(sound.Device().IsOpen());
    sound.PlaySoundEffect(GamePath("Hit.wav"));
    EXPECT_EQ(sound.EffectRequests(), 0u);
    sound.SetSoundEnabled(true);
    ASSERT_TRUE(sound.Device().IsOpen());
    EXPECT_EQ(sound.Device().Music(), MusicState::Playing);
    sound.PauseMusic();
    sound.SetSoundEnabled(false);
    sound.SetSoundEnabled(true);
    EXPECT_EQ(sound.Device().Music(), MusicState::Paused) << "music the player paused stays paused";
}

TEST_F(SoundRules, ARemovedDeviceIsReplacedAndALateOneIsOpened)
{
    StartWithSound();
    sound.PlayMusic(GamePath("Song.wav"));
    sound.DeviceChanged(false);
    ASSERT_TRUE(sound.Device().IsOpen()) << "the default device in its place";
    EXPECT_EQ(sound.Device().Music(), MusicState::Playing);
    EXPECT_EQ(sound.MusicRequests(), 1u) << "the game asked for nothing new";
    sound.SetSoundEnabled(false);

    kvSound late;
    {
        AudioDriver none("no-such-driver");
        late.SoundEnabled = 1;
        late.InitSound();
        late.MusicOn = 1;
        late.PlayMusic(GamePath("Song.wav"));
        ASSERT_FALSE(late.Device().IsOpen());
        late.DeviceChanged(false);
        EXPECT_FALSE(late.Device().IsOpen()) << "still silent, and no harm done";
    }
    late.DeviceChanged(true);
    ASSERT_TRUE(late.Device().IsOpen());
    EXPECT_EQ(late.Device().Music(), MusicState::Playing);
    late.SetSoundEnabled(false);
    late.DeviceChanged(true);
    EXPECT_FALSE(late.Device().IsOpen()) << "a new device does not turn sound on";
}

}  // namespace
}  // namespace kv
