#include "shell/Pause.h"

#include <algorithm>

#include "game/Game.h"
#include "widgets/kvWindows.h"
#include "platform/Canvas.h"

namespace kv {

void PauseState::Set(PauseReason reason, bool on)
{
    switch (reason) {
    case PauseReason::Key: ByKey = on; break;
    case PauseReason::Focus: ByFocus = on; break;
    case PauseReason::Minimise: ByMinimise = on; break;
    }
}

// Space: over the top bar's name plate, between its buttons, where a click
// does nothing. The other scenes have no HUD buttons: the middle.
MarkBox PausedMarkBox(uint8_t scene)
{
    if (scene == SceneSpace) return MarkBox{320, 12, 160, 40};
    return MarkBox{320, 280, 160, 40};
}

namespace {

// The panel behind the word covers what lies under it: nothing of the
// picture shows through the mark.
constexpr Rgb MarkBacking{0, 24, 12};

}  // namespace

void MarkPaused(const Bitmap& frame, uint8_t scene, Bitmap& marked)
{
    marked = frame;
    const MarkBox box = PausedMarkBox(scene);
    Canvas canvas(marked);
    marked.pen = Pen{HudTextColour, 1, PenStyle::Solid, PenMode::Copy};
    marked.brush.SetColour(MarkBacking);
    canvas.Rectangle(box.Left, box.Top, box.Left + box.Width, box.Top + box.Height);
    marked.brush.Style = BrushStyle::Clear;
    marked.font = Font{"Arial Black", 16, HudTextColour};
    const TextExtent size = canvas.TextSize("Paused");
    canvas.TextOut(box.Left + (box.Width - size.Width) / 2, box.Top + (box.Height - size.Height) / 2, "Paused");
}

}  // namespace kv
