// The player's remembered choices, kept between runs in a small text file
// in the user's configuration folder ($XDG_CONFIG_HOME/kvspace/settings.ini,
// or ~/.config/kvspace/settings.ini):
//
//   # kvspace settings
//   mode = window            (or: 800x600 32 60, the launcher's real mode)
//   sound = 1
//   fullscreen = 0
//   scaling = sharp          (or: smooth)
//   window-scale = 0         (0: not chosen; the game picks a size)
//
// The file is read whole or not at all: a file that is unreadable, too
// large, cut short (a key missing, or the last line without its line end),
// or that holds anything the game does not write gives the defaults, with
// the reason. A missing file is the first start: the defaults, no reason. Keys the game does not know
// are passed over, so a file written by a later version still reads.
//
// Writing goes to a temporary file beside the real one, which is flushed to
// the disk and then renamed over it: a crash or a full disk leaves the old
// file or the new one, never half of one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Viewport.h"
#include "platform/Window.h"

namespace kv {

struct Settings {
    // The launcher's real display mode; none for "     Window mode".
    std::optional<DisplayMode> Mode;
    bool SoundEnabled = false;
    bool Fullscreen = false;
    ScalingStyle Scaling = ScalingStyle::Sharp;
    // A whole multiple of 800 x 600 the player stepped to; 0 until then.
    int WindowScale = 0;
    friend bool operator==(const Settings&, const Settings&) = default;
};

constexpr int MostWindowScale = 16;
constexpr std::size_t MostSettingsBytes = 4096;

// What reading gave: the values, and the reason they are the defaults
// (empty when the file was read).
struct SettingsRead {
    Settings Values;
    std::string Problem;
};

SettingsRead ParseSettings(std::string_view text);
std::string SettingsText(const Settings& settings);

// The settings file's path from the environment's XDG_CONFIG_HOME and HOME
// by the XDG rule of platform/SafeFile.h; empty when neither names an
// absolute folder.
std::string SettingsPath(const char* configHome, const char* home);

// Reads the settings file; without one (a first start) the defaults with no
// problem, with a damaged or unreadable one the defaults and the reason.
SettingsRead LoadSettings(const std::string& path);
// Writes the settings atomically, creating the folder when needed; the
// reason when it could not.
std::optional<std::string> SaveSettings(const std::string& path, const Settings& settings);

}  // namespace kv
