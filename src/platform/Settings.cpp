#include "platform/Settings.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/SafeFile.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 5> Keys{"mode", "sound", "fullscreen", "scaling", "window-scale"};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::optional<int> WholeNumber(std::string_view s, int least, int most)
{
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || value < least || value > most) return std::nullopt;
    return value;
}

std::optional<bool> Switch(std::string_view s)
{
    if (s == "1") return true;
    if (s == "0") return false;
    return std::nullopt;
}

// "800x600 32 60": width x height, bits per pixel, refresh rate (0 unknown).
std::optional<DisplayMode> ModeFrom(std::string_view s)
{
    const std::size_t x = s.find('x');
    const std::size_t blank = s.find(' ');
    if (x == std::string_view::npos || blank == std::string_view::npos || blank < x) return std::nullopt;
    const std::size_t second = s.find(' ', blank + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto width = WholeNumber(s.substr(0, x), 1, 65535);
    const auto height = WholeNumber(s.substr(x + 1, blank - x - 1), 1, 65535);
    const auto depth = WholeNumber(s.substr(blank + 1, second - blank - 1), 1, 64);
    const auto rate = WholeNumber(s.substr(second + 1), 0, 1000);
    if (!width || !height || !depth || !rate) return std::nullopt;
    return DisplayMode{*width, *height, *depth, *rate, 0};
}

// Sets one key from its value; false when the value is not one the game writes.
bool Apply(Settings& s, std::string_view key, std::string_view value)
{
    if (key == "mode") {
        if (value == "window") {
            s.Mode.reset();
            return true;
        }
        s.Mode = ModeFrom(value);
        return s.Mode.has_value();
    }
    if (key == "scaling") {
        if (value != "sharp" && value != "smooth") return false;
        s.Scaling = value == "sharp" ? ScalingStyle::Sharp : ScalingStyle::Smooth;
        return true;
    }
    if (key == "window-scale") {
        const auto scale = WholeNumber(value, 0, MostWindowScale);
        if (scale) s.WindowScale = *scale;
        return scale.has_value();
    }
    const auto on = Switch(value);
    if (!on) return false;
    (key == "sound" ? s.SoundEnabled : s.Fullscreen) = *on;
    return true;
}

bool Printable(std::string_view text)
{
    for (const char c : text)
        if ((static_cast<unsigned char>(c) < 32 && c != '\n' && c != '\r' && c != '\t') || c == 127) return false;
    return true;
}

SettingsRead Refused(std::string problem) { return SettingsRead{Settings{}, std::move(problem)}; }

std::string LineProblem(int number, const std::string& what) { return "line " + std::to_string(number) + ": " + what; }

}  // namespace

SettingsRead ParseSettings(std::string_view text)
{
    if (text.empty()) return Refused("the file is empty");
    if (text.size() > MostSettingsBytes) return Refused("the file is larger than a settings file can be");
    if (!Printable(text)) return Refused("the file holds characters a settings file never does");
    if (text.back() != '\n') return Refused("the file is cut short");
    Settings settings;
    std::array<bool, Keys.size()> seen{};
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return Refused(LineProblem(number, "no \"=\""));
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        std::size_t k = 0;
        while (k < Keys.size() && Keys[k] != key) ++k;
        if (k == Keys.size()) continue;
        if (seen[k]) return Refused(LineProblem(number, "\"" + std::string(key) + "\" a second time"));
        seen[k] = true;
        if (!Apply(settings, key, value))
            return Refused(LineProblem(number, "\"" + std::string(value) + "\" is no value for \"" + std::string(key) + "\""));
    }
    for (std::size_t k = 0; k < Keys.size(); ++k)
        if (!seen[k]) return Refused("the file is cut short: \"" + std::string(Keys[k]) + "\" is missing");
    return SettingsRead{settings, ""};
}

std::string SettingsText(const Settings& s)
{
    std::ostringstream out;
    out << "# kvspace settings\n";
    out << "mode = ";
    if (s.Mode) out << s.Mode->Width << 'x' << s.Mode->Height << ' ' << s.Mode->BitsPerPixel << ' ' << s.Mode->RefreshRate;
    else out << "window";
    out << "\nsound = " << (s.SoundEnabled ? 1 : 0);
    out << "\nfullscreen = " << (s.Fullscreen ? 1 : 0);
    out << "\nscaling = " << (s.Scaling == ScalingStyle::Sharp ? "sharp" : "smooth");
    out << "\nwindow-scale = " << s.WindowScale << '\n';
    return out.str();
}

std::string SettingsPath(const char* configHome, const char* home)
{
    const std::string config = XdgFolder(configHome, home, ".config");
    return config.empty() ? "" : config + "/kvspace/settings.ini";
}

SettingsRead LoadSettings(const std::string& path)
{
    std::error_code error;
    // No file yet is the first start, not a fault: the defaults, silently.
    if (!fs::exists(path, error)) return SettingsRead{};
    if (!fs::is_regular_file(path, error)) return Refused("it is not a file");
    if (fs::file_size(path, error) > MostSettingsBytes) return Refused("the file is larger than a settings file can be");
    std::ifstream file(path, std::ios::binary);
    if (!file) return Refused(std::string("cannot read it: ") + std::strerror(errno));
    std::string text(MostSettingsBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) return Refused("cannot read it");
    text.resize(static_cast<std::size_t>(file.gcount()));
    return ParseSettings(text);
}

std::optional<std::string> SaveSettings(const std::string& path, const Settings& settings)
{
    return WriteFileAtomically(path, SettingsText(settings));
}

}  // namespace kv
