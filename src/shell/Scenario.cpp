#include "shell/Scenario.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "base/Utf8.h"
#include "platform/Bindings.h"
#include "game/SaveGames.h"
#include "platform/BmpFile.h"
#include "shell/UnitMain.h"

namespace kv {

namespace {

// 9 December 2026, 12:00 UTC: when a seeded run saves.
constexpr int64_t StoppedSaveClock = 1796817600;

MouseButton ButtonByName(const std::string& name)
{
    if (name.empty() || name == "left") return MouseButton::Left;
    if (name == "right") return MouseButton::Right;
    if (name == "middle") return MouseButton::Middle;
    throw std::invalid_argument("unknown mouse button \"" + name + "\"");
}

ShiftState ModifiersFrom(std::istringstream& in)
{
    ShiftState shift;
    std::string mod;
    while (in >> mod) {
        if (mod == "shift") shift.Shift = true;
        else if (mod == "ctrl") shift.Ctrl = true;
        else if (mod == "alt") shift.Alt = true;
        else throw std::invalid_argument("unknown modifier \"" + mod + "\"");
    }
    return shift;
}

uint16_t RequireKey(const std::string& name)
{
    const uint16_t code = KeyCodeByName(name);
    if (code == 0) throw std::invalid_argument("unknown key \"" + name + "\"");
    return code;
}

PadButton RequirePadButton(const std::string& name)
{
    const PadButton button = PadButtonByName(name);
    if (button == PadButton::None) throw std::invalid_argument("unknown pad button \"" + name + "\"");
    return button;
}

// A stick's push in per cent of the full push, as its axis value.
int16_t AxisValue(int percent)
{
    if (percent < -100 || percent > 100) throw std::invalid_argument("a push is -100..100 %");
    return static_cast<int16_t>(percent * 32767 / 100);
}

}  // namespace

// A script names a key as the settings file does, or by its plain code of
// two or three digits ("key 46"); one digit is the digit's key.
uint16_t KeyCodeByName(const std::string& name)
{
    const bool code = name.size() >= 2 && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); });
    return KeyByName(code ? "#" + name : name);
}

ScenarioRunner::ScenarioRunner(TfrmMain& form, std::string frameFolder)
    : form_(form), folder_(std::move(frameFolder))
{
    if (form_.game.ui.Saves.Folder.empty()) form_.game.ui.Saves.Folder = folder_ + "/saves";
}

void ScenarioRunner::Run(const std::vector<std::string>& script)
{
    for (const std::string& line : script) RunLine(line);
    // What the script saved is on the disk when it ends.
    WaitForSaves(form_.game);
}

void ScenarioRunner::RunLine(const std::string& line)
{
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb) || verb[0] == '#') return;
    try {
        if (verb == "tick") {
            int n = 1;
            in >> n;
            for (int i = 0; i < n && !form_.Terminated(); ++i) form_.Tick();
        } else if (verb == "move" || verb == "click" || verb == "press" || verb == "release") {
            int x = 0;
            int y = 0;
            std::string button;
            if (!(in >> x >> y)) throw std::invalid_argument("needs X and Y");
            in >> button;
            const MouseButton b = ButtonByName(button);
            if (verb != "release") form_.Dispatch(MouseMoveEvent{x, y});
            if (verb == "click" || verb == "press") form_.Dispatch(MouseDownEvent{b, x, y});
            if (verb == "click" || verb == "release") form_.Dispatch(MouseUpEvent{b, x, y});
        } else if (verb == "wheel") {
            int delta = 0;
            if (!(in >> delta)) throw std::invalid_argument("needs a delta");
            form_.Dispatch(WheelEvent{delta});
        } else if (verb == "key" || verb == "hold" || verb == "let") {
            std::string name;
            in >> name;
            const uint16_t key = RequireKey(name);
            if (verb != "let") form_.Dispatch(KeyDownEvent{key, ModifiersFrom(in)});
            if (verb != "hold") form_.Dispatch(KeyUpEvent{key});
        } else if (verb == "pad" || verb == "padhold" || verb == "padlet") {
            std::string name;
            in >> name;
            const PadButton button = RequirePadButton(name);
            if (verb != "padlet") form_.Dispatch(PadButtonEvent{button, true});
            if (verb != "padhold") form_.Dispatch(PadButtonEvent{button, false});
        } else if (verb == "stick") {
            std::string which;
            int x = 0;
            int y = 0;
            if (!(in >> which >> x >> y) || (which != "left" && which != "right"))
                throw std::invalid_argument("needs left or right, X and Y");
            const bool left = which == "left";
            form_.Dispatch(PadAxisEvent{left ? PadAxis::LeftX : PadAxis::RightX, AxisValue(x)});
            form_.Dispatch(PadAxisEvent{left ? PadAxis::LeftY : PadAxis::RightY, AxisValue(y)});
        } else if (verb == "plug") {
            std::string state;
            in >> state;
            if (state != "in" && state != "out") throw std::invalid_argument("needs in or out");
            form_.Dispatch(PadDeviceEvent{state == "in", "Scripted pad"});
        } else if (verb == "type") {
            std::string text;
            std::getline(in >> std::ws, text);
            for (const char32_t c : DecodeUtf8(text)) {
                std::string one;
                AppendUtf8(one, c);
                form_.Dispatch(TextEvent{one});
            }
        } else if (verb == "focus" || verb == "minimise") {
            std::string state;
            in >> state;
            if (state != "on" && state != "off") throw std::invalid_argument("needs on or off");
            if (verb == "focus") form_.Dispatch(FocusEvent{state == "on"});
            else form_.Dispatch(MinimiseEvent{state == "on"});
        } else if (verb == "scene") {
            int scene = 0;
            if (!(in >> scene) || scene < 0 || scene > 4) throw std::invalid_argument("needs a scene 0..4");
            form_.SwitchScene(static_cast<uint8_t>(scene));
        } else if (verb == "seed") {
            uint32_t seed = 0;
            if (!(in >> seed)) throw std::invalid_argument("needs a seed 0..4294967295");
            form_.game.world.random.FixSeed(seed);
            form_.game.ui.Console.StopClock("12:00:00");
            form_.game.ui.Saves.StoppedClock = StoppedSaveClock;
        } else if (verb == "shot") {
            std::string name;
            if (!(in >> name)) throw std::invalid_argument("needs a name");
            std::filesystem::create_directories(folder_);
            const std::string path = folder_ + "/" + name + ".png";
            SavePngFile(path, form_.ShownFrame());
            frames_.push_back(path);
        } else {
            throw std::invalid_argument("unknown command");
        }
    } catch (const std::invalid_argument& e) {
        throw std::invalid_argument("scenario line \"" + line + "\": " + e.what());
    }
}

}  // namespace kv
