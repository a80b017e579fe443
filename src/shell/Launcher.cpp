#include "shell/Launcher.h"

#include <algorithm>

#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Panel{24, 28, 44};
constexpr Rgb PanelLight{70, 78, 110};
constexpr Rgb PanelDark{8, 10, 16};
constexpr Rgb Highlight{60, 60, 140};
constexpr Rgb HudButtonFace{12, 40, 44};
constexpr Rgb HudButtonLight{90, 170, 160};
constexpr Rgb HudButtonShade{4, 16, 18};
constexpr Rgb HudButtonCaption{0, 249, 0};

// A one-pixel bevel lit from the top left: `light` on the top and left
// edges and `dark` on the others, swapped when it is sunken.
void Bevel(Canvas& canvas, Bitmap& frame, const Launcher::Box& b, bool sunken, Rgb light = PanelLight,
           Rgb dark = PanelDark)
{
    const int right = b.Left + b.Width - 1;
    const int bottom = b.Top + b.Height - 1;
    frame.pen = Pen{sunken ? dark : light, 1, PenStyle::Solid, PenMode::Copy};
    canvas.Line(b.Left, bottom, b.Left, b.Top);
    canvas.Line(b.Left, b.Top, right + 1, b.Top);
    frame.pen.Colour = sunken ? light : dark;
    canvas.Line(right, b.Top + 1, right, bottom);
    canvas.Line(b.Left, bottom, right + 1, bottom);
}

void FillBox(Canvas& canvas, Bitmap& frame, const Launcher::Box& b, Rgb colour)
{
    frame.brush.SetColour(colour);
    canvas.FillRect(b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
    frame.brush.Style = BrushStyle::Clear;
}

void WriteText(Canvas& canvas, Bitmap& frame, int x, int y, const std::string& text)
{
    frame.font = Font{"MS Sans Serif", 8, Yellow};
    frame.brush.Style = BrushStyle::Clear;
    canvas.TextOut(x, y, text);
}

}  // namespace

void Launcher::SetItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    selected_ = 0;
    listOpen_ = false;
}

void Launcher::Select(int item)
{
    if (item >= 0 && item < static_cast<int>(items_.size())) selected_ = item;
}

Launcher::Box Launcher::ListBox() const
{
    return Box{ComboBox.Left, ComboBox.Top + ComboBox.Height, ComboBox.Width,
               static_cast<int>(items_.size()) * ItemHeight + 2};
}

int Launcher::WantedHeight() const
{
    if (!listOpen_) return 100;
    const Box list = ListBox();
    return std::max(100, list.Top + list.Height + 4);
}

std::optional<int> Launcher::ItemAt(int x, int y) const
{
    const Box list = ListBox();
    if (!list.Contains(x, y)) return std::nullopt;
    const int item = (y - list.Top - 1) / ItemHeight;
    if (item < 0 || item >= static_cast<int>(items_.size())) return std::nullopt;
    return item;
}

LauncherAction Launcher::Choose(int item)
{
    listOpen_ = false;
    hovered_ = -1;
    selected_ = item;
    return LauncherAction::Select;
}

LauncherAction Launcher::MouseDown(int x, int y)
{
    if (listOpen_) {
        if (auto item = ItemAt(x, y)) return Choose(*item);
        listOpen_ = false;
        return LauncherAction::Resize;
    }
    if (ComboBox.Contains(x, y)) {
        listOpen_ = !items_.empty();
        hovered_ = selected_;
        return LauncherAction::Resize;
    }
    if (PlayButton.Contains(x, y)) pressed_ = Pressed::Play;
    if (ExitButton.Contains(x, y)) pressed_ = Pressed::Exit;
    if (SoundBox.Contains(x, y)) {
        soundChecked_ = !soundChecked_;
        return LauncherAction::ToggleSound;
    }
    return LauncherAction::None;
}

LauncherAction Launcher::MouseMove(int x, int y)
{
    if (!listOpen_) return LauncherAction::None;
    hovered_ = ItemAt(x, y).value_or(hovered_);
    return LauncherAction::None;
}

LauncherAction Launcher::MouseUp(int x, int y)
{
    const Pressed was = pressed_;
    pressed_ = Pressed::None;
    if (was == Pressed::Play && PlayButton.Contains(x, y)) return LauncherAction::Play;
    if (was == Pressed::Exit && ExitButton.Contains(x, y)) return LauncherAction::Exit;
    return LauncherAction::None;
}

LauncherAction Launcher::KeyDown(uint16_t key)
{
    const int last = static_cast<int>(items_.size()) - 1;
    if (listOpen_) {
        if (key == vk::Up) hovered_ = std::max(0, hovered_ - 1);
        if (key == vk::Down) hovered_ = std::min(last, hovered_ + 1);
        if (key == vk::Return) return Choose(std::clamp(hovered_, 0, last));
        if (key == vk::Escape) {
            listOpen_ = false;
            return LauncherAction::Resize;
        }
        return LauncherAction::None;
    }
    if (key == vk::Return) return LauncherAction::Play;
    if (key == vk::Escape) return LauncherAction::Exit;
    if (key == vk::Up && selected_ > 0) return Choose(selected_ - 1);
    if (key == vk::Down && selected_ < last) return Choose(selected_ + 1);
    return LauncherAction::None;
}

