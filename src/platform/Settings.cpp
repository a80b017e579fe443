#include "platform/Settings.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "platform/SafeFile.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

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

bool ReadMode(Settings& s, std::string_view value)
{
    if (value == "window") {
        s.Mode.reset();
        return true;
    }
    const std::optional<DisplayMode> mode = ModeFrom(value);
    if (mode) s.Mode = mode;
    return mode.has_value();
}

void WriteMode(const Settings& s, std::ostream& out)
{
    if (s.Mode) out << s.Mode->Width << 'x' << s.Mode->Height << ' ' << s.Mode->BitsPerPixel << ' ' << s.Mode->RefreshRate;
    else out << "window";
}

bool ReadSwitch(bool& field, std::string_view value)
{
    const auto on = Switch(value);
    if (on) field = *on;
    return on.has_value();
}

bool ReadScaling(Settings& s, std::string_view value)
{
    if (value != "sharp" && value != "smooth") return false;
    s.Scaling = value == "sharp" ? ScalingStyle::Sharp : ScalingStyle::Smooth;
    return true;
}

bool ReadWhole(int& field, std::string_view value, int least, int most)
{
    const auto number = WholeNumber(value, least, most);
    if (number) field = *number;
    return number.has_value();
}

template <Action A>
bool ReadKeys(Settings& s, std::string_view value)
{
    return s.Controls.Read(A, value);
}

template <Action A>
void WriteKeys(const Settings& s, std::ostream& out)
{
    out << s.Controls.Text(A);
}

template <Action A>
bool ReadPad(Settings& s, std::string_view value)
{
    return s.Controls.ReadPad(A, value);
}

template <Action A>
void WritePad(const Settings& s, std::ostream& out)
{
    out << s.Controls.PadText(A);
}

// Every key the game reads and writes, in the order it writes them. A key's
// reader sets its field only from a good value, so a bad one leaves the
// default in place.
struct Key {
    std::string_view Name;
    bool (*Read)(Settings&, std::string_view);
    void (*Write)(const Settings&, std::ostream&);
};

const std::array<Key, 29> Keys{{
    {"mode", ReadMode, WriteMode},
    {"sound", [](Settings& s, std::string_view v) { return ReadSwitch(s.SoundEnabled, v); },
     [](const Settings& s, std::ostream& out) { out << (s.SoundEnabled ? 1 : 0); }},
    {"fullscreen", [](Settings& s, std::string_view v) { return ReadSwitch(s.Fullscreen, v); },
     [](const Settings& s, std::ostream& out) { out << (s.Fullscreen ? 1 : 0); }},
    {"scaling", ReadScaling,
     [](const Settings& s, std::ostream& out) { out << (s.Scaling == ScalingStyle::Sharp ? "sharp" : "smooth"); }},
    {"window-scale", [](Settings& s, std::string_view v) { return ReadWhole(s.WindowScale, v, 0, MostWindowScale); },
     [](const Settings& s, std::ostream& out) { out << s.WindowScale; }},
    {"music-volume", [](Settings& s, std::string_view v) { return ReadWhole(s.MusicVolume, v, 0, 100); },
     [](const Settings& s, std::ostream& out) { out << s.MusicVolume; }},
    {"effects-volume", [](Settings& s, std::string_view v) { return ReadWhole(s.EffectsVolume, v, 0, 100); },
     [](const Settings& s, std::ostream& out) { out << s.EffectsVolume; }},
    {"mute-in-background", [](Settings& s, std::string_view v) { return ReadSwitch(s.MuteInBackground, v); },
     [](const Settings& s, std::ostream& out) { out << (s.MuteInBackground ? 1 : 0); }},
    {"key.turn-left", ReadKeys<Action::TurnLeft>, WriteKeys<Action::TurnLeft>},
    {"key.turn-right", ReadKeys<Action::TurnRight>, WriteKeys<Action::TurnRight>},
    {"key.thrust", ReadKeys<Action::Thrust>, WriteKeys<Action::Thrust>},
    {"key.reverse", ReadKeys<Action::Reverse>, WriteKeys<Action::Reverse>},
    {"key.fire", ReadKeys<Action::Fire>, WriteKeys<Action::Fire>},
    {"key.leave", ReadKeys<Action::Leave>, WriteKeys<Action::Leave>},
    {"key.pause", ReadKeys<Action::Pause>, WriteKeys<Action::Pause>},
    {"key.fullscreen", ReadKeys<Action::Fullscreen>, WriteKeys<Action::Fullscreen>},
    {"key.star-map", ReadKeys<Action::StarMap>, WriteKeys<Action::StarMap>},
    {"key.player", ReadKeys<Action::PlayerPanel>, WriteKeys<Action::PlayerPanel>},
    {"key.star-info", ReadKeys<Action::StarInfoPanel>, WriteKeys<Action::StarInfoPanel>},
    {"key.ship", ReadKeys<Action::ShipPanel>, WriteKeys<Action::ShipPanel>},
    {"key.market", ReadKeys<Action::Market>, WriteKeys<Action::Market>},
    {"key.console", ReadKeys<Action::Console>, WriteKeys<Action::Console>},
    {"pad.turn-left", ReadPad<Action::TurnLeft>, WritePad<Action::TurnLeft>},
    {"pad.turn-right", ReadPad<Action::TurnRight>, WritePad<Action::TurnRight>},
    {"pad.thrust", ReadPad<Action::Thrust>, WritePad<Action::Thrust>},
    {"pad.reverse", ReadPad<Action::Reverse>, WritePad<Action::Reverse>},
    {"pad.fire", ReadPad<Action::Fire>, WritePad<Action::Fire>},
    {"pad.leave", ReadPad<Action::Leave>, WritePad<Action::Leave>},
    {"pad.dead-zone", [](Settings& s, std::string_view v) { return ReadWhole(s.PadDeadZone, v, 0, MostDeadZone); },
     [](const Settings& s, std::ostream& out) { out << s.PadDeadZone; }},
}};

