// The game's own scaler: what each window pixel shows in both styles, the
// bars round the picture, and that nothing is written outside the picture.
#include "platform/Scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using kv::Extent;
using kv::Placement;
using kv::ScalingStyle;

constexpr Extent Frame{800, 600};
constexpr uint32_t Untouched = 0x12345678u;

// A window's pixels, 4 bytes each, with a few spare bytes at the end of
// every row as real surfaces have.
struct Output {
    Extent Size;
    int Pitch;
    std::vector<uint8_t> Bytes;

    explicit Output(Extent size) : Size(size), Pitch(size.Width * 4 + 12)
    {
        Bytes.resize(static_cast<std::size_t>(Pitch) * size.Height);
        for (std::size_t i = 0; i < Bytes.size(); i += 4) std::memcpy(&Bytes[i], &Untouched, 4);
    }
    uint32_t At(int x, int y) const
    {
        uint32_t pixel = 0;
        std::memcpy(&pixel, &Bytes[static_cast<std::size_t>(y) * Pitch + static_cast<std::size_t>(x) * 4], 4);
        return pixel;
    }
};

uint32_t Shown(kv::Rgb c) { return 0xFF000000u | (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | c.B; }

// Every pixel of its own colour, so the window tells which frame pixel it shows.
kv::Bitmap NumberedFrame()
{
    kv::Bitmap frame(Frame.Width, Frame.Height);
    for (int y = 0; y < Frame.Height; ++y)
        for (int x = 0; x < Frame.Width; ++x)
            frame.SetPixel(x, y, kv::Rgb{static_cast<uint8_t>(x & 255), static_cast<uint8_t>(y & 255),
                                         static_cast<uint8_t>((x >> 8) | ((y >> 8) << 4))});
    return frame;
}

Output Drawn(const kv::Bitmap& frame, Extent size, ScalingStyle style)
{
    Output out(size);
    kv::FrameScaler scaler;
    scaler.Draw(frame, kv::PlaceFrame(size, Frame, style), style, out.Bytes.data(), out.Pitch);
    return out;
}

bool Inside(Placement p, int x, int y) { return x >= p.Left && x < p.Left + p.Width && y >= p.Top && y < p.Top + p.Height; }

// Sharp pictures show under each window pixel the frame pixel a click there
// lands on, at whole multiples, between them and shrunk, and touch nothing
// outside the picture.
TEST(Scaler, SharpShowsThePixelAClickLandsOn)
{
    const kv::Bitmap frame = NumberedFrame();
    for (const Extent size : {Extent{800, 600}, Extent{1600, 1200}, Extent{2400, 1800}, Extent{1700, 1250},
                              Extent{700, 500}, Extent{333, 250}}) {
        const Output out = Drawn(frame, size, ScalingStyle::Sharp);
        const Placement p = kv::PlaceFrame(size, Frame, ScalingStyle::Sharp);
        int wrong = 0;
        for (int y = 0; y < size.Height; ++y)
            for (int x = 0; x < size.Width; ++x) {
                const kv::FramePoint f = kv::FramePixelAt(x, y, size, size, p, Frame);
                const uint32_t expected = Inside(p, x, y) ? Shown(frame.Pixel(f.X, f.Y)) : Untouched;
                if (out.At(x, y) != expected && ++wrong < 4)
                    ADD_FAILURE() << size.Width << "x" << size.Height << " at " << x << ", " << y;
            }
        EXPECT_EQ(wrong, 0) << size.Width << "x" << size.Height;
    }
}

// The frame's own size is the frame as it is, in either style.
TEST(Scaler, FramesOwnSizeIsACopyInBothStyles)
{
    const kv::Bitmap frame = NumberedFrame();
    const Output sharp = Drawn(frame, Frame, ScalingStyle::Sharp);
    const Output smooth = Drawn(frame, Frame, ScalingStyle::Smooth);
    EXPECT_EQ(sharp.Bytes, smooth.Bytes);
    EXPECT_EQ(sharp.At(799, 599), Shown(frame.Pixel(799, 599)));
    EXPECT_EQ(sharp.At(123, 456), Shown(frame.Pixel(123, 456)));
}

// Smooth pictures: a plain frame stays exactly plain, and every window pixel
// lies between the darkest and brightest frame pixels round the one under
// its middle (a wrong row or column would break out of that range).
TEST(Scaler, SmoothMixesOnlyThePixelsAroundEachPosition)
{
    kv::Bitmap plain(Frame.Width, Frame.Height);
    plain.Fill(kv::Rgb{201, 13, 77});
    const Extent screen{3840, 2160};
    const Placement p = kv::PlaceFrame(screen, Frame, ScalingStyle::Smooth);
    const Output flat = Drawn(plain, screen, ScalingStyle::Smooth);
    for (int y = 0; y < screen.Height; y += 7)
        for (int x = p.Left; x < p.Left + p.Width; x += 5) ASSERT_EQ(flat.At(x, y), Shown(plain.Pixel(0, 0)));

    kv::Bitmap noisy(Frame.Width, Frame.Height);
    uint32_t seed = 12345;
    for (int y = 0; y < Frame.Height; ++y)
        for (int x = 0; x < Frame.Width; ++x) {
            seed = seed * 1103515245u + 12345u;
            noisy.SetPixel(x, y, kv::Rgb{static_cast<uint8_t>(seed >> 24), static_cast<uint8_t>(seed >> 16), 0});
        }
    for (const Extent size : {screen, Extent{1100, 700}, Extent{640, 480}}) {
        const Placement at = kv::PlaceFrame(size, Frame, ScalingStyle::Smooth);
        const Output out = Drawn(noisy, size, ScalingStyle::Smooth);
        int wrong = 0;
        for (int y = 0; y < size.Height; ++y)
            for (int x = 0; x < size.Width; ++x) {
                if (!Inside(at, x, y)) {
                    wrong += out.At(x, y) != Untouched;
                    continue;
                }
                const kv::FramePoint f = kv::FramePixelAt(x, y, size, size, at, Frame);
                int least = 255;
                int most = 0;
                for (int fy = std::max(f.Y - 1, 0); fy <= std::min(f.Y + 1, Frame.Height - 1); ++fy)
                    for (int fx = std::max(f.X - 1, 0); fx <= std::min(f.X + 1, Frame.Width - 1); ++fx) {
                        least = std::min<int>(least, noisy.Pixel(fx, fy).R);
                        most = std::max<int>(most, noisy.Pixel(fx, fy).R);
                    }
                const int red = static_cast<int>((out.At(x, y) >> 16) & 255);
                if ((red < least || red > most) && ++wrong < 4) ADD_FAILURE() << size.Width << " at " << x << ", " << y;
            }
        EXPECT_EQ(wrong, 0) << size.Width << "x" << size.Height;
    }
}

// A black-to-white edge filtered at 3.6x: dark left of it, bright right of
// it, rising steadily across, and the same in every row.
TEST(Scaler, SmoothEdgeRisesWhereTheEdgeIs)
{
    kv::Bitmap frame(Frame.Width, Frame.Height);
    frame.Fill(kv::Black);
    for (int y = 0; y < Frame.Height; ++y)
        for (int x = 400; x < Frame.Width; ++x) frame.SetPixel(x, y, kv::White);
    const Extent screen{3840, 2160};
    const Placement p = kv::PlaceFrame(screen, Frame, ScalingStyle::Smooth);
    const Output out = Drawn(frame, screen, ScalingStyle::Smooth);
    const int edge = p.Left + p.Width / 2;  // 1920: frame column 400 starts here
    auto grey = [&](int x, int y) { return static_cast<int>(out.At(x, y) & 255); };
    EXPECT_EQ(grey(edge - 4, 1000), 0);
    EXPECT_EQ(grey(edge + 3, 1000), 255);
    EXPECT_GT(grey(edge, 1000), 100);
    EXPECT_LT(grey(edge - 1, 1000), 155);
    for (int x = edge - 8; x < edge + 8; ++x) {
        EXPECT_LE(grey(x, 1000), grey(x + 1, 1000)) << x;
        EXPECT_EQ(grey(x, 0), grey(x, 2159)) << x;
    }
}

TEST(Scaler, BarsAreBlackAndLeaveThePictureAlone)
{
    const Extent size{1000, 700};
    Output out(size);
    const Placement p{100, 50, 800, 600};
    kv::FillBars(out.Bytes.data(), out.Pitch, size, p);
    for (int y = 0; y < size.Height; ++y)
        for (int x = 0; x < size.Width; ++x)
            ASSERT_EQ(out.At(x, y) & 0xFFFFFFu, Inside(p, x, y) ? (Untouched & 0xFFFFFFu) : 0u) << x << ", " << y;
}

}  // namespace
