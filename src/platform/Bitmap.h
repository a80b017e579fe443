// A 24-bit picture: rows of 3-byte pixels in the order blue, green, red, with
// no padding between rows. Every pixel routine of the game works on these rows.
//
// A bitmap also carries the drawing settings of its canvas (pen, brush, font
// and pen position), which persist between drawing calls as they did on the
// desktop the game was designed for: a screen sets them once and draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct Rgb {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

// The transparent colour of every window, item, sprite and combat picture.
constexpr Rgb ColourKey{255, 0, 255};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

enum class PenStyle { Solid, Dotted, Clear };
enum class PenMode { Copy, Invert };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Rgb Colour = Black;
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
    PenMode Mode = PenMode::Copy;
};

struct Brush {
    Rgb Colour = White;
    BrushStyle Style = BrushStyle::Solid;
    // Giving the brush a colour also makes it solid.
    void SetColour(Rgb c)
    {
        Colour = c;
        Style = BrushStyle::Solid;
    }
};

// A font by its desktop name ("Fixedsys", "Arial", "Arial Black",
// "MS Sans Serif") and size in points; the platform maps it to a real face.
struct Font {
    std::string Name = "MS Sans Serif";
    int Size = 8;
    Rgb Colour = Black;
};

// Every change of any bitmap's pixels takes the next number of this count,
// so a number names one content of one bitmap for the whole run.
inline uint64_t LastBitmapVersion = 0;

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height) { SetSize(width, height); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    int Stride() const { return width_ * 3; }

    // Resizes, keeping the pixels of the overlapping top-left area; new
    // pixels are white, as a fresh desktop bitmap is. Negative sizes are 0.
    void SetSize(int width, int height);

    // Writable access counts as a change of the content.
    uint8_t* Row(int y)
    {
        Touch();
        return pixels_.data() + static_cast<std::size_t>(y) * Stride();
    }
    const uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * Stride(); }
    uint8_t* Data()
    {
        Touch();
        return pixels_.data();
    }
    const uint8_t* Data() const { return pixels_.data(); }
    // Every row, writable, as one change of the content however many rows
    // are written: for a copy that writes row after row.
    struct Rows {
        uint8_t* First;
        std::size_t Stride;
        uint8_t* operator[](int64_t y) const { return First + static_cast<std::size_t>(y) * Stride; }
    };
    Rows WritableRows()
    {
        Touch();
        return {pixels_.data(), static_cast<std::size_t>(Stride())};
    }

    // The number of the current content: it changes with every write, so a
    // cache of something worked out from the pixels can tell it is stale.
    uint64_t Version() const { return version_; }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Reading outside the bitmap gives black; writing outside does nothing.
    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb c);
    void Fill(Rgb c);

    Pen pen;
    Brush brush;
    Font font;
    int PenX = 0;
    int PenY = 0;

private:
    void Touch() { version_ = ++LastBitmapVersion; }

    uint64_t version_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace kv
