// The gamepads and joysticks on SDL: its game controller part with the
// mapping database SDL carries, the player's own SDL_GAMECONTROLLERCONFIG
// (SDL reads it itself) and the mapping file gamecontrollerdb.txt in the
// game's configuration folder. A pad is opened the moment it is plugged in
// (the pads present at the start come as plugged in, too) and closed when
// it is pulled out. A joystick SDL cannot map as a controller is opened as
// a plain joystick: its first sixteen buttons are Joy1..Joy16, its first
// four axes the two sticks and its first hat the d-pad.
//
// Only the window's event pump uses this unit: it hands every SDL event
// here and passes on what comes back in the game's terms.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Input.h"

union SDL_Event;
struct _SDL_GameController;
struct _SDL_Joystick;

namespace kv {

// The mapping file's path in the configuration folder, by the XDG rule of
// platform/SafeFile.h; empty when there is none.
std::string PadMappingsPath(const char* configHome, const char* home);

// Why a mapping file's text cannot be used, or nothing: every line that is
// not blank and no comment must be a mapping, "GUID,name,field:value,..."
// with a GUID of 32 hex digits.
std::optional<std::string> PadMappingsProblem(std::string_view text);

class Gamepads {
public:
    Gamepads() = default;
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts SDL's game controller part and adds the mapping file's
    // mappings when there is one. A file that cannot be used adds none; the
    // line that says why comes back.
    std::optional<std::string> Start(const std::string& mappingsPath);
    bool Started() const { return started_; }

    // An SDL event in the game's terms, when it is a pad's. Some SDL events
    // are several of the game's (a hat moved from up to right lets go of
    // one way and presses another): the rest wait in Pending.
    std::optional<InputEvent> Translate(const SDL_Event& e);
    std::optional<InputEvent> TakePending();

private:
    void Open(int deviceIndex, bool asController);
    std::optional<InputEvent> Close(int instance);
    std::optional<InputEvent> Axis(int instance, std::size_t axis, int16_t value);
    std::optional<InputEvent> Hat(int instance, uint8_t value);

    bool started_ = false;
    std::map<int, _SDL_GameController*> controllers_;
    std::map<int, _SDL_Joystick*> joysticks_;
    // The d-pad ways a raw joystick's hat holds now, by joystick.
    std::map<int, uint8_t> hats_;
    // Each pad's axes as last moved, to see a stick's way or a trigger cross
    // half its travel.
    std::map<int, std::array<int16_t, PadAxisCount>> axes_;
    std::deque<InputEvent> pending_;
};

}  // namespace kv
