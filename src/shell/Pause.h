// Pausing: the Pause key, the window losing the keyboard focus and the
// window being minimised each hold the game still, and it runs again when
// the last of them is let go. Paused, no tick runs and no input reaches the
// scenes; the frame shows a "Paused" mark.
#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

namespace kv {

enum class PauseReason : uint8_t { Key, Focus, Minimise };

struct PauseState {
    bool ByKey = false;
    bool ByFocus = false;
    bool ByMinimise = false;

    bool Active() const { return ByKey || ByFocus || ByMinimise; }
    void Set(PauseReason reason, bool on);
};

// The box the mark takes in a scene's frame, clear of every HUD window's
// buttons and of the title's menu.
struct MarkBox {
    int Left, Top, Width, Height;
};
MarkBox PausedMarkBox(uint8_t scene);

// `marked` becomes the frame with the mark drawn over it: a darkened panel
// with a thin HUD-green frame and "Paused" in HUD green.
void MarkPaused(const Bitmap& frame, uint8_t scene, Bitmap& marked);

}  // namespace kv
