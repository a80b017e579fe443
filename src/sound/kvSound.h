// Music and sound effects as the game uses them: one music track at a time,
// effects that overlap freely, and the two switches every screen respects.
//
// - SoundEnabled is the launcher's "Enable sound" box. While it is 0 every
//   request below is ignored: nothing plays, no flag or track changes.
// - MusicOn is the HUD's play/stop button: PauseMusic clears it, ResumeMusic
//   sets it, and the track buttons work only while it is set. PlayMusic does
//   not look at it, so a scene entered while the player has paused the music
//   still starts its own track, and the flag stays clear.
//
// The audio device is open only while sound is enabled: SetSoundEnabled(0)
// closes it, so a silent game streams nothing. A device that goes away
// (headphones pulled out) is given up and the default device opened in its
// place, the scene's music starting again there; where there is none the
// game goes on silently until one appears, which is then opened.
//
// Paths are the game's data paths ("res\sfx\hud\btn_click.wav"), resolved
// below the working directory without regard to case. Audio failures are
// silent: no device, or a missing or unreadable file, means nothing is heard,
// and no request reports or throws anything.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Audio.h"

namespace kv {

struct PlayListEntry {
    std::string_view File;
    std::string_view Name;  // shown by the top bar's track-name button
};

// The tracks the previous/next buttons step through, counted from 1.
inline constexpr std::array<PlayListEntry, 1> PlayList{{
    {"res\\sfx\\sndtr\\track1.mod", "Track1"},
}};

class kvSound {
public:
    uint8_t SoundEnabled = 0;
    uint8_t MusicOn = 0;

    // Opens the audio device (silence when there is none); then, if sound is
    // enabled, track 1 becomes the current track.
    void InitSound();
    // Sound on or off in the game: on opens the device (where there is one)
    // and plays the music the scene last asked for, also while sound was
    // off; off stops everything and closes the device.
    void SetSoundEnabled(bool on);
    // The desktop's audio devices changed: the open device was removed, or
    // a device was added.
    void DeviceChanged(bool added);
    // The music's and the effects' volumes, 0..100 %.
    void SetVolumes(int musicPercent, int effectsPercent) { audio_.SetVolumes(musicPercent, effectsPercent); }
    // Stops and frees the current music, loads the module and starts it,
    // once: a track that ends stays ended.
    void PlayMusic(const std::string& path);
    // Plays the wave once, on top of whatever else is playing, the same
    // effect included. When all channels are busy the oldest effect is cut.
    void PlaySoundEffect(const std::string& path);
    void PauseMusic();
    void ResumeMusic();
    // The game's pause: every sound stands still, whatever the switches say,
    // and goes on where it stopped.
    void Hold(bool held) { audio_.Hold(held); }
    // Step the current track while the music is on and play it from its
    // start; with the one-track play list both restart "Track1".
    void PreviousTrack();
    void NextTrack();

    // 1-based index into PlayList; 0 until a track is chosen.
    uint8_t CurrentTrack() const { return currentTrack_; }
    // The current track's display name; empty while no track is chosen.
    std::string_view CurrentTrackName() const;

    // What reached the device, for screens and tests that cannot listen:
    // the data paths of the last music and effect requested while sound was
    // enabled (empty before any) and how many of each there were.
    const std::string& RequestedMusic() const { return requestedMusic_; }
    const std::string& RequestedEffect() const { return requestedEffect_; }
    unsigned MusicRequests() const { return musicRequests_; }
    unsigned EffectRequests() const { return effectRequests_; }
    const Audio& Device() const { return audio_; }

private:
    void PlayCurrentTrack();
    // The device is open again: the music last asked for plays from its
    // start, paused when the player has paused it.
    void ResumeOnNewDevice();

    Audio audio_;
    // The music the game last asked for, with sound on or off: what a
    // device opened later plays.
    std::string wantedMusic_;
    uint8_t currentTrack_ = 0;
    std::string requestedMusic_;
    std::string requestedEffect_;
    unsigned musicRequests_ = 0;
    unsigned effectRequests_ = 0;
};

}  // namespace kv
