#include "hud/kvWindows.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/LoadError.h"
#include "sound/kvSound.h"

namespace kv {

namespace {

// Marks the parts of a button image that are neither drawn nor clickable.
constexpr Rgb NotClickable{128, 0, 128};
constexpr uint16_t EditHeight = 20;
// Every typed character takes one 8-pixel Fixedsys cell of the field.
constexpr std::size_t CellWidth = 8;
constexpr const char* ClickSound = "res\\sfx\\hud\\btn_click.wav";
constexpr const char* RefusalSound = "res\\sfx\\hud\\btn_disabled.wav";

Font WidgetFont() { return Font{"Fixedsys", 9, HudTextColour}; }

// A run of target columns or rows, empty when Last < First.
struct Span {
    int First = 0;
    int Last = -1;
};

// The part of [pos, pos + length) that lies in [0, limit). Worked out in 64
// bits: a window parked far off screen while it slides must clip to nothing,
// not overflow into a visible range.
Span Clip(int64_t pos, int64_t length, int64_t limit)
{
    const int64_t first = std::clamp<int64_t>(pos, 0, std::max<int64_t>(limit, 0));
    const int64_t last = std::max(std::min(pos + length, limit) - 1, first - 1);
    return {static_cast<int>(first), static_cast<int>(last)};
}

// Blends a widget's face onto the first `columns` x `rows` pixels of the
// target at the widget's position. Only the part of the face that really
// exists is read, even when a reloaded image left it smaller than the widget.
void BlendFace(const kvWindow& widget, Bitmap& target, int columns, int rows, bool skipPurple, uint16_t alpha)
{
    const Span cols = Clip(widget.Left, std::min<int>(widget.Width, widget.Face.Width()), columns);
    const Span lines = Clip(widget.Top, std::min<int>(widget.Height, widget.Face.Height()), rows);
    if (cols.Last < cols.First) return;
    const int faceCol = static_cast<int>(cols.First - int64_t{widget.Left});
    for (int r = lines.First; r <= lines.Last; ++r) {
        const uint8_t* src = widget.Face.Row(static_cast<int>(r - int64_t{widget.Top})) + faceCol * 3;
        BlendRow(src, target.Row(r) + cols.First * 3, cols.Last - cols.First + 1, alpha, skipPurple);
    }
}

// Buttons and edit fields stay off their window's last column and row.
void BlendItem(const kvWindow& item, Bitmap& target, bool skipPurple, uint16_t alpha)
{
    BlendFace(item, target, target.Width() - 1, target.Height() - 1, skipPurple, alpha);
}

// Text placed far outside the target draws nothing; the position is kept in
// a range where the canvas can add glyph offsets without overflowing.
int TextCoordinate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -(1 << 30), 1 << 30)); }

std::string SizeText(int64_t width, int64_t height) { return std::to_string(width) + " x " + std::to_string(height); }

bool Typeable(uint16_t key)
{
    return key == vk::Space || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

// Letters arrive as their upper-case key codes; they stay upper case only
// with Shift and nothing else held.
char Typed(uint16_t key, ShiftState shift)
{
    const char c = static_cast<char>(key);
    if (shift.ShiftAlone() || key < 'A' || key > 'Z') return c;
    return static_cast<char>(c - 'A' + 'a');
}

// The item takes a click at window-relative (x, y) when it is shown, has a
// handler, holds the point (edges included) and its face is not purple there.
bool Hit(const kvWindow& item, int16_t x, int16_t y)
{
    if (!item.Visible || !item.OnClick) return false;
    const int64_t dx = int64_t{x} - item.Left;
    const int64_t dy = int64_t{y} - item.Top;
    if (dx < 0 || dy < 0 || dx >= item.Width || dy >= item.Height) return false;
    return item.Face.Pixel(static_cast<int>(dx), static_cast<int>(dy)) != NotClickable;
}

// Whether a hit item accepts the click: an enabled button clicks audibly, an
// edit field silently; a disabled button or a plain window refuses it.
bool Accepts(const kvWindow& item, kvSound& sound)
{
    if (item.Kind == WidgetKind::Edit) return true;
    if (item.Kind == WidgetKind::Button && static_cast<const kvButton&>(item).Enabled) {
        sound.PlaySoundEffect(ClickSound);
        return true;
    }
    sound.PlaySoundEffect(RefusalSound);
    return false;
}

// Runs a click handler from a copy, so a handler that replaces itself (a
// screen rebuilding its buttons) does not pull the code out from under
// its own call.
void RunHandler(const ClickHandler& handler, int16_t x, int16_t y, uint8_t button)
{
    if (!handler) return;
    const ClickHandler call = handler;
    call(x, y, button);
}

}  // namespace

