#include "platform/Fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "platform/LoadError.h"

namespace kv {

namespace {

// The fontconfig patterns of the two families: Terminus for the HUD and the
// launcher, then the generic face fontconfig falls back on; and a
// proportional display face for the large texts of the title, the crawl and
// the banners, whose words must sit with even, narrow gaps.
constexpr std::string_view Family = "Terminus (TTF),Terminus,monospace";
constexpr std::string_view DisplayFamily = "DejaVu Sans,sans-serif";

// The game's font names and how each is drawn. A size of 0 is the size
// asked for, converted from points at 96 DPI, and for Terminus then moved to
// the nearest size it draws from a bitmap.
struct FontChoice {
    std::string_view Name;
    int FixedPixels;
    bool Bold;
    std::string_view Family;
};

constexpr std::array FontTable{
    FontChoice{"Fixedsys", 16, false, Family},
    FontChoice{"MS Sans Serif", 12, false, Family},
    FontChoice{"Arial Black", 0, true, DisplayFamily},
    FontChoice{"Arial", 0, false, DisplayFamily},
};
// Names the table does not hold.
constexpr const FontChoice& OtherNames = FontTable.back();
// The family whose faces carry bitmap strikes: their line box is the
// strike's cell.
constexpr std::string_view BitmapCellFamily = "Terminus";
// The pixel sizes of Terminus's bitmap strikes. Between them its outlines
// are drawn, and without anti-aliasing they break into uneven strokes.
constexpr std::array StrikePixels{12, 14, 16, 18, 20, 22, 24, 28, 32};

// The strike nearest a size, the smaller of two equally near.
int NearestStrike(int pixels)
{
    int best = StrikePixels.front();
    for (int strike : StrikePixels)
        if (std::abs(strike - pixels) < std::abs(best - pixels)) best = strike;
    return best;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// round(points x 96 / 72) in whole numbers: 4p / 3 never ends in a half. A
// negative size is a height in pixels, as on the desktop.
int PointsToPixels(int points)
{
    if (points < 0) return -points;
    return std::max(1, (points * 4 + 1) / 3);
}

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};

// An opened face and the line box it is measured with: CellAscent rows above
// the baseline, CellHeight rows in all.
struct OpenFont {
    std::unique_ptr<TTF_Font, FontCloser> Font;
    int Ascent = 0;  // SDL_ttf's baseline position in a rendered line
    int Height = 0;  // SDL_ttf's line height
    int CellAscent = 0;
    int CellHeight = 0;
};

void StartTtf(const std::string& path)
{
    if (TTF_WasInit() > 0) return;
    if (TTF_Init() != 0) throw LoadError(path, std::string("cannot start SDL_ttf: ") + TTF_GetError());
}

OpenFont Open(const FontFace& face)
{
    StartTtf(face.Path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(face.Path, ec)) throw LoadError(face.Path, "font file not found");
    OpenFont open;
    open.Font.reset(TTF_OpenFont(face.Path.c_str(), face.Pixels));
    if (!open.Font) throw LoadError(face.Path, std::string("cannot open the font: ") + TTF_GetError());
    TTF_Font* font = open.Font.get();
    open.Ascent = TTF_FontAscent(font);
    open.Height = TTF_FontHeight(font);
    open.CellAscent = open.Ascent;
    open.CellHeight = open.Height;
    int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
    if (face.BitmapCell && TTF_GlyphMetrics32(font, 'A', &minX, &maxX, &minY, &maxY, &advance) == 0 &&
        maxY > minY) {
        // A glyph of a bitmap strike is the whole cell, blank rows included.
        open.CellAscent = maxY;
        open.CellHeight = maxY - minY;
    }
    return open;
}

struct MatchedFace {
    std::string Path;
    std::string Family;
    bool Embolden = false;  // fontconfig asks for bold letters the file does not have
};

// What the text service takes from SDL_ttf and fontconfig, kept for the run:
// the faces opened, the family's faces as fontconfig matched them, and the
// texts rendered. When the program ends, every face is closed, then SDL_ttf
// and fontconfig are shut down, so that a leak checker sees nothing of them
// left and a real leak of font objects would show.
struct FontLibrary {
    std::map<std::pair<std::string, int>, OpenFont> Opened;
    std::map<std::string, MatchedFace> Matched;
    std::map<std::tuple<std::string, int, bool, std::string>, TextMask> Rendered;
    bool FontconfigStarted = false;