bool Printable(std::string_view text)
{
    for (const char c : text)
        if ((static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\t') || c == 127) return false;
    return true;
}

SettingsRead Refused(std::string problem) { return SettingsRead{Settings{}, std::move(problem), {}}; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string LineProblem(int number, std::string_view key, const std::string& what)
{
    return "line " + std::to_string(number) + ": " + Quoted(key) + " " + what + "; its default is used";
}

// One line of the file: a comment, a known key, or a line kept for a later
// version of the game. A line the game never writes is reported and dropped.
void ReadLine(std::string_view line, int number, std::array<bool, Keys.size()>& seen, SettingsRead& read)
{
    if (line.empty() || line.front() == '#') return;
    const std::size_t equals = line.find('=');
    if (!Printable(line) || equals == std::string_view::npos) {
        read.KeyProblems.push_back("line " + std::to_string(number) + " is no setting and is left out");
        return;
    }
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    std::size_t k = 0;
    while (k < Keys.size() && Keys[k].Name != key) ++k;
    if (k == Keys.size()) {
        read.Values.OtherLines.emplace_back(line);
        return;
    }
    if (seen[k]) {
        read.KeyProblems.push_back("line " + std::to_string(number) + ": " + Quoted(key) +
                                   " a second time; the first one counts");
        return;
    }
    seen[k] = true;
    if (!Keys[k].Read(read.Values, value))
        read.KeyProblems.push_back(LineProblem(number, key, "cannot be " + Quoted(value)));
}

}  // namespace

SettingsRead ParseSettings(std::string_view text)
{
    if (text.empty()) return Refused("the file is empty");
    if (text.size() > MostSettingsBytes) return Refused("the file is larger than a settings file can be");
    SettingsRead read;
    std::array<bool, Keys.size()> seen{};
    int number = 0;
    // A last line without its line end was cut short while it was written:
    // what it holds may be half a value, so it is left out.
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        ++number;
        if (end == std::string_view::npos) {
            read.KeyProblems.push_back("line " + std::to_string(number) + " is cut short and is left out");
            break;
        }
        ReadLine(Trim(text.substr(0, end)), number, seen, read);
        text.remove_prefix(end + 1);
    }
    for (std::size_t k = 0; k < Keys.size(); ++k)
        if (!seen[k]) read.KeyProblems.push_back(Quoted(Keys[k].Name) + " is missing; its default is used");
    const std::string lost = read.Values.Controls.Untangle();
    if (!lost.empty()) read.KeyProblems.push_back("keys bound twice: " + lost);
    return read;
}

std::string SettingsText(const Settings& s)
{
    std::ostringstream out;
    out << "# kvspace settings\n";
    for (const Key& key : Keys) {
        out << key.Name << " = ";
        key.Write(s, out);
        out << '\n';
    }
    for (const std::string& line : s.OtherLines) out << line << '\n';
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
    // No file yet is a new player's first start: the defaults, and nothing to say.
    if (!fs::exists(path, error)) {
        if (error) return Refused("cannot look for it: " + error.message());
        return SettingsRead{};
    }
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
