#include "platform/BmpFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/LoadError.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

class BmpFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / "bmpfile";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static Bytes Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path dir_;
};

kv::Bitmap Sample(int w, int h)
{
    kv::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, kv::Rgb{static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 30), static_cast<uint8_t>(x + y)});
    return b;
}

void Put32(Bytes& b, std::size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void Put16(Bytes& b, std::size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Expects a LoadError naming `path` and whose message contains `reason`.
void ExpectRefused(const std::string& path, const std::string& reason)
{
    kv::Bitmap into(3, 2);
    into.Fill(kv::ColourKey);
    try {
        kv::LoadBmpFile(path, into);
        ADD_FAILURE() << "loaded " << path;
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
    // A refused file leaves the bitmap as it was.
    EXPECT_EQ(into.Width(), 3);
    EXPECT_EQ(into.Pixel(2, 1), kv::ColourKey);
}

TEST_F(BmpFileTest, RoundTripKeepsPixelsAndDrawingSettings)
{
    const kv::Bitmap original = Sample(13, 7);  // 39-byte rows, padded to 40
    const std::string path = PathOf("round.bmp");
    kv::SaveBmpFile(path, original);
    EXPECT_EQ(fs::file_size(path), 54u + 40u * 7u);

    kv::Bitmap loaded(2, 2);
    loaded.font = kv::Font{"Fixedsys", 9, kv::Rgb{0, 249, 0}};
    loaded.pen.Colour = kv::Rgb{1, 2, 3};
    loaded.brush.Style = kv::BrushStyle::Clear;
    kv::LoadBmpFile(path, loaded);
    ASSERT_EQ(loaded.Width(), 13);
    ASSERT_EQ(loaded.Height(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) EXPECT_EQ(loaded.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(loaded.font.Name, "Fixedsys");
    EXPECT_EQ(loaded.pen.Colour, (kv::Rgb{1, 2, 3}));
    EXPECT_EQ(loaded.brush.Style, kv::BrushStyle::Clear);
}

// A file's bytes in memory go through the same checks and decoder.
TEST_F(BmpFileTest, BytesInMemoryLoadAsTheirFileDoes)
{
    const kv::Bitmap original = Sample(13, 7);
    const std::string path = PathOf("memory.bmp");
    kv::SaveBmpFile(path, original);
    Bytes bytes = Read(path);
    kv::Bitmap fromFile;
    kv::Bitmap fromMemory;
    kv::LoadBmpFile(path, fromFile);
    kv::LoadBmpBytes(bytes, "memory.bmp", fromMemory);
    ASSERT_EQ(fromMemory.Width(), 13);
    EXPECT_TRUE(std::equal(fromFile.Data(), fromFile.Data() + fromFile.Stride() * 7, fromMemory.Data()));
    bytes.resize(bytes.size() - 1);
    try {
        kv::LoadBmpBytes(bytes, "memory.bmp", fromMemory);
        ADD_FAILURE() << "a cut picture loaded";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), "memory.bmp");
        EXPECT_NE(std::string(e.what()).find("truncated"), std::string::npos) << e.what();
    }
}

TEST_F(BmpFileTest, BottomUpOnDiskAndTopDownAccepted)
{
    kv::Bitmap b(1, 2);
    b.SetPixel(0, 0, kv::Rgb{10, 20, 30});
    b.SetPixel(0, 1, kv::Rgb{40, 50, 60});
    const std::string path = PathOf("tiny.bmp");
    kv::SaveBmpFile(path, b);
    Bytes bytes = Read(path);
    ASSERT_EQ(bytes.size(), 54u + 8u);
    // The last row comes first in the file, blue first.
    EXPECT_EQ(bytes[54], 60);
    EXPECT_EQ(bytes[56], 40);
    EXPECT_EQ(bytes[58], 30);

    // The same rows marked top-down (negative height) are read the other way.
    Put32(bytes, 22, static_cast<uint32_t>(-2));
    kv::Bitmap flipped;
    kv::LoadBmpFile(Write("topdown.bmp", bytes), flipped);
    ASSERT_EQ(flipped.Height(), 2);
    EXPECT_EQ(flipped.Pixel(0, 0), (kv::Rgb{40, 50, 60}));
    EXPECT_EQ(flipped.Pixel(0, 1), (kv::Rgb{10, 20, 30}));
}

TEST_F(BmpFileTest, PalettedPicturesAreConvertedTo24Bits)
{
    // 2 x 1, 8 bits, a palette of two colours.
    Bytes bytes(14 + 40 + 8 + 4, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, 14 + 40 + 8);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, 2);
    Put32(bytes, 22, 1);
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 8);
    Put32(bytes, 46, 2);
    // Palette entries are blue, green, red, reserved.
    bytes[54] = 255;  // entry 0: blue
    bytes[58 + 1] = 0;
    bytes[58 + 2] = 255;  // entry 1: red
    bytes[62] = 1;
    bytes[63] = 0;
    kv::Bitmap b;
    kv::LoadBmpFile(Write("paletted.bmp", bytes), b);
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(0, 0), (kv::Rgb{255, 0, 0}));
    EXPECT_EQ(b.Pixel(1, 0), (kv::Rgb{0, 0, 255}));
}