void kvWindow::Create(uint16_t width, uint16_t height)
{
    Width = width;
    Height = height;
    Face.SetSize(width, height);
    Face.font = WidgetFont();
    Face.brush.Style = BrushStyle::Clear;
    Visible = 1;
    SlideIn = 0;
    SlideOut = 0;
    Alpha = 179;
    ItemCount = 0;
    Left = 0;
    Top = 0;
    OnClick = nullptr;
}

void kvWindow::Line(int x1, int y1, int x2, int y2) { Canvas(Face).Line(x1, y1, x2, y2); }

bool kvWindow::AddItem(kvWindow& item)
{
    if (ItemCount >= 20) return false;
    ++ItemCount;
    Items[ItemCount] = &item;
    return true;
}

void kvWindow::ClearToKey() { Face.Fill(ColourKey); }

namespace {

// Pixels are blended in runs of this many, with a mask of the bytes to leave
// alone worked out first, so that the blend itself is one loop over bytes
// with no branch, which the compiler turns into vector instructions.
constexpr int BlendRun = 256;

void MarkSkippedBytes(const uint8_t* src, int pixels, bool skipPurple, uint8_t* skip)
{
    for (int i = 0; i < pixels; ++i, src += 3, skip += 3) {
        const bool key = src[0] == 255 && src[1] == 0 && src[2] == 255;
        const bool purple = skipPurple && src[0] == 128 && src[1] == 0 && src[2] == 128;
        const uint8_t mark = (key || purple) ? 1 : 0;
        skip[0] = mark;
        skip[1] = mark;
        skip[2] = mark;
    }
}

void CopyBytes(const uint8_t* src, uint8_t* dst, int bytes, const uint8_t* skip)
{
    for (int i = 0; i < bytes; ++i) dst[i] = skip[i] ? dst[i] : src[i];
}

void BlendBytes(const uint8_t* src, uint8_t* dst, int bytes, unsigned alpha, const uint8_t* skip)
{
    const unsigned keep = 256 - alpha;
    for (int i = 0; i < bytes; ++i) {
        const auto blended = static_cast<uint8_t>(((keep * dst[i]) >> 8) + ((alpha * src[i]) >> 8));
        dst[i] = skip[i] ? dst[i] : blended;
    }
}

}  // namespace

void BlendRow(const uint8_t* src, uint8_t* dst, int pixels, uint16_t alpha, bool skipPurple)
{
    const unsigned a = std::min<unsigned>(alpha, 256);
    uint8_t skip[BlendRun * 3];
    for (int start = 0; start < pixels; start += BlendRun) {
        const int run = std::min(BlendRun, pixels - start);
        const uint8_t* s = src + start * 3;
        uint8_t* d = dst + start * 3;
        MarkSkippedBytes(s, run, skipPurple, skip);
        if (a == 256) CopyBytes(s, d, run * 3, skip);
        else BlendBytes(s, d, run * 3, a, skip);
    }
}

