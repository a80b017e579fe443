// The game's window on today's desktops, once the launcher has given way:
// its first size, desktop fullscreen (Alt+Enter, F11 or the key bound to it), the two scaling
// styles (F10), the window scale steps (Ctrl+= and Ctrl+-), and the settings
// file that remembers them and the launcher's choices between runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Input.h"
#include "platform/Settings.h"
#include "platform/Window.h"

namespace kv {

// The share of the usable desktop the first window may take.
constexpr int FirstSizePercent = 90;

// The whole multiple of 800 x 600 the window opens at on a desktop of this
// usable size: the largest that fits in 90 % of it.
int FirstWindowScale(Extent usableDesktop);

class DesktopWindow {
public:
    // `settingsPath` empty: nothing is read or kept.
    DesktopWindow(Window& window, std::string settingsPath);

    // Reads the settings file; a file that cannot be used gives the defaults
    // and one line on stderr naming it, and a notice; every key that fell
    // back alone gets one line naming the key. A missing file is the first
    // start: it says nothing.
    void LoadSettings();
    // What the player should read in the game about the settings file since
    // the last call: that it could not be used or kept, each said once.
    std::vector<std::string> TakeNotices() { return std::exchange(notices_, {}); }
    const Settings& Remembered() const { return settings_; }
    // False where there is no home folder to keep the settings in.
    bool KeepsSettings() const { return !path_.empty(); }
    void RememberLauncherChoices(std::optional<DisplayMode> mode, bool soundEnabled);

    // The window after the launcher: with the display switched to a real
    // mode it stays 800 x 600 and the keys below do nothing; otherwise it
    // gets decorations, can be resized, opens at the remembered window scale
    // or the first size, and goes fullscreen when it was last time.
    void OpenGameWindow(bool realModeSwitched);

    // The window's keys; true when the key was one of them and is used up.
    // `fullscreenKey`: the key is the one bound to fullscreen (F11 unless
    // the player chose another); Alt+Enter is fullscreen too.
    bool WindowKey(uint16_t key, ShiftState shift, bool fullscreenKey);

    // The options window's choices, each applied and kept only when it
    // differs from what is now: what the window keys do, and the sound's
    // choices, which are only kept.
    void SetFullscreen(bool on);
    void SetScaling(ScalingStyle style);
    // A whole multiple of 800 x 600, made one that fits the desktop.
    void SetWindowScale(int scale);
    void RememberSound(bool soundOn, int musicVolume, int effectsVolume, bool muteInBackground);
    void RememberControls(const Bindings& controls, int padDeadZone);
    // The whole multiple of 800 x 600 the window is now (at least 1).
    int WindowScale() const;

private:
    void ToggleFullscreen();
    void ToggleScaling();
    void StepScale(int step);
    void Save();

    Window& window_;
    std::string path_;
    Settings settings_;
    bool open_ = false;
    bool realMode_ = false;
    // A settings file that cannot be written is reported once per run.
    bool saveReported_ = false;
    std::vector<std::string> notices_;
};

}  // namespace kv