TEST_F(BmpFileTest, RefusesAMissingFile)
{
    ExpectRefused(PathOf("nothing.bmp"), "file not found");
}

TEST_F(BmpFileTest, RefusesAnEmptyFile)
{
    ExpectRefused(Write("empty.bmp", {}), "empty");
}

TEST_F(BmpFileTest, RefusesANonBmpFile)
{
    const std::string text = "MZ this is not a picture at all, just some text that is long enough";
    ExpectRefused(Write("text.bmp", Bytes(text.begin(), text.end())), "not a BMP");
    ExpectRefused(Write("short.bmp", Bytes{'B', 'M', 0, 0}), "too short");
}

TEST_F(BmpFileTest, RefusesATruncatedFile)
{
    const std::string path = PathOf("whole.bmp");
    kv::SaveBmpFile(path, Sample(20, 20));
    Bytes bytes = Read(path);
    bytes.resize(bytes.size() / 2);
    ExpectRefused(Write("truncated.bmp", bytes), "truncated");
}

TEST_F(BmpFileTest, RefusesForgedHeaders)
{
    const std::string path = PathOf("good.bmp");
    kv::SaveBmpFile(path, Sample(4, 4));
    const Bytes good = Read(path);

    Bytes wide = good;
    Put32(wide, 18, 100000);
    ExpectRefused(Write("wide.bmp", wide), "implausible picture size");

    Bytes tall = good;
    Put32(tall, 22, static_cast<uint32_t>(-100000));
    ExpectRefused(Write("tall.bmp", tall), "implausible picture size");

    Bytes flat = good;
    Put32(flat, 22, 0);
    ExpectRefused(Write("flat.bmp", flat), "implausible picture size");

    Bytes lowest = good;
    Put32(lowest, 22, 0x80000000u);
    ExpectRefused(Write("lowest.bmp", lowest), "implausible picture size");

    Bytes depth = good;
    Put16(depth, 28, 7);
    ExpectRefused(Write("depth.bmp", depth), "colour depth");

    Bytes packed = good;
    Put32(packed, 30, 9);
    ExpectRefused(Write("packed.bmp", packed), "compression");

    Bytes header = good;
    Put32(header, 14, 99);
    ExpectRefused(Write("header.bmp", header), "header size");

    Bytes offset = good;
    Put32(offset, 10, 1000000);
    ExpectRefused(Write("offset.bmp", offset), "offset");

    Bytes palette = good;
    Put16(palette, 28, 8);
    Put32(palette, 46, 100000);
    ExpectRefused(Write("palette.bmp", palette), "palette");
}

