// The audio device: SDL2_mixer opened at 44100 Hz, 16-bit stereo, with one
// music stream and 16 effect channels. Paths are real file paths (resolve the
// game's data paths first).
//
// The game never hears about audio failures. A device that could not be
// opened, or was never opened, accepts every call and does nothing; a file
// that cannot be loaded plays nothing, and so does a path that names a
// folder, a device or a pipe (DataFile.h): those are never handed to the
// decoders. Nothing here throws.
//
// Music: one at a time. Loading a new one halts and frees the one before,
// even when the new file turns out to be missing. Music plays once through
// its order list; nothing restarts it when it ends. The game's modules end on
// a jump back to the start of their loop, which the decoder follows, so they
// play on for as long as the scene lasts.
//
// Effects: each request plays the wave again, so several effects of the same
// file overlap. Loaded waves are kept per file for as long as the device is
// open, so a weapon firing every tick does not go back to the disk. When all
// 16 channels are busy, the channel whose effect was started first is taken
// over, counted in starts rather than by a clock, so that effects started in
// the same millisecond keep their order.
//
// Levels: the device mixes in floating point, so that a crowd of effects
// over the music never saturates while it is summed; the mix then goes
// through a soft limiter (SoftLimit) that leaves everything below 3/4 of full
// scale as it is and bends louder peaks smoothly towards full scale without
// ever reaching it. Every effect plays at the same channel level, so the
// effects' loudness against one another is the waves' own. The music and the
// effects each have a volume of 0..100 % on top of that level.
//
// SDL_mixer is one device per process, so only one Audio is open at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kv {

enum class MusicState {
    None,     // no music loaded
    Stopped,  // loaded, not started or played to its end
    Playing,
    Paused,
};

class Audio {
public:
    static constexpr int Frequency = 44100;
    static constexpr int EffectChannels = 16;

    Audio();
    ~Audio();
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;
    Audio(Audio&&) noexcept;
    Audio& operator=(Audio&&) noexcept;

    // Opens the default output device; false leaves the game silent. Opening
    // an open device changes nothing. There is one device for the program:
    // while one Audio holds it, another stays silent.
    bool Open();
    // Halts everything, frees the music and the loaded waves, closes the device.
    void Close();
    bool IsOpen() const { return device_ != nullptr; }
    // The music's and the effects' volumes, 0..100 %, kept while the device
    // is closed and applied when it opens.
    void SetVolumes(int musicPercent, int effectsPercent);
    // Sample frames the device has mixed since it opened (for tests that
    // follow the sound's own clock).
    uint64_t FramesMixed() const;

    // Halts and frees the current music, then loads the file as the new one;
    // false when it cannot be loaded, leaving no music.
    bool LoadMusic(const std::string& path);
    void FreeMusic();
    // Starts the loaded music from its beginning; also when paused.
    void PlayMusic();
    void PauseMusic();
    void ResumeMusic();
    MusicState Music() const;
    // Holds every sound where it is (the game is paused) or lets it go on.
    // Music the player had paused stays paused when the hold ends.
    void Hold(bool held);
    bool Held() const { return held_; }

    // Plays the wave file once; the channel used, or -1 when nothing plays.
    int PlayEffect(const std::string& path);
    // Number of effect channels playing now.
    int EffectsPlaying() const;
    // Number of distinct wave files kept loaded.
    std::size_t LoadedEffects() const;

private:
    void ApplyVolumes() const;
    struct Device;
    std::unique_ptr<Device> device_;
    bool held_ = false;
    bool musicHeld_ = false;
    int musicPercent_ = 100;
    int effectsPercent_ = 100;
};

// Above this share of full scale the limiter starts to bend the mix.
constexpr float LimiterKnee = 0.75f;
// The soft limiter on interleaved float samples: below the knee a sample is
// kept; above it, |x| becomes knee + (1 - knee) * tanh((|x| - knee) / (1 - knee)),
// which follows the line at the knee, grows ever more slowly and stays
// below full scale for any input.
void SoftLimit(float* samples, std::size_t count);

}  // namespace kv
