#include "platform/Audio.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include <SDL.h>
#include <SDL_mixer.h>

#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/DataFile.h"
#include "platform/LoadError.h"

namespace kv {

namespace {

// Samples per mixing buffer: about 23 ms at 44100 Hz, short enough that a
// shot is heard on the tick it is fired.
constexpr int MixBufferSamples = 1024;
constexpr int StereoChannels = 2;
constexpr int PlayOnce = 0;
constexpr int AnyChannel = -1;
constexpr int AllChannels = -1;
// The level of the music and of every effect channel at 100 %: half of
// SDL_mixer's full level, so that the music and a few effects at once stay
// under the limiter's knee and only a crowd of them is bent.
constexpr int FullLevel = MIX_MAX_VOLUME / 2;

struct MusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
using MusicPtr = std::unique_ptr<Mix_Music, MusicDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

// The game's modules and waves are a few tens of kilobytes; these bounds only
// keep a stray huge file from being read into memory whole.
constexpr std::size_t MaxModuleBytes = 16u << 20;
constexpr std::size_t MaxWaveBytes = 16u << 20;

// A sound file's bytes, or nothing when it cannot be read as a data file (a
// folder, a device or a pipe where a module should be): the game is silent
// about audio failures, and the decoders never see such a path.
std::optional<std::vector<uint8_t>> ReadQuietly(const std::string& path, std::size_t maxBytes)
{
    try {
        return ReadDataFile(path, path, maxBytes);
    } catch (const LoadError&) {
        return std::nullopt;
    }
}

int Level(int percent) { return FullLevel * std::clamp(percent, 0, 100) / 100; }

}  // namespace

void SoftLimit(float* samples, std::size_t count)
{
    constexpr float room = 1.0f - LimiterKnee;
    for (std::size_t i = 0; i < count; ++i) {
        const float x = samples[i];
        const float size = std::fabs(x);
        if (size <= LimiterKnee) continue;
        // tanh rounds to 1 in float for large inputs; the last step below
        // full scale keeps even those off it.
        const float bent = std::min(LimiterKnee + room * std::tanh((size - LimiterKnee) / room), 0.99997f);
        samples[i] = std::copysign(bent, x);
    }
}

// Exists only while the device is open; its destructor undoes the opening.
struct Audio::Device {
    Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    ~Device()
    {
        // The mixing thread stops calling back into this device before it
        // goes, whatever else still holds the mixer open.
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltChannel(AllChannels);
        effects.clear();
        music.reset();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    // The music is decoded from these bytes as it plays, so they live as
    // long as it does (the music is declared after them and goes first).
    std::vector<uint8_t> musicBytes;
    MusicPtr music;
    std::unordered_map<std::string, ChunkPtr> effects;
    // The order in which effects were started on each channel: the channel
    // with the smallest number holds the oldest effect.
    std::array<uint64_t, EffectChannels> startedAt{};
    uint64_t starts = 0;
    // Written by the mixing thread, read by the game's.
    std::atomic<uint64_t> framesMixed{0};
};

namespace {

// The last step of every mix, on SDL_mixer's thread.
void FinishMix(void* device, Uint8* stream, int bytes)
{
    SoftLimit(reinterpret_cast<float*>(stream), static_cast<std::size_t>(bytes) / sizeof(float));
    static_cast<std::atomic<uint64_t>*>(device)->fetch_add(
        static_cast<uint64_t>(bytes) / (sizeof(float) * StereoChannels), std::memory_order_relaxed);
}

}  // namespace

Audio::Audio() = default;
Audio::~Audio() = default;
Audio::Audio(Audio&&) noexcept = default;
Audio& Audio::operator=(Audio&&) noexcept = default;

bool Audio::Open()
{
    if (device_) return true;
    // SDL_mixer has one device for the whole program: a second Audio that
    // opened it too would share its channels and its last mixing step, and
    // the first to close would leave the other pointing at what it freed.
    if (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // Without the module decoder the music stays silent and the effects
    // still play, so its absence is not a reason to give up the device.
    Mix_Init(MIX_INIT_MOD);
    if (Mix_OpenAudio(Frequency, AUDIO_F32SYS, StereoChannels, MixBufferSamples) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(EffectChannels);
    device_ = std::make_unique<Device>();
    Mix_SetPostMix(FinishMix, &device_->framesMixed);
    ApplyVolumes();
    return true;
}

void Audio::Close() { device_.reset(); }

void Audio::SetVolumes(int musicPercent, int effectsPercent)
{
    musicPercent_ = std::clamp(musicPercent, 0, 100);
    effectsPercent_ = std::clamp(effectsPercent, 0, 100);
    ApplyVolumes();
}

void Audio::ApplyVolumes() const
{
    if (!device_) return;
    Mix_VolumeMusic(Level(musicPercent_));
    Mix_Volume(AllChannels, Level(effectsPercent_));
}

uint64_t Audio::FramesMixed() const { return device_ ? device_->framesMixed.load(std::memory_order_relaxed) : 0; }

bool Audio::LoadMusic(const std::string& path)
{
    if (!device_) return false;
    // The old music stops and goes before the new file is read, so that a
    // missing file leaves no music playing.
    FreeMusic();
    std::optional<std::vector<uint8_t>> bytes = ReadQuietly(path, MaxModuleBytes);
    if (!bytes) return false;
    device_->musicBytes = std::move(*bytes);
    SDL_RWops* stream = SDL_RWFromConstMem(device_->musicBytes.data(), static_cast<int>(device_->musicBytes.size()));
    if (stream != nullptr) device_->music.reset(Mix_LoadMUS_RW(stream, 1));
    if (!device_->music) device_->musicBytes.clear();
    return device_->music != nullptr;
}

void Audio::FreeMusic()
{
    if (!device_) return;
    device_->music.reset();
    device_->musicBytes.clear();
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

void Audio::Hold(bool held)
{
    if (held == held_) return;
    held_ = held;
    if (!device_) return;
    if (held) {
        Mix_Pause(AllChannels);
        musicHeld_ = Music() == MusicState::Playing;
        if (musicHeld_) Mix_PauseMusic();
        return;
    }
    Mix_Resume(AllChannels);
    if (musicHeld_) Mix_ResumeMusic();
    musicHeld_ = false;
}

int Audio::PlayEffect(const std::string& path)
{
    if (!device_) return -1;
    auto found = device_->effects.find(path);
    if (found == device_->effects.end()) {
        const std::optional<std::vector<uint8_t>> bytes = ReadQuietly(path, MaxWaveBytes);
        if (!bytes) return -1;
        SDL_RWops* stream = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
        ChunkPtr chunk(stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr);
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
