#include "platform/Gamepads.h"

#include <SDL.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/SafeFile.h"

namespace kv {

namespace {

// A mapping file larger than this is no mapping file (SDL's own database
// is about 600 KB).
constexpr std::uintmax_t MostMappingBytes = 4 * 1024 * 1024;

bool IsGuid(std::string_view field)
{
    if (field.size() != 32) return false;
    for (const char c : field)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsMapping(std::string_view line)
{
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos || !IsGuid(line.substr(0, first))) return false;
    const std::size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos) return false;
    std::string_view fields = line.substr(second + 1);
    while (!fields.empty()) {
        const std::size_t comma = fields.find(',');
        const std::string_view field = fields.substr(0, comma);
        if (!field.empty() && field.find(':') == std::string_view::npos) return false;
        if (comma == std::string_view::npos) break;
        fields.remove_prefix(comma + 1);
    }
    return true;
}

std::optional<PadButton> ControllerButton(uint8_t button)
{
    if (button > SDL_CONTROLLER_BUTTON_DPAD_RIGHT) return std::nullopt;
    return static_cast<PadButton>(button + 1);
}

// The button a stick's way or a trigger is held as when pushed past half.
struct AxisWays {
    PadButton Negative;
    PadButton Positive;
};
constexpr std::array<AxisWays, PadAxisCount> Ways{{
    {PadButton::StickLeft, PadButton::StickRight},
    {PadButton::StickUp, PadButton::StickDown},
    {PadButton::None, PadButton::None},
    {PadButton::None, PadButton::None},
    {PadButton::None, PadButton::LeftTrigger},
    {PadButton::None, PadButton::RightTrigger},
}};

constexpr std::array<std::pair<uint8_t, PadButton>, 4> HatWays{{
    {SDL_HAT_UP, PadButton::DpadUp},
    {SDL_HAT_DOWN, PadButton::DpadDown},
    {SDL_HAT_LEFT, PadButton::DpadLeft},
    {SDL_HAT_RIGHT, PadButton::DpadRight},
}};

}  // namespace

std::string PadMappingsPath(const char* configHome, const char* home)
{
    const std::string config = XdgFolder(configHome, home, ".config");
    return config.empty() ? "" : config + "/kvspace/gamecontrollerdb.txt";
}

std::optional<std::string> PadMappingsProblem(std::string_view text)
{
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (!line.empty() && line.front() != '#' && !IsMapping(line))
            return "line " + std::to_string(number) + " is no gamepad mapping";
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return std::nullopt;
}

Gamepads::~Gamepads()
{
    for (const auto& [instance, controller] : controllers_) SDL_GameControllerClose(controller);
    for (const auto& [instance, joystick] : joysticks_) SDL_JoystickClose(joystick);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::optional<std::string> Gamepads::Start(const std::string& mappingsPath)
{
    if (!started_) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
            return std::string("no gamepads: ") + SDL_GetError();
        started_ = true;
    }
    std::error_code error;
    if (mappingsPath.empty() || !std::filesystem::exists(mappingsPath, error)) return std::nullopt;
    const std::string refused = "the gamepad mappings in " + mappingsPath + " are not used: ";
    if (!std::filesystem::is_regular_file(mappingsPath, error)) return refused + "it is not a file";
    if (std::filesystem::file_size(mappingsPath, error) > MostMappingBytes)
        return refused + "it is larger than a mapping file can be";
    std::ifstream file(mappingsPath, std::ios::binary);
    if (!file) return refused + "it cannot be read";
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return refused + "it cannot be read";
    if (const std::optional<std::string> problem = PadMappingsProblem(text)) return refused + *problem;
    SDL_RWops* rw = SDL_RWFromConstMem(text.data(), static_cast<int>(text.size()));
    if (rw == nullptr || SDL_GameControllerAddMappingsFromRW(rw, 1) < 0) return refused + SDL_GetError();
    return std::nullopt;
}

void Gamepads::Open(int deviceIndex, bool asController)
{
    const int instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (instance < 0 || controllers_.count(instance) != 0 || joysticks_.count(instance) != 0) return;
    if (asController) {
        if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex)) {
            controllers_[instance] = controller;
            pending_.push_back(PadDeviceEvent{true, SDL_GameControllerName(controller) ? SDL_GameControllerName(controller) : "gamepad"});
        }
        return;
    }
    if (SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex)) {
        joysticks_[instance] = joystick;
        pending_.push_back(PadDeviceEvent{true, SDL_JoystickName(joystick) ? SDL_JoystickName(joystick) : "joystick"});
    }
}

