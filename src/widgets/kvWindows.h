// The HUD's container widget. Every panel is a kvWindow with its own 24-bit
// face bitmap, composed when its content changes and copied onto the frame
// at its position with colour-key transparency and a constant-alpha blend.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/OneBased.h"
#include "platform/Bitmap.h"
#include "platform/Blit.h"
#include "platform/Input.h"

namespace kv {

// A click at window-relative (X, Y); Button 0 left, 1 right, 2 middle.
using ClickHandler = std::function<void(int16_t x, int16_t y, uint8_t button)>;

// The three widget kinds; code that walks a window's items picks each
// item's drawing and click rules by its kind, never by a virtual call.
enum class WidgetKind : uint8_t { Window, Button, Edit };

class kvWindow {
public:
    // Sizes the face, gives it the HUD font ("Fixedsys" in RGB(0, 249, 0))
    // and a clear brush; visible, not sliding, Alpha 179, at (0, 0), no items.
    void Create(uint16_t width, uint16_t height);
    // Fills the whole face with the transparent colour.
    void ClearToKey();
    // Copies the face onto `target` at (Left, Top), keyed by the transparent
    // colour and blended with Alpha, as Blit does, over the whole target.
    void DrawTo(Bitmap& target) const;
    // Draws a line on the face with its current pen.
    void Line(int x1, int y1, int x2, int y2);
    // Appends an item; a window holds at most 20, further ones are refused.
    bool AddItem(kvWindow& item);

    WidgetKind Kind = WidgetKind::Window;
    ClickHandler OnClick;
    uint16_t Width = 0;
    uint16_t Height = 0;
    Bitmap Face;
    int32_t Left = 0;
    int32_t Top = 0;
    uint8_t Visible = 1;
    uint8_t SlideIn = 0;
    uint8_t SlideOut = 0;
    uint16_t Alpha = 179;
    OneBased<kvWindow*, 20> Items;
    uint8_t ItemCount = 0;

    // The drawn runs of the face's rows, found again only when the face has
    // changed, so that a frame blends whole runs without looking at the key
    // colour pixel by pixel.
    mutable OpaqueRuns Opaque;
};

// An image with an optional centred caption that runs its handler when
// clicked; (128, 0, 128) marks the parts of its image that are neither drawn
// nor clickable.
class kvButton : public kvWindow {
public:
    kvButton() { Kind = WidgetKind::Button; }
    // Placed at (x1, y1), x2 - x1 wide and y2 - y1 high, opaque, enabled; the
    // image is a data file exactly that size.
    void Create(int x1, int y1, int x2, int y2, const std::string& caption, const std::string& bitmapPath);
    // Draws onto its window's face (never the face's last column or row),
    // skipping the transparent colour and the not-clickable purple, then the
    // caption in the target's font.
    void DrawTo(Bitmap& target) const;

    std::string Caption;
    uint8_t Enabled = 1;
};

// Whether the HUD's font (Terminus) draws a character that an edit field
// may take: printable Latin-1 and Latin Extended-A (without the soft
// hyphen, and without Ŷ ŷ, which Terminus lacks), and Cyrillic
// (U+0400..U+045F, and Ґ ґ).
bool HudFontDraws(char32_t c);

// A one-line field that collects typed text. Text arrives as the desktop's
// text input gives it (UTF-8, from any keyboard layout, dead keys and input
// methods included); keys only edit it.
class kvEdit : public kvWindow {
public:
    kvEdit() { Kind = WidgetKind::Edit; }
    void Create(int x, int y, uint16_t width, const std::string& bitmapPath);
    void DrawTo(Bitmap& target) const;
    // Backspace takes away the last character; Enter submits when
    // SubmitOnEnter is set. Other keys do nothing here.
    void KeyPress(uint16_t key);
    // Appends the characters of the typed text that the HUD's font draws,
    // while (characters + 1) * 8 < Width; the others are passed over.
    void TypeText(std::string_view typed);

    std::string Text;
    // The field's image as Create loaded it; FrameEdit shows it again.
    Bitmap Picture;
    uint8_t SubmitOnEnter = 0;
    // Receives the text on Enter (the console's command line).
    std::function<void(const std::string&)> OnSubmit;
};

class kvSound;
class Canvas;

// A click at window-relative (x, y) of a top-level window: the first visible
// item with a handler whose box holds the point and whose pixel there is not
// (128, 0, 128) takes it. An enabled button plays the click sound, runs its
// handler and takes the focus; an edit runs its handler silently and takes
// the focus; anything else plays the refusal sound and the search goes on.
// When no item takes the click, the window's own handler runs and the window
// takes the focus.
void ClickItemAt(kvWindow& window, int16_t x, int16_t y, uint8_t button, kvWindow*& focusedItem, kvSound& sound);

// Shows the edit's image again and draws its green frame over it.
void FrameEdit(kvEdit& edit);
// Paints a picture over a whole face, which takes the picture's size and
// keeps its own drawing settings: how a compose routine lays a panel's
// background, loaded once when the HUD is built, under its text.
void PaintFace(Bitmap& face, const Bitmap& picture);
// The text cut to fit `width` pixels in the canvas's font, ending in an
// ellipsis where it is cut; the whole text when it fits.
std::string FitText(const Canvas& canvas, std::string_view text, int width);
// Writes a text centred on column `centreX`.
void CentredText(Canvas& canvas, int centreX, int y, std::string_view text);
// Draws an item by its kind: button, edit or plain window.
void DrawItem(const kvWindow& item, Bitmap& target);
// Draws a window's visible items onto its own face, in item order: the last
// step of every screen's compose routine.
void DrawVisibleItems(kvWindow& window);

constexpr Rgb HudTextColour{0, 249, 0};
// The caption of a button that refuses clicks.
constexpr Rgb DisabledTextColour{0, 96, 0};
// The dark green bar behind the chosen row of a list: the market's goods,
// the ship window's parts, the save window's slots. Dark enough that the
// HUD's green text on it keeps a contrast above 4.5:1 when the panel is
// blended over the backdrop.
constexpr Rgb SelectionBar{0, 52, 0};

}  // namespace kv
