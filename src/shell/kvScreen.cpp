#include "shell/kvScreen.h"

namespace kv {

bool IsUsableMode(const DisplayMode& mode)
{
    const bool rateOk = mode.RefreshRate == 0 || mode.RefreshRate >= 60;
    return mode.Width == 800 && mode.Height == 600 && mode.BitsPerPixel >= 24 && rateOk;
}

void EnumerateDisplayModes(ScreenModes& screen, const SystemModeQuery& systemMode, const ModeTest& canSwitch)
{
    screen.modeCount = 0;
    for (int i = 0; i <= 700 && screen.modeCount < 700; ++i) {
        const std::optional<DisplayMode> mode = systemMode(i);
        if (!mode) break;
        if (!IsUsableMode(*mode) || !canSwitch(*mode)) continue;
        ++screen.modeCount;
        screen.Modes[static_cast<std::size_t>(screen.modeCount)] = *mode;
    }
}

void EnumerateDisplayModes(ScreenModes& screen, const Window& window)
{
    EnumerateDisplayModes(
        screen, [&window](int i) { return window.SystemMode(i); },
        [&window](const DisplayMode& m) { return window.CanSwitchTo(m); });
}

std::string ModeText(const DisplayMode& mode)
{
    std::string text = std::to_string(mode.Width);
    text += "х";
    text += std::to_string(mode.Height);
    text += ' ';
    text += std::to_string(mode.BitsPerPixel);
    text += " бит/пиксел";
    if (mode.RefreshRate > 0) {
        text += ' ';
        text += std::to_string(mode.RefreshRate);
        text += " Гц";
    }
    return text;
}

std::vector<std::string> ModeListItems(const ScreenModes& screen)
{
    std::vector<std::string> items{"     Window mode"};
    for (int k = 1; k <= screen.modeCount; ++k) items.push_back(ModeText(screen.Modes[static_cast<std::size_t>(k)]));
    return items;
}

void ApplyDisplayMode(ScreenModes& screen, Window& window)
{
    if (screen.selectedMode <= 0 || screen.selectedMode > screen.modeCount) return;
    window.SwitchTo(screen.Modes[static_cast<std::size_t>(screen.selectedMode)]);
    screen.switched = true;
}

void RestoreDisplayMode(ScreenModes& screen, Window& window)
{
    if (!screen.switched) return;
    window.RestoreDesktopMode();
    screen.switched = false;
}

}  // namespace kv
