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
//   music-volume = 100       (0..100 %)
//   effects-volume = 100     (0..100 %)
//   mute-in-background = 1   (sound stops while another window has the keys)
//   key.turn-left = Left     (the battle's controls, two keys each at most:
//   key.turn-right = Right    platform/Bindings.h)
//   key.thrust = Up
//   key.reverse = Down
//   key.fire = Space
//   key.leave = Esc
//   key.pause = Pause        (the window's and the space scene's keys)
//   key.fullscreen = F11
//   key.star-map = F1
//   key.player = F2
//   key.star-info = F3
//   key.ship = F4
//   key.market = F5
//   key.console = Grave
//   pad.turn-left = DpadLeft, StickLeft   (the same on a gamepad; the
//   pad.turn-right = DpadRight, StickRight  button names: Bindings.h)
//   pad.thrust = DpadUp, StickUp
//   pad.reverse = DpadDown, StickDown
//   pad.fire = A, RT
//   pad.leave = B
//   pad.dead-zone = 25       (0..90 % of a stick's push that counts as rest)
//
// The file is read key by key: a key that is missing, given a second time
// or given a value the game never writes falls back to its default alone (or,
// given twice, keeps its first value), with one line naming it; the other
// keys keep what the file says. Only a file that cannot be read at all
// (missing, unreadable, not a file, larger than a settings file can be) gives
// the defaults throughout, with one line naming the reason. Lines of keys
// this version does not know are kept as they were and written back after
// the known keys, so a file that a later version wrote keeps its settings.
//
// Writing goes to a temporary file beside the real one, which is flushed to
// the disk and then renamed over it: a crash or a full disk leaves the old
// file or the new one, never half of one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bindings.h"
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
    int MusicVolume = 100;
    int EffectsVolume = 100;
    bool MuteInBackground = true;
    Bindings Controls;
    int PadDeadZone = 25;
    // The lines of keys this version does not know, as the file gave them.
    std::vector<std::string> OtherLines;
    friend bool operator==(const Settings&, const Settings&) = default;
};

constexpr int MostWindowScale = 16;
constexpr int MostDeadZone = 90;
constexpr std::size_t MostSettingsBytes = 16384;

// What reading gave: the values; the reason they are all the defaults
// (empty when the file was read); and one line for every key that fell back
// alone.
struct SettingsRead {
    Settings Values;
    std::string Problem;
    std::vector<std::string> KeyProblems;
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
