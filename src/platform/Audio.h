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
// SDL_mixer is one device per process, so only one Audio is open at a time.
#pragma once

#include <cstddef>
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
    // an open device changes nothing.
    bool Open();
    // Halts everything, frees the music and the loaded waves, closes the device.
    void Close();
    bool IsOpen() const { return device_ != nullptr; }

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
    struct Device;
    std::unique_ptr<Device> device_;
    bool held_ = false;
    bool musicHeld_ = false;
};

}  // namespace kv
