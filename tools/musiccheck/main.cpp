// kvmusiccheck SECONDS MODULE...: plays each module through the game's own
// audio device (SDL2_mixer and its module decoder) into SDL's disk audio
// driver, as fast as the decoder runs, and checks what a player would hear
// over that long: the music never stops or falls silent, never clips, has
// its left and right sides within 1.5 dB of each other, a top end above
// 4 kHz within 20 dB of its mids (250 Hz to 2 kHz), and all modules are
// within 1 LU of each other in loudness. Then it plays 40 seconds of each
// module's hats alone and of its bass alone (a copy of the module in which
// every other instrument is silent) and checks that each plays and sits
// within 2 dB of the middle. Prints its measures; exits 1 when a check fails.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "Loudness.h"
#include "platform/Audio.h"

namespace {

namespace fs = std::filesystem;

constexpr int Rate = kv::Audio::Frequency;
constexpr double Pi = 3.14159265358979323846;
constexpr double SoloSeconds = 40;

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

double Decibels(double ratio) { return 10 * std::log10(std::max(ratio, 1e-12)); }

// Left against right in dB, as a listener weighs them.
double Balance(const Stereo& s)
{
    return Decibels(Energy(mkassets::KWeighted(s.Left, Rate)) /
                    std::max(Energy(mkassets::KWeighted(s.Right, Rate)), 1e-12));
}

// A second-order Butterworth section, run twice for a steep edge.
mkassets::Biquad Butterworth(double hz, bool highPass)
{
    const double k = std::tan(Pi * hz / Rate);
    const double a0 = 1 + std::sqrt(2.0) * k + k * k;
    const double a1 = 2 * (k * k - 1) / a0;
    const double a2 = (1 - std::sqrt(2.0) * k + k * k) / a0;
    if (highPass)
        return {1 / a0, -2 / a0, 1 / a0, a1, a2};
    return {k * k / a0, 2 * k * k / a0, k * k / a0, a1, a2};
}

void FilterTwice(std::vector<double>& signal, const mkassets::Biquad& f)
{
    mkassets::Filter(signal, f);
    mkassets::Filter(signal, f);
}

struct Band {
    const char* Name;
    double From;  // Hz, 0 for none
    double To;    // Hz, 0 for none
};

constexpr std::array<Band, 3> Bands{{{"lows", 0, 250}, {"mids", 250, 2000}, {"highs", 4000, 0}}};

// The band's level in dB against a full-scale square wave, both sides
// together.
double BandLevel(const Stereo& s, const Band& band)
{
    double power = 0;
    for (const auto* side : {&s.Left, &s.Right}) {
        std::vector<double> signal = *side;
        if (band.From > 0)
            FilterTwice(signal, Butterworth(band.From, true));
        if (band.To > 0)
            FilterTwice(signal, Butterworth(band.To, false));
        power += Energy(signal) / static_cast<double>(std::max<std::size_t>(signal.size(), 1)) / 2;
    }
    return Decibels(power);
}

std::array<double, Bands.size()> BandLevels(const Stereo& s)
{
    std::array<double, Bands.size()> levels{};
    for (std::size_t b = 0; b < Bands.size(); ++b)
        levels[b] = BandLevel(s, Bands[b]);
    return levels;
}

std::string BandText(const std::array<double, Bands.size()>& levels)
{
    std::string text;
    for (std::size_t b = 0; b < Bands.size(); ++b) {
        char part[48];
        std::snprintf(part, sizeof part, "%s%s %.1f dB", b == 0 ? "" : ", ", Bands[b].Name, levels[b]);
        text += part;
    }
    return text;
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

// The module's bytes with every instrument but those named `name` silenced:
// the header gives each instrument's name and length, and the sample data
// follows the patterns, of which the order table names the highest.
std::vector<char> Solo(const std::vector<char>& module, std::string_view name, bool& found)
{
    constexpr std::size_t HeaderSize = 30, Names = 22, OrderTable = 952, Patterns = 1084, PatternSize = 1024;
    found = false;
    if (module.size() < Patterns)
        return module;
    std::vector<char> solo = module;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(module[at]); };
    std::size_t highest = 0;
    for (std::size_t i = 0; i < 128; ++i)
        highest = std::max<std::size_t>(highest, byte(OrderTable + i));
    std::size_t data = Patterns + (highest + 1) * PatternSize;
    for (std::size_t i = 0; i < 31; ++i) {
        const std::size_t header = 20 + i * HeaderSize;
        const std::string own(&module[header], strnlen(&module[header], Names));
        const std::size_t length = 2 * (std::size_t{byte(header + Names)} << 8 | byte(header + Names + 1));
        const bool kept = own == name;
        found = found || kept;
        for (std::size_t at = data; at < std::min(data + length, solo.size()); ++at)
            solo[at] = kept ? solo[at] : 0;
        data += length;
    }
    return solo;
}

std::vector<char> ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Plays the named instrument alone for a while and checks that it sits in
// the middle. Prints what it measured.
bool SoloCentred(const std::string& module, std::string_view instrument, const fs::path& raw)
{
    bool found = false;
    const std::vector<char> solo = Solo(ReadAll(module), instrument, found);
    if (!found) {
        std::printf("  %.*s: none in the module\n", static_cast<int>(instrument.size()), instrument.data());
        return false;
    }
    const fs::path file = fs::path(raw).replace_extension(".mod");
    std::ofstream(file, std::ios::binary).write(solo.data(), static_cast<std::streamsize>(solo.size()));
    Stereo s;
    const bool played = Render(file.string(), SoloSeconds, raw, s);
    fs::remove(file);
    if (!played)
        return false;
    const double balance = Balance(s);
    const double lufs = mkassets::IntegratedLoudness(s.Left, s.Right, Rate);
    std::printf("  %.*s alone: %.2f LUFS, left %+.2f dB against right, %s\n", static_cast<int>(instrument.size()),
                instrument.data(), lufs, balance, BandText(BandLevels(s)).c_str());
    return lufs > -60 && std::abs(balance) <= 2;
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
        const double balance = Balance(s);
        const double silence = LongestSilence(s);
        const std::size_t clipped = Clipped(s);
        const auto bands = BandLevels(s);
        std::printf("%s: %.1f s played, %.2f LUFS, left %+.2f dB against right, longest silence %.3f s, "
                    "%zu samples clipped\n  %s\n",
                    argv[i], played, lufs, balance, silence, clipped, BandText(bands).c_str());
        good = good && played >= seconds - 1 && std::abs(balance) <= 1.5 && silence < 1 && clipped == 0 &&
               bands[2] >= bands[1] - 20;
        for (const std::string_view instrument : {"hat", "bass"})
            good = SoloCentred(argv[i], instrument, file) && good;
        quietest = i == 2 ? lufs : std::min(quietest, lufs);
        loudest = std::max(loudest, lufs);
    }
    std::printf("loudness spread %.2f LU\n", loudest - quietest);
    good = good && loudest - quietest <= 1;
    std::cout << (good ? "all modules pass\n" : "FAILED\n");
    return good ? 0 : 1;
}
