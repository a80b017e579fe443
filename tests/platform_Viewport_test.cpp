// Where the frame lands in windows of any size, and which frame pixel a
// pointer falls on: worked out, and checked against what the window shows.
#include "platform/Viewport.h"

#include <gtest/gtest.h>

#include "platform/Window.h"

namespace {

using kv::Extent;
using kv::FramePoint;
using kv::Placement;
using kv::ScalingStyle;

constexpr Extent Frame{800, 600};

TEST(Viewport, SharpShowsTheLargestWholeMultipleCentred)
{
    EXPECT_EQ(kv::PlaceFrame({800, 600}, Frame, ScalingStyle::Sharp), (Placement{0, 0, 800, 600}));
    EXPECT_EQ(kv::PlaceFrame({1920, 1080}, Frame, ScalingStyle::Sharp), (Placement{560, 240, 800, 600}));
    EXPECT_EQ(kv::PlaceFrame({1600, 1200}, Frame, ScalingStyle::Sharp), (Placement{0, 0, 1600, 1200}));
    EXPECT_EQ(kv::PlaceFrame({3840, 2160}, Frame, ScalingStyle::Sharp), (Placement{720, 180, 2400, 1800}));
    // Smaller than the frame: shrunk to fit rather than cut.
    EXPECT_EQ(kv::PlaceFrame({400, 600}, Frame, ScalingStyle::Sharp), (Placement{0, 150, 400, 300}));
}

TEST(Viewport, SmoothFillsTheLargestPictureOfTheFramesShape)
{
    EXPECT_EQ(kv::PlaceFrame({1920, 1080}, Frame, ScalingStyle::Smooth), (Placement{240, 0, 1440, 1080}));
    EXPECT_EQ(kv::PlaceFrame({3840, 2160}, Frame, ScalingStyle::Smooth), (Placement{480, 0, 2880, 2160}));
    EXPECT_EQ(kv::PlaceFrame({1000, 2000}, Frame, ScalingStyle::Smooth), (Placement{0, 625, 1000, 750}));
    EXPECT_EQ(kv::PlaceFrame({0, 0}, Frame, ScalingStyle::Smooth), Placement{});
}

TEST(Viewport, WholeScalesFitAndStep)
{
    EXPECT_EQ(kv::LargestWholeScale({1728, 945}, Frame), 1);
    EXPECT_EQ(kv::LargestWholeScale({3456, 1900}, Frame), 3);
    EXPECT_EQ(kv::LargestWholeScale({100, 100}, Frame), 1) << "never below 1";
    const Extent room{3840, 2100};
    EXPECT_EQ(kv::StepWholeScale({800, 600}, room, Frame, 1), 2);
    EXPECT_EQ(kv::StepWholeScale({2400, 1800}, room, Frame, 1), 3) << "4x does not fit";
    EXPECT_EQ(kv::StepWholeScale({1600, 1200}, room, Frame, -1), 1);
    EXPECT_EQ(kv::StepWholeScale({800, 600}, room, Frame, -1), 1);
    // A window the player dragged to between 1x and 2x.
    EXPECT_EQ(kv::StepWholeScale({1000, 700}, room, Frame, 1), 2);
    EXPECT_EQ(kv::StepWholeScale({1000, 700}, room, Frame, -1), 1);
}

TEST(Viewport, PointerPositionsMapToFramePixelsAndOffIt)
{
    const Placement twice = kv::PlaceFrame({1920, 1200}, Frame, ScalingStyle::Sharp);  // 160, 0, 1600 x 1200
    auto at = [&](int x, int y) { return kv::FramePixelAt(x, y, {1920, 1200}, {1920, 1200}, twice, Frame); };
    EXPECT_EQ(at(160, 0), (FramePoint{0, 0}));
    EXPECT_EQ(at(161, 1), (FramePoint{0, 0}));
    EXPECT_EQ(at(162, 2), (FramePoint{1, 1}));
    EXPECT_EQ(at(1759, 1199), (FramePoint{799, 599}));
    // On the bars: outside the frame, not pulled onto its edge.
    EXPECT_EQ(at(159, 0).X, -1);
    EXPECT_EQ(at(0, 0).X, -80);
    EXPECT_EQ(at(1760, 0).X, 800);
    // A high-DPI window: 800 x 600 units, drawn into 1600 x 1200 pixels.
    const Placement hidpi = kv::PlaceFrame({1600, 1200}, Frame, ScalingStyle::Sharp);
    EXPECT_EQ(kv::FramePixelAt(0, 0, {800, 600}, {1600, 1200}, hidpi, Frame), (FramePoint{0, 0}));
    EXPECT_EQ(kv::FramePixelAt(799, 599, {800, 600}, {1600, 1200}, hidpi, Frame), (FramePoint{799, 599}));
    EXPECT_EQ(kv::FramePixelAt(400, 300, {800, 600}, {1600, 1200}, hidpi, Frame), (FramePoint{400, 300}));
}

// Every frame pixel has its own colour, so a picture of the window tells
// which frame pixel each screen pixel shows.
kv::Bitmap NumberedFrame()
{
    kv::Bitmap frame(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            frame.SetPixel(x, y, kv::Rgb{static_cast<uint8_t>(x & 255), static_cast<uint8_t>(y & 255),
                                         static_cast<uint8_t>((x >> 8) | ((y >> 8) << 4))});
    return frame;
}

class ShownFrame : public ::testing::TestWithParam<Extent> {};

// The click mapping agrees with the picture at every screen pixel of the
// whole multiples (1x, 2x, 3x), between them and shrunk, and the bars are
// black.
TEST_P(ShownFrame, EveryScreenPixelMapsToTheFramePixelItShows)
{
    const Extent size = GetParam();
    kv::Window window;
    window.Resize(size.Width, size.Height);
    const kv::Bitmap frame = NumberedFrame();
    window.Present(frame);
    const kv::Bitmap shot = window.Screenshot();
    ASSERT_EQ(shot.Width(), size.Width);
    const Placement p = kv::PlaceFrame(size, Frame, ScalingStyle::Sharp);
    int wrong = 0;
    for (int y = 0; y < size.Height; ++y) {
        for (int x = 0; x < size.Width; ++x) {
            const FramePoint f = window.ToFrame(x, y);
            const bool inside = x >= p.Left && x < p.Left + p.Width && y >= p.Top && y < p.Top + p.Height;
            ASSERT_EQ(inside, f.X >= 0 && f.X < 800 && f.Y >= 0 && f.Y < 600) << x << ", " << y;
            const kv::Rgb expected = inside ? frame.Pixel(f.X, f.Y) : kv::Black;
            if (shot.Pixel(x, y) != expected && ++wrong < 5) ADD_FAILURE() << "screen pixel " << x << ", " << y;
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShownFrame,
                         ::testing::Values(Extent{800, 600}, Extent{1700, 1250}, Extent{2400, 1800}, Extent{700, 500}));

// At a fill that is no whole multiple a pointer takes the frame pixel whose
// area holds the middle of the screen pixel under it, as the game's scaler
// and a renderer sampling pixel centres show it.
TEST(Viewport, NonWholeFillsMapByThePixelsMiddle)
{
    const Extent out{1920, 1080};
    const Placement p = kv::PlaceFrame(out, Frame, ScalingStyle::Smooth);  // 240, 0, 1440 x 1080: 1.8x
    auto at = [&](int x, int y) { return kv::FramePixelAt(x, y, out, out, p, Frame); };
    EXPECT_EQ(at(240, 0), (FramePoint{0, 0}));
    EXPECT_EQ(at(241, 1), (FramePoint{0, 0}));   // middles 1.5: still the first pixel
    EXPECT_EQ(at(242, 2), (FramePoint{1, 1}));   // middles 2.5: past 1.8
    EXPECT_EQ(at(248, 8), (FramePoint{4, 4}));   // 8.5 / 1.8 = 4.72
    EXPECT_EQ(at(1679, 1079), (FramePoint{799, 599}));
    EXPECT_EQ(at(239, 0).X, -1);
    EXPECT_EQ(at(1680, 0).X, 800);
}

TEST(ShownFrameSmooth, FillsTheWindowBetweenBarsAndMapsItsCorners)
{
    kv::Window window;
    window.SetScaling(ScalingStyle::Smooth);
    window.Resize(1100, 700);
    kv::Bitmap frame(800, 600);
    frame.Fill(kv::White);
    window.Present(frame);
    const kv::Bitmap shot = window.Screenshot();
    // 933 x 700, from column 83 to 1015.
    EXPECT_EQ(shot.Pixel(82, 350), kv::Black);
    EXPECT_EQ(shot.Pixel(83, 350), kv::White);
    EXPECT_EQ(shot.Pixel(1015, 350), kv::White);
    EXPECT_EQ(shot.Pixel(1016, 350), kv::Black);
    EXPECT_EQ(window.ToFrame(83, 0), (FramePoint{0, 0}));
    EXPECT_EQ(window.ToFrame(1015, 699), (FramePoint{799, 599}));
    EXPECT_EQ(window.ToFrame(548, 349), (FramePoint{399, 299}));
    EXPECT_EQ(window.ToFrame(82, 0).X, -1);
}

// Without a real display the game's own scaler draws; the bars follow a
// change of style and of size, leaving nothing of the picture before.
TEST(ShownFrameSmooth, BarsFollowTheStyleAndTheSize)
{
    kv::Window window;
    EXPECT_EQ(window.RendererName(), "software");
    window.SetScaling(ScalingStyle::Smooth);
    window.Resize(1100, 700);
    kv::Bitmap frame(800, 600);
    frame.Fill(kv::White);
    window.Present(frame);
    window.SetScaling(ScalingStyle::Sharp);
    window.Present(frame);
    kv::Bitmap shot = window.Screenshot();
    EXPECT_EQ(shot.Pixel(149, 350), kv::Black) << "the smooth picture's edge is gone";
    EXPECT_EQ(shot.Pixel(150, 350), kv::White);
    EXPECT_EQ(shot.Pixel(500, 49), kv::Black);
    window.Resize(1000, 800);
    window.Present(frame);
    shot = window.Screenshot();
    ASSERT_EQ(shot.Width(), 1000);
    EXPECT_EQ(shot.Pixel(99, 400), kv::Black);
    EXPECT_EQ(shot.Pixel(100, 400), kv::White);
    EXPECT_EQ(shot.Pixel(500, 700), kv::Black);
    EXPECT_EQ(shot.Pixel(899, 699), kv::White);
}

}  // namespace