LauncherAction Launcher::Wheel(int delta)
{
    if (listOpen_ || items_.empty()) return LauncherAction::None;
    const int last = static_cast<int>(items_.size()) - 1;
    const int next = std::clamp(selected_ + (delta < 0 ? 1 : -1), 0, last);
    return next == selected_ ? LauncherAction::None : Choose(next);
}

void Launcher::DrawCombo(Bitmap& frame) const
{
    Canvas canvas(frame);
    FillBox(canvas, frame, ComboBox, Panel);
    Bevel(canvas, frame, ComboBox, true);
    if (selected_ < static_cast<int>(items_.size()))
        WriteText(canvas, frame, ComboBox.Left + 3, ComboBox.Top + 4, items_[static_cast<std::size_t>(selected_)]);
    // The arrow is narrow enough that a mode with a two-digit rate reads
    // whole in the 6-pixel letters; it is drawn last, so a longer text ends
    // under it, as a desktop drop-down list cuts it, and the open list shows
    // it whole.
    const Box arrow{ComboBox.Left + ComboBox.Width - 12, ComboBox.Top + 2, 10, ComboBox.Height - 4};
    FillBox(canvas, frame, arrow, PanelLight);
    frame.pen = Pen{Yellow, 1, PenStyle::Solid, PenMode::Copy};
    const int cx = arrow.Left + arrow.Width / 2;
    const int cy = arrow.Top + arrow.Height / 2 - 2;
    for (int i = 0; i < 4; ++i) canvas.Line(cx - 3 + i, cy + i, cx + 4 - i, cy + i);
}

void Launcher::DrawList(Bitmap& frame) const
{
    Canvas canvas(frame);
    const Box list = ListBox();
    FillBox(canvas, frame, list, Panel);
    frame.pen = Pen{PanelLight, 1, PenStyle::Solid, PenMode::Copy};
    frame.brush.Style = BrushStyle::Clear;
    canvas.Rectangle(list.Left, list.Top, list.Left + list.Width, list.Top + list.Height);
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const Box row{list.Left + 1, list.Top + 1 + i * ItemHeight, list.Width - 2, ItemHeight};
        if (i == hovered_) FillBox(canvas, frame, row, Highlight);
        WriteText(canvas, frame, row.Left + 2, row.Top + 1, items_[static_cast<std::size_t>(i)]);
    }
}

// "Play" and "Exit" look like the HUD's buttons: a dark teal face inside a
// two-pixel bevel, lit from the top left, with the HUD's green caption.
void Launcher::DrawButton(Bitmap& frame, const Box& box, const char* caption, bool pressed) const
{
    Canvas canvas(frame);
    FillBox(canvas, frame, box, HudButtonFace);
    const Box inner{box.Left + 1, box.Top + 1, box.Width - 2, box.Height - 2};
    for (const Box& ring : {box, inner}) Bevel(canvas, frame, ring, pressed, HudButtonLight, HudButtonShade);
    frame.font = Font{"MS Sans Serif", 8, HudButtonCaption};
    const TextExtent size = canvas.TextSize(caption);
    const int shift = pressed ? 1 : 0;
    frame.brush.Style = BrushStyle::Clear;
    canvas.TextOut(box.Left + (box.Width - size.Width) / 2 + shift, box.Top + (box.Height - size.Height) / 2 + shift,
                   caption);
}

void Launcher::DrawCheckBox(Bitmap& frame) const
{
    Canvas canvas(frame);
    const Box mark{SoundBox.Left, SoundBox.Top + 2, 13, 13};
    FillBox(canvas, frame, mark, Panel);
    Bevel(canvas, frame, mark, true);
    if (soundChecked_) {
        frame.pen = Pen{Yellow, 2, PenStyle::Solid, PenMode::Copy};
        canvas.Line(mark.Left + 3, mark.Top + 6, mark.Left + 5, mark.Top + 9);
        canvas.Line(mark.Left + 5, mark.Top + 9, mark.Left + 10, mark.Top + 3);
        frame.pen.Width = 1;
    }
    WriteText(canvas, frame, SoundBox.Left + 18, SoundBox.Top + 2, "Enable sound");
}

void Launcher::Compose(const Bitmap& picture, Bitmap& frame) const
{
    frame.SetSize(std::max(picture.Width(), 285), WantedHeight());
    frame.Fill(Panel);
    Canvas(frame).Draw(0, 0, picture);
    DrawCombo(frame);
    DrawButton(frame, PlayButton, "Play", pressed_ == Pressed::Play);
    DrawButton(frame, ExitButton, "Exit", pressed_ == Pressed::Exit);
    DrawCheckBox(frame);
    if (listOpen_) DrawList(frame);
}

}  // namespace kv
