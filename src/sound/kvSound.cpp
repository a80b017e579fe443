#include "sound/kvSound.h"

#include "platform/DataPath.h"

namespace kv {

namespace {

constexpr int PlayListSize = static_cast<int>(PlayList.size());

// A stepped track outside the play list wraps to its first entry. The step
// is taken on a whole number rather than on the byte: stepping back from 0
// (no track chosen yet) would otherwise wrap the byte to 255, far past the
// end of the play list, instead of landing on track 1.
uint8_t WithinPlayList(int track)
{
    return static_cast<uint8_t>(track >= 1 && track <= PlayListSize ? track : 1);
}

}  // namespace

void kvSound::InitSound()
{
    audio_.Open();
    if (SoundEnabled) currentTrack_ = 1;
}

void kvSound::SetSoundEnabled(bool on)
{
    SoundEnabled = on ? 1 : 0;
    if (!on) {
        audio_.Close();
        return;
    }
    if (audio_.IsOpen()) return;
    if (audio_.Open()) ResumeOnNewDevice();
}

void kvSound::DeviceChanged(bool added)
{
    if (!SoundEnabled) return;
    if (added && audio_.IsOpen()) return;
    audio_.Close();
    if (audio_.Open()) ResumeOnNewDevice();
}

void kvSound::ResumeOnNewDevice()
{
    if (wantedMusic_.empty() || !audio_.LoadMusic(ResolveDataPath(wantedMusic_))) return;
    audio_.PlayMusic();
    if (!MusicOn) audio_.PauseMusic();
}

void kvSound::PlayMusic(const std::string& path)
{
    wantedMusic_ = path;
    if (!SoundEnabled) return;
    requestedMusic_ = path;
    ++musicRequests_;
    if (audio_.LoadMusic(ResolveDataPath(path))) audio_.PlayMusic();
}

void kvSound::PlaySoundEffect(const std::string& path)
{
    if (!SoundEnabled) return;
    requestedEffect_ = path;
    ++effectRequests_;
    audio_.PlayEffect(ResolveDataPath(path));
}

void kvSound::PauseMusic()
{
    if (!SoundEnabled) return;
    MusicOn = 0;
    audio_.PauseMusic();
}

void kvSound::ResumeMusic()
{
    if (!SoundEnabled) return;
    MusicOn = 1;
    audio_.ResumeMusic();
}

void kvSound::PreviousTrack()
{
    if (!SoundEnabled || !MusicOn) return;
    currentTrack_ = WithinPlayList(currentTrack_ - 1);
    PlayCurrentTrack();
}

void kvSound::NextTrack()
{
    if (!SoundEnabled || !MusicOn) return;
    currentTrack_ = WithinPlayList(currentTrack_ + 1);
    PlayCurrentTrack();
}

std::string_view kvSound::CurrentTrackName() const
{
    if (currentTrack_ < 1 || currentTrack_ > PlayListSize) return {};
    return PlayList[currentTrack_ - 1u].Name;
}

void kvSound::PlayCurrentTrack() { PlayMusic(std::string(PlayList[currentTrack_ - 1u].File)); }

}  // namespace kv