    FontLibrary() = default;
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;
    ~FontLibrary()
    {
        Rendered.clear();
        Opened.clear();
        if (TTF_WasInit() > 0) TTF_Quit();
        if (FontconfigStarted) FcFini();
    }
};

// The one library of the run, made on the first text and ended at exit.
FontLibrary& Library()
{
    static FontLibrary library;
    return library;
}

// Faces are opened once and kept for the run.
const OpenFont& Find(const FontFace& face)
{
    auto& opened = Library().Opened;
    const auto key = std::make_pair(face.Path, face.Pixels);
    auto it = opened.find(key);
    if (it == opened.end()) it = opened.emplace(key, Open(face)).first;
    return it->second;
}

// The code points of UTF-8 text; a malformed byte counts as U+FFFD.
std::vector<uint32_t> CodePoints(std::string_view text)
{
    std::vector<uint32_t> points;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        uint32_t cp = extra == 0 ? lead : lead & (0x3Fu >> extra);
        bool good = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            good = good && (next >> 6) == 2;
            cp = (cp << 6) | (next & 0x3Fu);
        }
        points.push_back(good ? cp : 0xFFFD);
        i += good ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return points;
}

// How many rows SDL_ttf added above the line for glyphs that rise above the
// font's ascent (an accented capital): the rendered line then starts that
// much higher, and the glyphs must be moved back down to keep the baseline.
int RowsAboveLine(const OpenFont& open, std::string_view text)
{
    int top = open.Ascent;
    for (uint32_t cp : CodePoints(text)) {
        int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
        if (TTF_GlyphMetrics32(open.Font.get(), cp, &minX, &maxX, &minY, &maxY, &advance) == 0)
            top = std::max(top, maxY);
    }
    return top - open.Ascent;
}

struct PatternCloser {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternCloser>;

std::string PatternString(const FcPattern* pattern, const char* property)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, property, 0, &value) != FcResultMatch || value == nullptr) return {};
    return reinterpret_cast<const char*>(value);
}

// The file fontconfig picks for the pattern, as any desktop program would
// get it: the first installed family of the list, else its nearest face.
MatchedFace Match(const std::string& wanted)
{
    if (!FcInit()) throw LoadError(wanted, "cannot start fontconfig");
    Library().FontconfigStarted = true;
    const PatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(wanted.c_str())));
    if (!pattern) throw LoadError(wanted, "not a font pattern");
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    MatchedFace face;
    if (match) {
        FcBool embolden = FcFalse;
        face = {PatternString(match.get(), FC_FILE), PatternString(match.get(), FC_FAMILY), false};
        face.Embolden = FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden;
    }
    if (face.Path.empty()) throw LoadError(wanted, "fontconfig finds no font at all");
    return face;
}

// Each family's regular and bold faces are looked up once and kept for the
// run.
const MatchedFace& MatchOnce(std::string_view family, bool bold)
{
    auto& matched = Library().Matched;
    const std::string wanted = std::string(family) + (bold ? ":bold" : "");
    auto it = matched.find(wanted);
    if (it == matched.end()) it = matched.emplace(wanted, Match(wanted)).first;
    return it->second;
}

}  // namespace

FontFace MapFont(const Font& font)
{
    const auto row = std::find_if(FontTable.begin(), FontTable.end(),
                                  [&](const FontChoice& choice) { return SameName(font.Name, choice.Name); });
    const FontChoice& choice = row != FontTable.end() ? *row : OtherNames;
    const MatchedFace& face = MatchOnce(choice.Family, choice.Bold);
    const bool bitmapCell = face.Family.compare(0, BitmapCellFamily.size(), BitmapCellFamily) == 0;
    int pixels = choice.FixedPixels;
    if (pixels == 0) pixels = bitmapCell ? NearestStrike(PointsToPixels(font.Size)) : PointsToPixels(font.Size);
    // Where the family has no bold face of its own (Terminus has none),
    // fontconfig asks for synthetic bold, as for any desktop program.
    return {face.Path, pixels, bitmapCell, face.Embolden};
}

