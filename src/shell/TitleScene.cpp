#include "shell/TitleScene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/Numbers.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr Point MenuCentre{150, 450};
constexpr int MenuRadius = 100;
constexpr Rgb BandColour{99, 119, 56};
constexpr Rgb HoverTextColour{0, 255, 0};

struct MenuItem {
    int16_t Id;
    const char* Text;
    Point TextAt;
    Point Seed;
};

// Drawn in this order; each band is flood-filled from its seed when hovered.
constexpr MenuItem MenuItems[] = {
    {title::Exit, "Exit", {125, 498}, {62, 489}},
    {title::StartGame, "Start game", {81, 431}, {150, 479}},
    {title::Intro, "Intro", {120, 367}, {150, 412}},
};

void DrawMenuFrame(Canvas& canvas, Bitmap& frame)
{
    frame.pen = Pen{Black, 6, PenStyle::Solid, PenMode::Copy};
    frame.brush.Style = BrushStyle::Clear;
    canvas.Ellipse(50, 350, 250, 550);
    frame.pen.Width = 1;
    canvas.Line(57, 484, 243, 484);
    canvas.Line(57, 417, 243, 417);
}

void DrawMenuItems(Canvas& canvas, Bitmap& frame, int16_t hovered)
{
    frame.font = Font{"Arial", 20, Black};
    for (const MenuItem& item : MenuItems) {
        if (item.Id == hovered) {
            frame.brush.SetColour(BandColour);
            canvas.FloodFill(item.Seed.X, item.Seed.Y, Black);
            frame.brush.Style = BrushStyle::Clear;
            frame.font.Colour = HoverTextColour;
        }
        canvas.TextOut(item.TextAt.X, item.TextAt.Y, item.Text);
        frame.font.Colour = Black;
    }
}

void DrawCrosshair(Canvas& canvas, Bitmap& frame, Point crosshair, Point mouse)
{
    frame.pen = Pen{Black, 1, PenStyle::Solid, PenMode::Invert};
    canvas.Line(0, crosshair.Y, 799, crosshair.Y);
    canvas.Line(crosshair.X, 0, crosshair.X, 639);
    frame.pen.Style = PenStyle::Dotted;
    canvas.Line(crosshair.X, crosshair.Y, mouse.X, mouse.Y);
    frame.pen = Pen{Black, 1, PenStyle::Solid, PenMode::Copy};
}

}  // namespace

// The gap is taken in 64 bits: the pointer may have left the window for the
// far end of the 32-bit range. The step never passes the pointer.
int32_t EaseToward(int32_t c, int32_t m)
{
    const int64_t gap = int64_t{m} - c;
    if (gap > 0) return static_cast<int32_t>(c + gap / 16 + 1);
    if (gap < 0) return static_cast<int32_t>(c + gap / 16 - 1);
    return c;
}

int16_t TitleItemAt(int32_t x, int32_t y)
{
    const double dx = static_cast<double>(x) - MenuCentre.X;
    const double dy = static_cast<double>(y) - MenuCentre.Y;
    if (std::sqrt(dx * dx + dy * dy) > MenuRadius) return title::None;
    if (y < 417) return title::Intro;
    if (y > 417 && y < 484) return title::StartGame;
    if (y > 484) return title::Exit;
    return title::None;
}

void LogoRing::Build(int logoWidth, int logoHeight)
{
    width_ = logoWidth;
    height_ = logoHeight;
    entries_.clear();
    const int halfWidth = logoWidth / 2;
    for (int y = std::max(0, 350 - logoHeight); y <= std::min(599, 550 + logoHeight); ++y) {
        for (int x = std::max(0, 50 - logoHeight); x <= std::min(799, 250 + logoHeight); ++x) {
            const double d = std::sqrt(static_cast<double>((x - 150) * (x - 150) + (y - 450) * (y - 450)));
            if (d == 0) continue;
            const int64_t row = Nearest(logoHeight + 100 - d);
            if (row < 0 || row > logoHeight - 2) continue;
            const double a = std::asin((x - 150) / d);
            const bool upper = y <= 450;
            const double column = upper ? halfWidth * (a + std::numbers::pi) / std::numbers::pi
                                        : halfWidth * a / std::numbers::pi;
            entries_.push_back(Entry{(y * 800 + x) * 3, static_cast<int16_t>(x), static_cast<int16_t>(y),
                                     static_cast<int16_t>(row), upper, column});
        }
    }
}

int LogoRing::ColumnOf(const Entry& e, uint16_t phase) const
{
    const int64_t column = e.Upper ? Nearest(static_cast<double>((3 * width_) / 2 - phase) - e.Column)
                                   : Nearest(e.Column - phase);
    // The column lies within two logo widths either side: fold it back
    // without a division per pixel.
    int wrapped = static_cast<int>(column);
    while (wrapped < 0) wrapped += width_;
    while (wrapped >= width_) wrapped -= width_;
    return wrapped;
}

void LogoRing::Draw(const Bitmap& logo, uint16_t phase, Bitmap& frame) const
{
    if (logo.Width() != width_ || logo.Height() != height_ || frame.Width() != 800 || frame.Height() != 600) return;
    uint8_t* out = frame.Data();
    for (const Entry& e : entries_) {
        const uint8_t* src = logo.Row(e.Row) + ColumnOf(e, phase) * 3;
        uint8_t* dst = out + e.FrameOffset;
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

LogoRing::Source LogoRing::SourceOf(int x, int y, uint16_t phase) const
{
    for (const Entry& e : entries_)
        if (e.X == x && e.Y == y) return Source{ColumnOf(e, phase), e.Row};
    return Source{};
}

void TitleTick(Game& game)
{
    SceneState& s = game.scene;
    s.Crosshair.X = EaseToward(s.Crosshair.X, s.LastMouse.X);
    s.Crosshair.Y = EaseToward(s.Crosshair.Y, s.LastMouse.Y);
    ++s.LogoPhase;
    if (s.LogoPhase > game.ui.hud.Logo.Width() - 1) s.LogoPhase = 0;
    game.RepaintNeeded = 1;
}

void ComposeTitle(Game& game, const LogoRing& ring)
{
    Bitmap& frame = game.BackBuffer;
    Canvas canvas(frame);
    canvas.Draw(0, 0, game.ui.hud.TitleWindow.Face);
    DrawMenuFrame(canvas, frame);
    DrawMenuItems(canvas, frame, game.scene.HoveredItem);
    ring.Draw(game.ui.hud.Logo, game.scene.LogoPhase, frame);
    DrawCrosshair(canvas, frame, game.scene.Crosshair, game.scene.LastMouse);
    if (game.ui.hud.OptionsWindow.Visible == 1) game.ui.hud.OptionsWindow.DrawTo(frame);
}

}  // namespace kv