namespace {

bool IsKey(const uint8_t* p) { return p[0] == 255 && p[1] == 0 && p[2] == 255; }

void FindOpaqueRuns(const Bitmap& face, kvWindow::OpaqueRuns& runs)
{
    runs.RowStart.assign(1, 0);
    runs.First.clear();
    runs.Last.clear();
    for (int y = 0; y < face.Height(); ++y) {
        const uint8_t* p = face.Row(y);
        int x = 0;
        while (x < face.Width()) {
            while (x < face.Width() && IsKey(p + x * 3)) ++x;
            if (x == face.Width()) break;
            runs.First.push_back(x);
            while (x < face.Width() && !IsKey(p + x * 3)) ++x;
            runs.Last.push_back(x - 1);
        }
        runs.RowStart.push_back(static_cast<int32_t>(runs.First.size()));
    }
    runs.FaceVersion = face.Version();
}

void BlendSpan(const uint8_t* src, uint8_t* dst, int bytes, unsigned alpha)
{
    const unsigned keep = 256 - alpha;
    for (int i = 0; i < bytes; ++i)
        dst[i] = static_cast<uint8_t>(((keep * dst[i]) >> 8) + ((alpha * src[i]) >> 8));
}

}  // namespace

void kvWindow::DrawTo(Bitmap& target) const
{
    const Span cols = Clip(Left, std::min<int>(Width, Face.Width()), target.Width());
    const Span lines = Clip(Top, std::min<int>(Height, Face.Height()), target.Height());
    if (cols.Last < cols.First || lines.Last < lines.First) return;
    if (Opaque.FaceVersion != Face.Version()) FindOpaqueRuns(Face, Opaque);
    const unsigned alpha = std::min<unsigned>(Alpha, 256);
    const auto firstCol = static_cast<int>(cols.First - int64_t{Left});
    const auto lastCol = static_cast<int>(cols.Last - int64_t{Left});
    for (int r = lines.First; r <= lines.Last; ++r) {
        const auto y = static_cast<int>(r - int64_t{Top});
        const uint8_t* src = Face.Row(y);
        uint8_t* row = target.Row(r);
        for (int32_t k = Opaque.RowStart[static_cast<std::size_t>(y)]; k < Opaque.RowStart[static_cast<std::size_t>(y) + 1]; ++k) {
            const int from = std::max(Opaque.First[static_cast<std::size_t>(k)], firstCol);
            const int to = std::min(Opaque.Last[static_cast<std::size_t>(k)], lastCol);
            if (to < from) continue;
            const int bytes = (to - from + 1) * 3;
            uint8_t* dst = row + (int64_t{Left} + from) * 3;
            if (alpha == 256) std::memcpy(dst, src + from * 3, static_cast<std::size_t>(bytes));
            else BlendSpan(src + from * 3, dst, bytes, alpha);
        }
    }
}

// The picture is loaded and checked before the button changes, so a refused
// file leaves the button as it was. Buttons are hit-tested over their whole
// rectangle and drawn from their face, so a picture of another size would
// show the wrong part or leave dead corners: it is refused by name.
void kvButton::Create(int x1, int y1, int x2, int y2, const std::string& caption, const std::string& bitmapPath)
{
    const int64_t width = int64_t{x2} - x1;
    const int64_t height = int64_t{y2} - y1;
    Bitmap face;
    face.font = WidgetFont();
    face.pen.Colour = HudTextColour;
    face.brush.Style = BrushStyle::Clear;
    LoadBmp(bitmapPath, face);
    if (face.Width() != width || face.Height() != height)
        throw LoadError(bitmapPath, "the picture is " + SizeText(face.Width(), face.Height()) +
                                        " pixels, its button " + SizeText(width, height));
    Face = std::move(face);
    Left = x1;
    Top = y1;
    Width = static_cast<uint16_t>(width);
    Height = static_cast<uint16_t>(height);
    Visible = 1;
    SlideIn = 0;
    SlideOut = 0;
    Alpha = 256;
    Enabled = 1;
    Caption = caption;
}