TextBox MeasureText(const Font& font, std::string_view text)
{
    const FontFace face = MapFont(font);
    const OpenFont& open = Find(face);
    TextBox box{0, open.CellHeight};
    if (text.empty()) return box;
    const std::string s(text);
    int w = 0, h = 0;
    if (TTF_SizeUTF8(open.Font.get(), s.c_str(), &w, &h) == 0) box.Width = w + (face.Embolden ? 1 : 0);
    return box;
}

bool FontHasGlyph(const Font& font, char32_t c)
{
    return TTF_GlyphIsProvided32(Find(MapFont(font)).Font.get(), static_cast<Uint32>(c)) != 0;
}

namespace {

// Synthetic bold as the desktop drew it: each glyph pixel also sets the one
// to its right, so every stroke is a pixel wider and the text a pixel
// longer, and the counters of letters such as "m" stay open. (SDL_ttf's own
// bold thickens a bitmap strike by several pixels and fills them.)
void Embolden(TextMask& mask)
{
    const int width = mask.Width + 1;
    std::vector<uint8_t> bits(static_cast<std::size_t>(width) * static_cast<std::size_t>(mask.Height));
    for (int y = 0; y < mask.Height; ++y) {
        const uint8_t* from = mask.Bits.data() + static_cast<std::ptrdiff_t>(y) * mask.Width;
        uint8_t* to = bits.data() + static_cast<std::ptrdiff_t>(y) * width;
        for (int x = 0; x < mask.Width; ++x) {
            to[x] |= from[x];
            to[x + 1] |= from[x];
        }
    }
    mask.Width = width;
    mask.Bits = std::move(bits);
}

TextMask RenderUncached(const Font& font, std::string_view text)
{
    const FontFace face = MapFont(font);
    const OpenFont& open = Find(face);
    TextMask mask;
    mask.Box = MeasureText(font, text);
    if (text.empty()) return mask;
    const std::string s(text);
    SDL_Surface* surface = TTF_RenderUTF8_Solid(open.Font.get(), s.c_str(), SDL_Color{255, 255, 255, 255});
    if (surface == nullptr) return mask;
    // A solid rendering is 8 bits a pixel: index 0 is the background, any
    // other index a glyph pixel.
    if (surface->format->BytesPerPixel == 1) {
        const int above = std::clamp(RowsAboveLine(open, text), 0, std::max(0, surface->h - open.Height));
        mask.Left = 0;
        mask.Top = open.CellAscent - open.Ascent - above;
        mask.Width = surface->w;
        mask.Height = surface->h;
        mask.Bits.resize(static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h));
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
            for (int x = 0; x < surface->w; ++x)
                mask.Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface->w) + static_cast<std::size_t>(x)] =
                    row[x] != 0 ? 1 : 0;
        }
        if (face.Embolden) Embolden(mask);
    }
    SDL_FreeSurface(surface);
    return mask;
}

}  // namespace

// The HUD writes the same labels and numbers over and over; each text is
// rendered once per face and kept. A game shows far fewer distinct texts
// than the bound, which only stops a stream of fresh texts (the console's
// timestamps) from growing the cache without end.
TextMask RenderText(const Font& font, std::string_view text)
{
    constexpr std::size_t MostKept = 4096;
    auto& kept = Library().Rendered;
    const FontFace face = MapFont(font);
    auto key = std::make_tuple(face.Path, face.Pixels, face.Embolden, std::string(text));
    if (auto it = kept.find(key); it != kept.end()) return it->second;
    if (kept.size() >= MostKept) kept.clear();
    return kept.emplace(std::move(key), RenderUncached(font, text)).first->second;
}

}  // namespace kv