std::optional<InputEvent> Gamepads::Close(int instance)
{
    std::string name;
    if (const auto c = controllers_.find(instance); c != controllers_.end()) {
        name = SDL_GameControllerName(c->second) ? SDL_GameControllerName(c->second) : "gamepad";
        SDL_GameControllerClose(c->second);
        controllers_.erase(c);
    } else if (const auto j = joysticks_.find(instance); j != joysticks_.end()) {
        name = SDL_JoystickName(j->second) ? SDL_JoystickName(j->second) : "joystick";
        SDL_JoystickClose(j->second);
        joysticks_.erase(j);
        hats_.erase(instance);
    } else {
        return std::nullopt;
    }
    axes_.erase(instance);
    return PadDeviceEvent{false, name};
}

std::optional<InputEvent> Gamepads::Axis(int instance, std::size_t axis, int16_t value)
{
    if (axis >= PadAxisCount) return std::nullopt;
    int16_t& before = axes_[instance][axis];
    const AxisWays ways = Ways[axis];
    const auto change = [this](PadButton way, bool was, bool now) {
        if (way != PadButton::None && was != now) pending_.push_back(PadButtonEvent{way, now});
    };
    change(ways.Negative, before <= -HeldPush, value <= -HeldPush);
    change(ways.Positive, before >= HeldPush, value >= HeldPush);
    before = value;
    pending_.push_front(PadAxisEvent{static_cast<PadAxis>(axis), value});
    return TakePending();
}

std::optional<InputEvent> Gamepads::Hat(int instance, uint8_t value)
{
    uint8_t& before = hats_[instance];
    for (const auto& [bit, way] : HatWays)
        if (((before & bit) != 0) != ((value & bit) != 0)) pending_.push_back(PadButtonEvent{way, (value & bit) != 0});
    before = value;
    return TakePending();
}

std::optional<InputEvent> Gamepads::Translate(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which, true); return TakePending();
    // A pad SDL maps only by the mapping file, added after SDL had looked at
    // the pads present, arrives as a joystick: it is a controller all the same.
    case SDL_JOYDEVICEADDED: Open(e.jdevice.which, SDL_IsGameController(e.jdevice.which) == SDL_TRUE); return TakePending();
    case SDL_CONTROLLERDEVICEREMOVED: return Close(e.cdevice.which);
    case SDL_JOYDEVICEREMOVED: return Close(e.jdevice.which);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (controllers_.count(e.cbutton.which) == 0) return std::nullopt;
        if (const std::optional<PadButton> button = ControllerButton(e.cbutton.button))
            return PadButtonEvent{*button, e.type == SDL_CONTROLLERBUTTONDOWN};
        return std::nullopt;
    case SDL_CONTROLLERAXISMOTION:
        if (controllers_.count(e.caxis.which) == 0) return std::nullopt;
        return Axis(e.caxis.which, e.caxis.axis, e.caxis.value);
    // A controller's joystick sends its raw events too: only the plain
    // joysticks' count.
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (joysticks_.count(e.jbutton.which) == 0 || e.jbutton.button >= RawButtons) return std::nullopt;
        return PadButtonEvent{RawButton(e.jbutton.button + 1u), e.type == SDL_JOYBUTTONDOWN};
    case SDL_JOYAXISMOTION:
        // Four axes: the two sticks; a trigger is a button on such a joystick.
        if (joysticks_.count(e.jaxis.which) == 0 || e.jaxis.axis >= 4) return std::nullopt;
        return Axis(e.jaxis.which, e.jaxis.axis, e.jaxis.value);
    case SDL_JOYHATMOTION:
        if (joysticks_.count(e.jhat.which) == 0 || e.jhat.hat != 0) return std::nullopt;
        return Hat(e.jhat.which, e.jhat.value);
    default: return std::nullopt;
    }
}

std::optional<InputEvent> Gamepads::TakePending()
{
    if (pending_.empty()) return std::nullopt;
    InputEvent next = std::move(pending_.front());
    pending_.pop_front();
    return next;
}

}  // namespace kv