// A disabled button is drawn dimmed: its picture lets the panel show
// through (three eighths of its own light) and its caption is a dark green,
// so the player sees at a glance that it will refuse a click.
void kvButton::DrawTo(Bitmap& target) const
{
    const auto dimmed = static_cast<uint16_t>(std::min<unsigned>(Alpha, 256) * 3 / 8);
    BlendItem(*this, target, true, Enabled ? Alpha : dimmed);
    if (Caption.empty()) return;
    const TextBox size = MeasureText(Face.font, Caption);
    const Rgb captionColour = target.font.Colour;
    if (!Enabled) target.font.Colour = DisabledTextColour;
    Canvas(target).TextOut(TextCoordinate(Left + (int64_t{Width} - size.Width) / 2),
                           TextCoordinate(Top + (int64_t{Height} - size.Height) / 2), Caption);
    target.font.Colour = captionColour;
}

// The image, which must have the field's size, is loaded so that a missing
// or wrong file stops the HUD build here; it is then painted over with a
// green frame around the transparent colour, so until its screen first
// frames it (FrameEdit) the window shows through.
void kvEdit::Create(int x, int y, uint16_t width, const std::string& bitmapPath)
{
    Bitmap face;
    face.font = WidgetFont();
    face.pen.Colour = HudTextColour;
    face.brush.SetColour(ColourKey);
    LoadBmp(bitmapPath, face, Exactly(width, EditHeight));
    Canvas(face).Rectangle(0, 0, width, EditHeight);
    face.brush.Style = BrushStyle::Clear;
    Face = std::move(face);
    Left = x;
    Top = y;
    Width = width;
    Height = EditHeight;
    Visible = 1;
    SlideIn = 0;
    SlideOut = 0;
    Alpha = 230;
    SubmitOnEnter = 0;
    Text.clear();
}

void kvEdit::DrawTo(Bitmap& target) const
{
    BlendItem(*this, target, false, Alpha);
    Canvas(target).TextOut(TextCoordinate(int64_t{Left} + 2), TextCoordinate(int64_t{Top} + 1), Text);
}

void kvEdit::KeyPress(uint16_t key, ShiftState shift)
{
    if (key == vk::Back) {
        if (!Text.empty()) Text.pop_back();
        return;
    }
    if (key == vk::Return) {
        if (!SubmitOnEnter) return;
        // The handler gets its own copy of the line: it may well write into
        // the field (a command echo, a reset) while it reads what was typed.
        const std::string line = Text;
        if (OnSubmit) OnSubmit(line);
        Text.clear();
        return;
    }
    if (!Typeable(key) || (Text.size() + 1) * CellWidth >= Width) return;
    Text.push_back(Typed(key, shift));
}

void FrameEdit(kvEdit& edit, const std::string& bitmapPath)
{
    LoadBmp(bitmapPath, edit.Face, Exactly(edit.Width, edit.Height));
    Canvas(edit.Face).Rectangle(0, 0, edit.Width, edit.Height);
}

void DrawItem(const kvWindow& item, Bitmap& target)
{
    switch (item.Kind) {
    case WidgetKind::Button:
        static_cast<const kvButton&>(item).DrawTo(target);
        return;
    case WidgetKind::Edit:
        static_cast<const kvEdit&>(item).DrawTo(target);
        return;
    case WidgetKind::Window:
        item.DrawTo(target);
        return;
    }
}

void ClickItemAt(kvWindow& window, int16_t x, int16_t y, uint8_t button, kvWindow*& focusedItem, kvSound& sound)
{
    focusedItem = nullptr;
    const std::size_t count = std::min<std::size_t>(window.ItemCount, decltype(window.Items)::Count);
    for (std::size_t i = 1; i <= count; ++i) {
        kvWindow* item = window.Items[i];
        if (!item || !Hit(*item, x, y) || !Accepts(*item, sound)) continue;
        RunHandler(item->OnClick, x, y, button);
        focusedItem = item;
        return;
    }
    RunHandler(window.OnClick, x, y, button);
    focusedItem = &window;
}

void DrawVisibleItems(kvWindow& window)
{
    for (std::size_t i = 1; i <= window.ItemCount; ++i) {
        const kvWindow* item = window.Items[i];
        if (item != nullptr && item->Visible == 1) DrawItem(*item, window.Face);
    }
}

}  // namespace kv
