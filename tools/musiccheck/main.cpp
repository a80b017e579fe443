// kvmusiccheck SECONDS MODULE...: plays each module through the game's own
// audio device (SDL2_mixer and its module decoder) into SDL's disk audio
// driver, as fast as the decoder runs, and checks what a player would hear
// over that long: the music never stops or falls silent, never clips, has
// its left and right sides within 1.5 dB of each other, and all modules are
// within 1 LU of each other in loudness. Prints its measures; exits 1 when
// a check fails.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "Loudness.h"
#include "platform/Audio.h"

namespace {

namespace fs = std::filesystem;

constexpr int Rate = kv::Audio::Frequency;

struct Stereo {
    std::vector<double> Left;
    std::vector<double> Right;
};

// Plays the module until `seconds` of audio have gone to the file.
bool Render(const std::string& module, double seconds, const fs::path& file, Stereo& out)
{
    fs::remove(file);
    kv::Audio audio;
    if (!audio.Open() || !audio.LoadMusic(module))
        return false;
    audio.PlayMusic();
    // The device mixes in 32-bit floats, two sides a frame.
    const auto wanted = static_cast<std::uintmax_t>(seconds * Rate) * 2 * sizeof(float);
    std::error_code error;
    for (int wait = 0; wait < 60000; ++wait) {
        if (fs::exists(file) && fs::file_size(file, error) >= wanted)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    audio.Close();
    std::ifstream in(file, std::ios::binary);
    std::vector<float> mix(wanted / sizeof(float));
    in.read(reinterpret_cast<char*>(mix.data()), static_cast<std::streamsize>(wanted));
    mix.resize(static_cast<std::size_t>(in.gcount()) / sizeof(float));
    for (std::size_t i = 0; i + 1 < mix.size(); i += 2) {
        out.Left.push_back(mix[i]);
        out.Right.push_back(mix[i + 1]);
    }
    fs::remove(file);
    return true;
}

double Energy(const std::vector<double>& x)
{
    double sum = 0;
    for (const double v : x)
        sum += v * v;
    return sum;
}

// The longest stretch, in seconds, in which both sides stay near silence
// once the music has begun: the device writes silence from the moment it
// opens, and loading the module on a busy machine can take a while, so the
// quiet before the first note says nothing about the song.
double LongestSilence(const Stereo& s)
{
    std::size_t run = 0;
    std::size_t longest = 0;
    bool begun = false;
    for (std::size_t i = 0; i < s.Left.size(); ++i) {
        const bool quiet = std::abs(s.Left[i]) < 0.002 && std::abs(s.Right[i]) < 0.002;
        begun = begun || !quiet;
        run = quiet && begun ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return static_cast<double>(longest) / Rate;
}

std::size_t Clipped(const Stereo& s)
{
    std::size_t n = 0;
    for (const auto* side : {&s.Left, &s.Right})
        for (const double v : *side)
            n += std::abs(v) >= 32767.0 / 32768 ? 1 : 0;
    return n;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: kvmusiccheck SECONDS MODULE...\n";
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    const fs::path file = fs::temp_directory_path() / ("kvmusiccheck-" + std::to_string(::getpid()) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    bool good = true;
    double quietest = 0;
    double loudest = -100;
    for (int i = 2; i < argc; ++i) {
        Stereo s;
        if (!Render(argv[i], seconds, file, s)) {
            std::cout << argv[i] << ": does not load\n";
            good = false;
            continue;
        }
        const double played = static_cast<double>(s.Left.size()) / Rate;
        const double lufs = mkassets::IntegratedLoudness(s.Left, s.Right, Rate);
        const double balance = 10 * std::log10(Energy(mkassets::KWeighted(s.Left, Rate)) /
                                               std::max(Energy(mkassets::KWeighted(s.Right, Rate)), 1e-12));
        const double silence = LongestSilence(s);
        const std::size_t clipped = Clipped(s);
        std::printf("%s: %.1f s played, %.2f LUFS, left %+.2f dB against right, longest silence %.3f s, "
                    "%zu samples clipped\n",
                    argv[i], played, lufs, balance, silence, clipped);
        good = good && played >= seconds - 1 && std::abs(balance) <= 1.5 && silence < 1 && clipped == 0;
        quietest = i == 2 ? lufs : std::min(quietest, lufs);
        loudest = std::max(loudest, lufs);
    }
    std::printf("loudness spread %.2f LU\n", loudest - quietest);
    good = good && loudest - quietest <= 1;
    std::cout << (good ? "all modules pass\n" : "FAILED\n");
    return good ? 0 : 1;
}
