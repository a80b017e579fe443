#include "widgets/kvWindows.h"

#include <algorithm>
#include <string>

#include "base/Utf8.h"
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

// Blends a widget's face onto the target at the widget's position, by the
// face's drawn runs. Only the part of the face that really exists is read,
// even when a reloaded image left it smaller than the widget.
void BlendFace(const kvWindow& widget, Bitmap& target, Transparency keys, uint16_t alpha, TargetClip clip)
{
    widget.Opaque.Refresh(widget.Face, keys);
    Blit(target, widget.Left, widget.Top, widget.Face,
         BlitStyle().From({0, 0, widget.Width, widget.Height}).Keyed(keys).Blended(alpha).ClippedBy(clip).WithRuns(
             &widget.Opaque));
}

// Buttons and edit fields stay off their window's last column and row.
void BlendItem(const kvWindow& item, Bitmap& target, Transparency keys, uint16_t alpha)
{
    BlendFace(item, target, keys, alpha, TargetClip::ShortOfLastColumnAndRow);
}

// Text placed far outside the target draws nothing; the position is kept in
// a range where the canvas can add glyph offsets without overflowing.
int TextCoordinate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -(1 << 30), 1 << 30)); }

std::string SizeText(int64_t width, int64_t height) { return std::to_string(width) + " x " + std::to_string(height); }


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

void kvWindow::DrawTo(Bitmap& target) const { BlendFace(*this, target, KeyedBy(ColourKey), Alpha, TargetClip::Whole); }

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
    BlendItem(*this, target, KeyedBy(ColourKey, NotClickable), Enabled ? Alpha : dimmed);
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
    Picture = face;
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
    BlendItem(*this, target, KeyedBy(ColourKey), Alpha);
    Canvas(target).TextOut(TextCoordinate(int64_t{Left} + 2), TextCoordinate(int64_t{Top} + 1), Text);
}

void kvEdit::KeyPress(uint16_t key)
{
    if (key == vk::Back) {
        DropLastUtf8(Text);
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
}

void kvEdit::TypeText(std::string_view typed)
{
    for (const char32_t c : DecodeUtf8(typed)) {
        if (!HudFontDraws(c)) continue;
        if ((Utf8Length(Text) + 1) * CellWidth >= Width) return;
        AppendUtf8(Text, c);
    }
}

bool HudFontDraws(char32_t c)
{
    const bool latin = (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0x17F && c != 0xAD && c != 0x176 && c != 0x177);
    const bool cyrillic = (c >= 0x400 && c <= 0x45F) || c == 0x490 || c == 0x491;
    return latin || cyrillic;
}

std::string FitText(const Canvas& canvas, std::string_view text, int width)
{
    if (canvas.TextWidth(text) <= width) return std::string(text);
    constexpr std::string_view Ellipsis = "\u2026";
    // Cut whole UTF-8 characters only: never between a lead byte and the
    // bytes that follow it.
    std::string cut(text);
    const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    while (!cut.empty()) {
        while (!cut.empty() && continuation(cut.back())) cut.pop_back();
        if (!cut.empty()) cut.pop_back();
        if (canvas.TextWidth(cut + std::string(Ellipsis)) <= width) break;
    }
    return cut + std::string(Ellipsis);
}

void CentredText(Canvas& canvas, int centreX, int y, std::string_view text)
{
    canvas.TextOut(centreX - canvas.TextWidth(text) / 2, y, text);
}

void FrameEdit(kvEdit& edit)
{
    PaintFace(edit.Face, edit.Picture);
    Canvas(edit.Face).Rectangle(0, 0, edit.Width, edit.Height);
}

void PaintFace(Bitmap& face, const Bitmap& picture)
{
    face.SetSize(picture.Width(), picture.Height());
    Canvas(face).Draw(0, 0, picture);
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
