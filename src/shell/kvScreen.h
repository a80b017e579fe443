// The display modes the launcher offers, and the switch of the desktop's
// mode when the game starts and its return when the program ends.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"

namespace kv {

struct ScreenModes {
    // Slot 0 stands for staying in the current mode and is never filled;
    // slots 1..modeCount hold the usable modes in the system's order.
    std::array<DisplayMode, 701> Modes{};
    int32_t modeCount = 0;
    int32_t selectedMode = 0;
    // Set by a real switch, so that only a switched display is restored.
    bool switched = false;
};

using SystemModeQuery = std::function<std::optional<DisplayMode>(int index)>;
using ModeTest = std::function<bool(const DisplayMode&)>;

// 800 x 600, 24 bits or more, 60 Hz or more. A rate of 0 means the system
// does not know it (virtual displays report 0) and does not hide the mode.
bool IsUsableMode(const DisplayMode& mode);

// Asks the system for modes 0..700 until it has no more, and keeps the usable
// ones that a test switch accepts, in the order listed.
void EnumerateDisplayModes(ScreenModes& screen, const SystemModeQuery& systemMode, const ModeTest& canSwitch);
void EnumerateDisplayModes(ScreenModes& screen, const Window& window);

// "800х600 32 бит/пиксел 85 Гц"; the rate is left out when it is unknown.
std::string ModeText(const DisplayMode& mode);
// "     Window mode" first, then one item per usable mode: item k is slot k.
std::vector<std::string> ModeListItems(const ScreenModes& screen);

void ApplyDisplayMode(ScreenModes& screen, Window& window);
void RestoreDisplayMode(ScreenModes& screen, Window& window);

}  // namespace kv
