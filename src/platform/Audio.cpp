#include "platform/Audio.h"

#include <algorithm>
#include <array>

#include <SDL.h>
#include <SDL_mixer.h>

#include <unordered_map>

namespace kv {

namespace {

// Samples per mixing buffer: about 23 ms at 44100 Hz, short enough that a
// shot is heard on the tick it is fired.
constexpr int MixBufferSamples = 1024;
constexpr int StereoChannels = 2;
constexpr int PlayOnce = 0;
constexpr int AnyChannel = -1;
constexpr int AllChannels = -1;

struct MusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MusicDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

}  // namespace

// Exists only while the device is open; its destructor undoes the opening.
struct Audio::Device {
    Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    ~Device()
    {
        Mix_HaltChannel(AllChannels);
        effects.clear();
        music.reset();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    MusicPtr music;
    std::unordered_map<std::string, ChunkPtr> effects;
    // The order in which effects were started on each channel: the channel
    // with the smallest number holds the oldest effect.
    std::array<uint64_t, EffectChannels> startedAt{};
    uint64_t starts = 0;
};

Audio::Audio() = default;
Audio::~Audio() = default;
Audio::Audio(Audio&&) noexcept = default;
Audio& Audio::operator=(Audio&&) noexcept = default;

bool Audio::Open()
{
    if (device_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // Without the module decoder the music stays silent and the effects
    // still play, so its absence is not a reason to give up the device.
    Mix_Init(MIX_INIT_MOD);
    if (Mix_OpenAudio(Frequency, AUDIO_S16SYS, StereoChannels, MixBufferSamples) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(EffectChannels);
    device_ = std::make_unique<Device>();
    return true;
}

void Audio::Close() { device_.reset(); }

bool Audio::LoadMusic(const std::string& path)
{
    if (!device_) return false;
    // The old music stops and goes before the new file is read, so that a
    // missing file leaves no music playing.
    FreeMusic();
    device_->music.reset(Mix_LoadMUS(path.c_str()));
    return device_->music != nullptr;
}

void Audio::FreeMusic()
{
    if (device_) device_->music.reset();
}

void Audio::PlayMusic()
{
    if (device_ && device_->music) Mix_PlayMusic(device_->music.get(), PlayOnce);
}

void Audio::PauseMusic()
{
    if (device_ && device_->music) Mix_PauseMusic();
}

void Audio::ResumeMusic()
{
    if (device_ && device_->music) Mix_ResumeMusic();
}

MusicState Audio::Music() const
{
    if (!device_ || !device_->music) return MusicState::None;
    if (!Mix_PlayingMusic()) return MusicState::Stopped;
    return Mix_PausedMusic() ? MusicState::Paused : MusicState::Playing;
}

int Audio::PlayEffect(const std::string& path)
{
    if (!device_) return -1;
    auto found = device_->effects.find(path);
    if (found == device_->effects.end()) {
        ChunkPtr chunk(Mix_LoadWAV(path.c_str()));
        if (!chunk) return -1;
        found = device_->effects.emplace(path, std::move(chunk)).first;
    }
    Mix_Chunk* chunk = found->second.get();
    int channel = Mix_PlayChannel(AnyChannel, chunk, PlayOnce);
    if (channel < 0) {
        // All channels busy: take over the one whose effect started first.
        const auto oldest = std::min_element(device_->startedAt.begin(), device_->startedAt.end());
        channel = Mix_PlayChannel(static_cast<int>(oldest - device_->startedAt.begin()), chunk, PlayOnce);
    }
    if (channel >= 0 && channel < EffectChannels) device_->startedAt[static_cast<std::size_t>(channel)] = ++device_->starts;
    return channel;
}

int Audio::EffectsPlaying() const { return device_ ? Mix_Playing(AllChannels) : 0; }

std::size_t Audio::LoadedEffects() const { return device_ ? device_->effects.size() : 0; }

}  // namespace kv
