#include "platform/BmpFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/DataFile.h"
#include "platform/DataPath.h"
#include "platform/LoadError.h"

namespace kv {

namespace {

constexpr std::size_t FileHeaderSize = 14;

uint16_t Read16(const std::vector<uint8_t>& d, std::size_t at)
{
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}

uint32_t Read32(const std::vector<uint8_t>& d, std::size_t at)
{
    return static_cast<uint32_t>(d[at]) | static_cast<uint32_t>(d[at + 1]) << 8 |
           static_cast<uint32_t>(d[at + 2]) << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

int32_t ReadSigned32(const std::vector<uint8_t>& d, std::size_t at)
{
    const uint32_t v = Read32(d, at);
    return v > 0x7FFFFFFFu ? -static_cast<int32_t>(~v) - 1 : static_cast<int32_t>(v);
}

// The compression field's values (the desktop's BI_RGB, BI_RLE8 ...).
constexpr uint32_t Uncompressed = 0;
constexpr uint32_t Rle8 = 1;
constexpr uint32_t Rle4 = 2;
constexpr uint32_t BitFields = 3;
// No believable picture of at most 4096 x 4096 pixels is larger than this:
// 64 MB of 32-bit pixels and room for any header and palette.
constexpr std::size_t MaxFileSize = (64u << 20) + (1u << 16);

// What the header claims, once it has been read.
struct Header {
    uint32_t DataOffset = 0;
    uint32_t InfoSize = 0;
    int64_t Width = 0;
    int64_t Height = 0;  // negative: rows stored top-down
    uint32_t BitsPerPixel = 0;
    uint32_t Compression = 0;
    uint32_t ColoursUsed = 0;
};

std::string SizeText(int64_t width, int64_t height) { return std::to_string(width) + " x " + std::to_string(height); }

// The reason a picture of this size is not wanted, or nothing. RLE pictures
// are a few bytes whatever size they claim, so this, not the file's size, is
// what keeps a forged header from asking for gigabytes.
std::optional<std::string> SizeRefusal(int64_t width, int64_t rows, PictureSize allowed)
{
    if (width < 1 || width > MaxPictureSide || rows < 1 || rows > MaxPictureSide)
        return "implausible picture size " + SizeText(width, rows) + " (each side must be 1 to " +
               std::to_string(MaxPictureSide) + ")";
    if (allowed.Exact && (width != allowed.Width || rows != allowed.Height))
        return "the picture is " + SizeText(width, rows) + " pixels, it must be " +
               SizeText(allowed.Width, allowed.Height);
    if (width > allowed.Width || rows > allowed.Height)
        return "the picture is " + SizeText(width, rows) + " pixels, more than the " +
               SizeText(allowed.Width, allowed.Height) + " it may have";
    return std::nullopt;
}

// The reason to refuse the file, or nothing when its header is believable.
// SDL's own loader accepts some forged headers and returns a blank picture,
// so everything it would trust is checked here against the file's size.
std::optional<std::string> Refusal(const std::vector<uint8_t>& d, PictureSize allowed, Header& h)
{
    if (d.empty()) return "the file is empty";
    if (d.size() < 2 || d[0] != 'B' || d[1] != 'M') return "not a BMP file (no \"BM\" signature)";
    if (d.size() < FileHeaderSize + 12) return "the file is too short for a BMP header";
    h.DataOffset = Read32(d, 10);
    h.InfoSize = Read32(d, 14);
    constexpr std::array<uint32_t, 7> known{12, 40, 52, 56, 64, 108, 124};
    if (std::find(known.begin(), known.end(), h.InfoSize) == known.end())
        return "unknown BMP header size " + std::to_string(h.InfoSize);
    if (d.size() < FileHeaderSize + h.InfoSize) return "the file is too short for its BMP header";
    if (h.InfoSize == 12) {
        h.Width = Read16(d, 18);
        h.Height = static_cast<int16_t>(Read16(d, 20));
        h.BitsPerPixel = Read16(d, 24);
    } else {
        h.Width = ReadSigned32(d, 18);
        h.Height = ReadSigned32(d, 22);
        h.BitsPerPixel = Read16(d, 28);
        h.Compression = Read32(d, 30);
        h.ColoursUsed = Read32(d, 46);
    }
    const int64_t rows = h.Height < 0 ? -h.Height : h.Height;
    if (std::optional<std::string> reason = SizeRefusal(h.Width, rows, allowed)) return reason;
    constexpr std::array<uint32_t, 6> depths{1, 4, 8, 16, 24, 32};
    if (std::find(depths.begin(), depths.end(), h.BitsPerPixel) == depths.end())
        return "unsupported colour depth of " + std::to_string(h.BitsPerPixel) + " bits per pixel";
    const bool compressionFits = h.Compression == Uncompressed ||
                                 (h.Compression == Rle8 && h.BitsPerPixel == 8 && h.Height > 0) ||
                                 (h.Compression == Rle4 && h.BitsPerPixel == 4 && h.Height > 0) ||
                                 (h.Compression == BitFields && (h.BitsPerPixel == 16 || h.BitsPerPixel == 32));
    if (!compressionFits)
        return "unsupported compression " + std::to_string(h.Compression) + " for " +
               std::to_string(h.BitsPerPixel) + " bits per pixel";
    if (h.BitsPerPixel <= 8 && h.ColoursUsed > (1u << h.BitsPerPixel))
        return "the palette claims " + std::to_string(h.ColoursUsed) + " colours";
    if (h.DataOffset < FileHeaderSize + h.InfoSize || h.DataOffset >= d.size())
        return "the pixel data offset " + std::to_string(h.DataOffset) + " lies outside the file";
    if (h.Compression == Uncompressed || h.Compression == BitFields) {
        const uint64_t rowSize = (static_cast<uint64_t>(h.Width) * h.BitsPerPixel + 31) / 32 * 4;
        const uint64_t needed = h.DataOffset + rowSize * static_cast<uint64_t>(rows);
        if (needed > d.size())
            return "the file is truncated: its header claims " + std::to_string(needed) + " bytes, the file has " +
                   std::to_string(d.size());
    }
    return std::nullopt;
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Decodes checked bytes into `into`; errors name `shownPath`.
void Decode(const std::vector<uint8_t>& bytes, const Header& header, const std::string& shownPath, Bitmap& into)
{
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) throw LoadError(shownPath, SDL_GetError());
    const SurfacePtr loaded(SDL_LoadBMP_RW(stream, 1));
    if (!loaded) throw LoadError(shownPath, std::string("not a readable BMP: ") + SDL_GetError());
    const SurfacePtr bgr(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_BGR24, 0));
    if (!bgr) throw LoadError(shownPath, std::string("cannot convert to 24 bits: ") + SDL_GetError());
    if (bgr->w != header.Width || bgr->h != (header.Height < 0 ? -header.Height : header.Height))
        throw LoadError(shownPath, "the decoded picture does not have the size of its header");

    into.SetSize(bgr->w, bgr->h);
    const auto rowBytes = static_cast<std::size_t>(into.Stride());
    for (int y = 0; y < bgr->h; ++y)
        std::memcpy(into.Row(y), static_cast<const uint8_t*>(bgr->pixels) + static_cast<std::ptrdiff_t>(y) * bgr->pitch,
                    rowBytes);
}

// Loads the file at `realPath`; errors name `shownPath`.
void Load(const std::string& realPath, const std::string& shownPath, Bitmap& into, PictureSize allowed)
{
    LoadBmpBytes(ReadDataFile(realPath, shownPath, MaxFileSize), shownPath, into, allowed);
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

void LoadBmp(const std::string& dataPath, Bitmap& into, PictureSize size)
{
    Load(ResolveDataPath(dataPath), dataPath, into, size);
}

void LoadBmpFile(const std::string& realPath, Bitmap& into, PictureSize size) { Load(realPath, realPath, into, size); }

void LoadBmpBytes(const std::vector<uint8_t>& bytes, const std::string& shownPath, Bitmap& into, PictureSize size)
{
    if (bytes.size() > MaxFileSize) throw LoadError(shownPath, "the file is larger than a picture can be");
    Header header;
    if (const std::optional<std::string> reason = Refusal(bytes, size, header)) throw LoadError(shownPath, *reason);
    NamingTheFileWhenMemoryRunsOut(shownPath, [&] { Decode(bytes, header, shownPath, into); });
}

// A plain Windows BMP: 14-byte file header, 40-byte information header, rows
// of blue-green-red bottom-up, each padded to a multiple of 4 bytes.
void SaveBmpFile(const std::string& realPath, const Bitmap& bitmap)
{
    if (bitmap.Empty()) throw std::runtime_error("Cannot save \"" + realPath + "\": the bitmap is empty");
    const auto stride = static_cast<uint32_t>(bitmap.Stride());
    const uint32_t padded = (stride + 3) / 4 * 4;
    const uint32_t dataSize = padded * static_cast<uint32_t>(bitmap.Height());
    const uint32_t offset = 14 + 40;
    std::vector<uint8_t> out;
    out.reserve(offset + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + dataSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(bitmap.Width()));
    Put32(out, static_cast<uint32_t>(bitmap.Height()));
    Put16(out, 1);   // planes
    Put16(out, 24);  // bits per pixel
    Put32(out, Uncompressed);
    Put32(out, dataSize);
    Put32(out, 3780);  // 96 DPI in pixels per metre
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const uint8_t* row = bitmap.Row(y);
        out.insert(out.end(), row, row + stride);
        out.insert(out.end(), padded - stride, 0);
    }
    std::ofstream file(realPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("Cannot save \"" + realPath + "\": write error");
}

void SavePngFile(const std::string& realPath, const Bitmap& bitmap)
{
    if (bitmap.Empty()) throw std::runtime_error("Cannot save \"" + realPath + "\": the bitmap is empty");
    // SDL only reads through the pointer here; the surface is freed before returning.
    const SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(bitmap.Data()), bitmap.Width(),
                                                                bitmap.Height(), 24, bitmap.Stride(),
                                                                SDL_PIXELFORMAT_BGR24));
    if (!surface) throw std::runtime_error("Cannot save \"" + realPath + "\": " + SDL_GetError());
    if (IMG_SavePNG(surface.get(), realPath.c_str()) != 0)
        throw std::runtime_error("Cannot save \"" + realPath + "\": " + IMG_GetError());
}

}  // namespace kv