// A file of a few bytes whose header claims a size: 40-byte information
// header, `paletteEntries` colours, then `body` as the pixel data.
Bytes Claiming(int32_t width, int32_t height, uint16_t bits, uint32_t compression, const Bytes& body,
               uint32_t paletteEntries = 0)
{
    const uint32_t offset = 14 + 40 + paletteEntries * 4 + (compression == 3 ? 12 : 0);
    Bytes bytes(offset, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 10, offset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<uint32_t>(width));
    Put32(bytes, 22, static_cast<uint32_t>(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, bits);
    Put32(bytes, 30, compression);
    Put32(bytes, 46, paletteEntries);
    if (compression == 3) {  // red, green and blue masks of 32-bit pixels
        Put32(bytes, 54, 0x00FF0000u);
        Put32(bytes, 58, 0x0000FF00u);
        Put32(bytes, 62, 0x000000FFu);
    }
    bytes.insert(bytes.end(), body.begin(), body.end());
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

// Compressed pictures are a few bytes whatever size they claim, so the size in
// the header is refused before anything is allocated for it, in every
// compression. 4096 pixels a side is the most any picture may have.
TEST_F(BmpFileTest, HugeClaimsAreRefusedInEveryCompression)
{
    const Bytes endOfPicture{0, 1};
    const Bytes fewPixels(64, 0);
    ExpectRefused(Write("rle8.bmp", Claiming(8192, 8192, 8, 1, endOfPicture, 2)), "implausible picture size");
    ExpectRefused(Write("rle4.bmp", Claiming(8192, 8192, 4, 2, endOfPicture, 2)), "implausible picture size");
    ExpectRefused(Write("rle8_wide.bmp", Claiming(4097, 1, 8, 1, endOfPicture, 2)), "implausible picture size");
    ExpectRefused(Write("rle4_tall.bmp", Claiming(1, 4097, 4, 2, endOfPicture, 2)), "implausible picture size");
    ExpectRefused(Write("plain.bmp", Claiming(8192, 8192, 24, 0, fewPixels)), "implausible picture size");
    ExpectRefused(Write("plain_tall.bmp", Claiming(4, -4097, 24, 0, fewPixels)), "implausible picture size");
    ExpectRefused(Write("fields.bmp", Claiming(8192, 8192, 32, 3, fewPixels)), "implausible picture size");
    ExpectRefused(Write("fields_wide.bmp", Claiming(65535, 1, 32, 3, fewPixels)), "implausible picture size");

    // At the ceiling an RLE picture still loads (its unwritten pixels take
    // palette colour 0).
    kv::Bitmap b;
    kv::LoadBmpFile(Write("rle8_edge.bmp", Claiming(4096, 2, 8, 1, endOfPicture, 2)), b);
    EXPECT_EQ(b.Width(), 4096);
    EXPECT_EQ(b.Height(), 2);
}

TEST_F(BmpFileTest, ScreensRefusePicturesOfAnotherSize)
{
    const std::string path = PathOf("four.bmp");
    kv::SaveBmpFile(path, Sample(4, 3));
    kv::Bitmap b;
    EXPECT_NO_THROW(kv::LoadBmpFile(path, b, kv::Exactly(4, 3)));
    EXPECT_NO_THROW(kv::LoadBmpFile(path, b, kv::AtMost(4, 3)));
    kv::Bitmap kept(3, 2);
    for (const kv::PictureSize size : {kv::Exactly(3, 4), kv::Exactly(4, 4), kv::AtMost(3, 3), kv::AtMost(4, 2)}) {
        try {
            kv::LoadBmpFile(path, kept, size);
            ADD_FAILURE() << "loaded at " << size.Width << " x " << size.Height;
        } catch (const kv::LoadError& e) {
            EXPECT_NE(std::string(e.what()).find("the picture is 4 x 3 pixels"), std::string::npos) << e.what();
        }
        EXPECT_EQ(kept.Width(), 3);
    }
}

TEST_F(BmpFileTest, DataPathErrorsNameThePathAsWritten)
{
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    fs::create_directories(dir_ / "res" / "gfx");
    kv::SaveBmpFile((dir_ / "res" / "gfx" / "Pic.bmp").string(), Sample(3, 3));
    kv::Bitmap b;
    EXPECT_NO_THROW(kv::LoadBmp("Res\\GFX\\pic.BMP", b));
    EXPECT_EQ(b.Width(), 3);
    try {
        kv::LoadBmp("Res\\gfx\\missing.bmp", b);
        ADD_FAILURE() << "loaded a missing file";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), "Res\\gfx\\missing.bmp");
    }
    fs::current_path(previous);
}

TEST_F(BmpFileTest, SavesPng)
{
    const std::string path = PathOf("frame.png");
    kv::SavePngFile(path, Sample(33, 21));
    const Bytes bytes = Read(path);
    ASSERT_GT(bytes.size(), 24u);
    const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), bytes.begin()));
    const auto big32 = [&](std::size_t at) {
        return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
    };
    EXPECT_EQ(big32(16), 33u);  // IHDR width and height
    EXPECT_EQ(big32(20), 21u);
}

}  // namespace
