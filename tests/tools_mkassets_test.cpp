// Checks of the generated data files as the game will meet them: every
// picture in the format and at the size its window or widget needs, the
// catalogue's hulls and weapons with their pictures and sounds, and an
// outro text in the crawl's format (the sounds have tests of their own).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/DataFiles.h"
#include "universe/SpaceCraft.h"

namespace {

namespace fs = std::filesystem;
using kv::testing::GameDir;
using kv::testing::Little;
using kv::testing::ReadBytes;

struct Rgb {
    int R, G, B;
    friend bool operator==(Rgb, Rgb) = default;
};
constexpr Rgb Magenta{255, 0, 255};

struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;  // top row first
    Rgb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// Reads a picture, failing the test unless it is an uncompressed bottom-up
// 24-bit BMP whose rows are padded to four bytes.
Picture ReadPicture(const std::string& relative)
{
    const std::vector<uint8_t> b = ReadBytes(GameDir / relative);
    Picture p;
    EXPECT_GE(b.size(), 54u) << relative;
    if (b.size() < 54)
        return p;
    EXPECT_EQ(b[0], 'B') << relative;
    EXPECT_EQ(b[1], 'M') << relative;
    EXPECT_EQ(Little(b, 28, 2), 24u) << relative;
    EXPECT_EQ(Little(b, 30, 4), 0u) << relative << " is compressed";
    p.Width = static_cast<int>(Little(b, 18, 4));
    p.Height = static_cast<int>(Little(b, 22, 4));
    const std::size_t offset = Little(b, 10, 4);
    const std::size_t rowBytes = (static_cast<std::size_t>(p.Width) * 3 + 3) & ~std::size_t{3};
    EXPECT_EQ(b.size(), offset + rowBytes * static_cast<std::size_t>(p.Height)) << relative;
    if (b.size() != offset + rowBytes * static_cast<std::size_t>(p.Height))
        return p;
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x) {
            const std::size_t at = offset + rowBytes * static_cast<std::size_t>(p.Height - 1 - y) + 3 * x;
            p.Pixels.push_back({b[at + 2], b[at + 1], b[at]});
        }
    return p;
}

// The catalogues as the game reads them (the tests run in the game folder).
kv::ShipCatalogue ShippedCatalogue()
{
    kv::ShipCatalogue catalogue;
    kv::LoadShipCatalogue(catalogue);
    return catalogue;
}

struct Sized {
    const char* Path;
    int Width;
    int Height;
};

// Every picture is exactly as large as the window or widget it is loaded
// into (or, where nothing fixes the size, as large as the game was drawn for).
const std::vector<Sized> SizedPictures{
    {"res/gfx/Loadscreen.bmp", 800, 600},           {"res/gfx/loader.bmp", 285, 100},
    {"res/gfx/backgrounds/planet3.bmp", 800, 600},  {"res/gfx/backgrounds/combat_tiles1.bmp", 256, 256},
    {"res/gfx/hud/logo.bmp", 628, 40},              {"res/gfx/hud/top.bmp", 800, 115},
    {"res/gfx/hud/bottom.bmp", 800, 150},           {"res/gfx/hud/left.bmp", 200, 375},
    {"res/gfx/hud/right.bmp", 200, 375},            {"res/gfx/hud/center.bmp", 350, 350},
    {"res/gfx/hud/center_main.bmp", 309, 289},      {"res/gfx/hud/center_left.bmp", 21, 350},
    {"res/gfx/hud/center_top.bmp", 310, 20},        {"res/gfx/hud/center_bottom.bmp", 309, 41},
    {"res/gfx/hud/center_right.bmp", 20, 350},      {"res/gfx/hud/btn1.bmp", 150, 24},
    {"res/gfx/hud/btn2.bmp", 80, 20},               {"res/gfx/hud/btn3.bmp", 15, 15},
    {"res/gfx/hud/btn_zoom_in.bmp", 45, 23},        {"res/gfx/hud/btn_zoom_out.bmp", 45, 23},
    {"res/gfx/hud/menu_map.bmp", 24, 24},           {"res/gfx/hud/menu_goods.bmp", 24, 24},
    {"res/gfx/hud/menu_player.bmp", 24, 24},        {"res/gfx/hud/menu_planet.bmp", 24, 24},
    {"res/gfx/hud/menu_console.bmp", 24, 24},       {"res/gfx/hud/menu_ship.bmp", 24, 24},
    {"res/gfx/hud/menu_sound_play.bmp", 24, 24},    {"res/gfx/hud/menu_sound_stop.bmp", 24, 24},
    {"res/gfx/hud/menu_sound_prev.bmp", 24, 24},    {"res/gfx/hud/menu_sound_next.bmp", 24, 24},
    {"res/gfx/hud/menu_sound_name.bmp", 180, 24},   {"res/gfx/hud/menu_trans_1.bmp", 24, 24},
    {"res/gfx/hud/menu_trans_2.bmp", 24, 24},       {"res/gfx/hud/menu_trans_3.bmp", 24, 24},
    {"res/gfx/hud/new_left.bmp", 20, 60},           {"res/gfx/hud/new_right.bmp", 20, 60},
    {"res/gfx/hud/new_left_low.bmp", 20, 20},       {"res/gfx/hud/new_right_low.bmp", 20, 20},
    {"res/gfx/hud/edit.bmp", 160, 20},              {"res/gfx/hud/console.bmp", 740, 20},
    {"res/gfx/hud/c_alert.bmp", 12, 12},            {"res/gfx/hud/c_info.bmp", 12, 12},
    {"res/gfx/hud/c_audio.bmp", 12, 12},            {"res/gfx/hud/c_mail.bmp", 12, 12},
    {"res/gfx/hud/c_alien.bmp", 12, 12},            {"res/gfx/hud/cursor.bmp", 16, 16},
    {"res/gfx/hud/scanner.bmp", 101, 101},          {"res/gfx/models/aster1.bmp", 56, 56},
    {"res/gfx/models/aster2.bmp", 40, 40},          {"res/gfx/models/bullet.bmp", 2, 2},
    {"res/gfx/avatar/avatar1.bmp", 60, 60},         {"res/gfx/avatar/avatar2.bmp", 60, 60},
    {"res/gfx/avatar/avatar3.bmp", 60, 60},         {"res/gfx/avatar/avatar4.bmp", 60, 60},
    {"res/gfx/avatar/avatar5.bmp", 60, 60},         {"res/gfx/avatar/avatar6.bmp", 60, 60},
    {"res/gfx/avatar/avatar7.bmp", 60, 60},
};

TEST(GeneratedPictures, EveryPictureHasTheSizeItsWindowOrWidgetNeeds)
{
    for (const Sized& s : SizedPictures) {
        const Picture p = ReadPicture(s.Path);
        EXPECT_EQ(p.Width, s.Width) << s.Path;
        EXPECT_EQ(p.Height, s.Height) << s.Path;
    }
}

// A pixel half way between a shape and the key colour would show as a pink
// fringe wherever the picture is drawn.
TEST(GeneratedPictures, KeyedPicturesHaveNoPinkFringe)
{
    for (const Sized& s : SizedPictures) {
        const Picture p = ReadPicture(s.Path);
        for (const Rgb c : p.Pixels) {
            const bool pinkish = c.R > 180 && c.G < 90 && c.B > 180;
            ASSERT_FALSE(pinkish && !(c == Magenta)) << s.Path << " " << c.R << "," << c.G << "," << c.B;
        }
    }
}

// The side panels' two-line headings ("Player", "Star" or "Ship" over
// "information", 8 x 16 letters at y 7 and 27; from x 80 to 168 on the
// player panel, 20 to 108 on the right-hand ones) lie on the title plate:
// its rim goes round both lines and never through them.
TEST(GeneratedPictures, SidePanelHeadingsLieOnTheirTitlePlate)
{
    constexpr Rgb PlateRim{40, 130, 108};
    struct Heading {
        const char* Path;
        int Left;
        int Right;
    };
    constexpr int Top = 7;
    constexpr int Bottom = 43;
    for (const Heading h : {Heading{"res/gfx/hud/left.bmp", 80, 168}, Heading{"res/gfx/hud/right.bmp", 20, 108}}) {
        const Picture p = ReadPicture(h.Path);
        ASSERT_EQ(p.Pixels.size(), 200u * 375u) << h.Path;
        const auto rimIn = [&](int x0, int y0, int x1, int y1) {
            int n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) n += p.At(x, y) == PlateRim ? 1 : 0;
            return n;
        };
        EXPECT_EQ(rimIn(h.Left - 1, Top, h.Right + 1, Bottom), 0) << h.Path << ": the rim cuts the heading";
        const int middle = (Top + Bottom) / 2;
        EXPECT_GT(rimIn(h.Left - 12, middle, h.Left - 1, middle + 1), 0) << h.Path << ": no plate left of the heading";
        EXPECT_GT(rimIn(h.Right + 1, middle, h.Right + 12, middle + 1), 0) << h.Path << ": no plate right of it";
        EXPECT_GT(rimIn(h.Left + 40, 0, h.Left + 41, Top), 0) << h.Path << ": no plate above it";
        EXPECT_GT(rimIn(h.Left + 40, Bottom, h.Left + 41, 50), 0) << h.Path << ": no plate below it";
    }
}

// Menu icons: a two-pixel margin inside the button's one-pixel rim and
// shading in all three tones.
TEST(GeneratedPictures, MenuIconsKeepTheirMarginAndThreeTones)
{
    constexpr std::array<Rgb, 3> Tones{{{150, 255, 175}, {50, 170, 100}, {20, 90, 60}}};
    const auto toneOf = [&](Rgb c) { return static_cast<int>(std::find(Tones.begin(), Tones.end(), c) - Tones.begin()); };
    for (const char* name : {"map", "goods", "player", "planet", "console", "ship", "sound_play", "sound_stop",
                             "sound_prev", "sound_next", "trans_1", "trans_2", "trans_3"}) {
        const std::string path = std::string("res/gfx/hud/menu_") + name + ".bmp";
        const Picture p = ReadPicture(path);
        ASSERT_EQ(p.Pixels.size(), 24u * 24u) << path;
        std::array<int, 3> used{};
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const int tone = toneOf(p.At(x, y));
                if (tone == 3) continue;
                const bool inMargin = x < 3 || y < 3 || x > 20 || y > 20;
                EXPECT_FALSE(inMargin) << path << ": icon drawn at " << x << "," << y;
                ++used[static_cast<std::size_t>(tone)];
            }
        EXPECT_TRUE(used[0] > 0 && used[1] > 0 && used[2] > 0) << path << " is not shaded in three tones";
    }
}

// The title's black menu circle bounds the hover bands that are flood-filled
// up to black; a black pixel of the picture inside would stop the fill.
TEST(GeneratedPictures, TitleBackdropHasNoBlackInsideTheMenuCircle)
{
    const Picture p = ReadPicture("res/gfx/Loadscreen.bmp");
    ASSERT_EQ(p.Pixels.size(), 800u * 600u);
    for (int y = 350; y < 550; ++y)
        for (int x = 50; x < 250; ++x)
            if ((x - 150) * (x - 150) + (y - 450) * (y - 450) < 97 * 97) {
                ASSERT_FALSE(p.At(x, y) == (Rgb{0, 0, 0})) << x << "," << y;
            }
}

double Luma(Rgb c) { return 0.299 * c.R + 0.587 * c.G + 0.114 * c.B; }

bool IsBlack(Rgb c) { return c == Rgb{0, 0, 0}; }

// Explosions are drawn over ships and over each other with black as the
// key: a dark pixel at the edge of a frame would stack into brown rims.
TEST(GeneratedPictures, ExplosionStripOpensOnAFlashAndHasOnlyBrightEdges)
{
    const Picture p = ReadPicture("res/gfx/models/explosion1.bmp");
    ASSERT_GT(p.Width, 0);
    ASSERT_EQ(p.Height % p.Width, 0);
    const int frames = p.Height / p.Width;
    EXPECT_GE(frames, 12);
    EXPECT_LE(frames, 16);
    const Rgb flash = p.At(p.Width / 2, p.Width / 2);
    EXPECT_GT(std::min({flash.R, flash.G, flash.B}), 230) << "the first frame is a white flash";
    for (int frame = 0; frame < frames; ++frame) {
        EXPECT_TRUE(IsBlack(p.At(0, frame * p.Width))) << "frame " << frame;
        int drawn = 0;
        for (int y = frame * p.Width; y < (frame + 1) * p.Width; ++y)
            for (int x = 0; x < p.Width; ++x) {
                const Rgb c = p.At(x, y);
                if (IsBlack(c))
                    continue;
                ++drawn;
                const bool edge = x == 0 || x == p.Width - 1 || y % p.Width == 0 || y % p.Width == p.Width - 1 ||
                                  IsBlack(p.At(x - 1, y)) || IsBlack(p.At(x + 1, y)) || IsBlack(p.At(x, y - 1)) ||
                                  IsBlack(p.At(x, y + 1));
                ASSERT_FALSE(edge && Luma(c) < 110) << "dark edge at " << x << "," << y;
            }
        EXPECT_GT(drawn, 0) << "frame " << frame << " is empty";
    }
}

// A battle turns ships every way, so a ship lit from one side would be lit
// from below when it flies the other way: both halves of the hull, either
// side of its centre line, are lit alike.
TEST(GeneratedPictures, ShipsAreLitAlikeOnBothSidesOfTheirCentreLine)
{
    const kv::ShipCatalogue c = ShippedCatalogue();
    for (std::size_t i = 1; i <= c.HullCount; ++i) {
        const std::string& name = c.HullCatalogue[i].Name;
        const Picture p = ReadPicture("res/gfx/models/" + name + ".bmp");
        ASSERT_EQ(p.Pixels.size(), 92u * 92u);
        double upper = 0;
        double lower = 0;
        for (int y = 0; y < 46; ++y)
            for (int x = 0; x < 92; ++x) {
                if (!(p.At(x, y) == Magenta))
                    upper += Luma(p.At(x, y));
                if (!(p.At(x, 91 - y) == Magenta))
                    lower += Luma(p.At(x, 91 - y));
            }
        EXPECT_NEAR(upper / lower, 1.0, 0.06) << name;
    }
}

bool FileNameSafe(const std::string& name)
{
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

// Battles spawn enemies from hulls 1..5 and weapons 1..4, load each hull's
// picture by name and play each weapon's sound by name.
TEST(Catalogue, EveryHullAndWeaponHasItsPicturesAndSound)
{
    const kv::ShipCatalogue c = ShippedCatalogue();
    EXPECT_GE(c.HullCount, 5u);
    EXPECT_GE(c.EngineCount, 2u);
    EXPECT_GE(c.WeaponCount, 4u);
    for (std::size_t i = 1; i <= c.HullCount; ++i) {
        const std::string& name = c.HullCatalogue[i].Name;
        ASSERT_TRUE(FileNameSafe(name)) << name;
        const Picture model = ReadPicture("res/gfx/models/" + name + ".bmp");
        EXPECT_EQ(model.Width, 92) << name;
        EXPECT_EQ(model.Height, 92) << name;
        ASSERT_EQ(model.Pixels.size(), 92u * 92u) << name;
        EXPECT_EQ(model.At(0, 0), Magenta) << name << " must leave its corners transparent";
        EXPECT_FALSE(model.At(46, 46) == Magenta) << name << " has no body at its centre";
        EXPECT_GT(ReadPicture("res/gfx/models/" + name + "_g.bmp").Width, 0) << name;
    }
    for (std::size_t i = 1; i <= c.EngineCount; ++i)
        EXPECT_GT(c.EngineCatalogue[i].Consumption, 0) << c.EngineCatalogue[i].Name;
    for (std::size_t i = 1; i <= c.WeaponCount; ++i) {
        const std::string& name = c.WeaponCatalogue[i].Name;
        ASSERT_TRUE(FileNameSafe(name)) << name;
        EXPECT_TRUE(fs::exists(GameDir / "res/sfx/weapon" / (name + ".wav"))) << name;
        EXPECT_LE(c.WeaponCatalogue[i].WeaponType, 2) << name << " would fire invisible shots";
    }
}

// The crawl's lines: "#" headings, empty lines, and justified lines of words
// each followed by exactly one blank, 40 pixels apiece on a 2100-pixel sheet.
TEST(OutroText, FollowsTheCrawlFormat)
{
    std::ifstream file(GameDir / "res/outro.txt", std::ios::binary);
    ASSERT_TRUE(file);
    int lines = 0;
    int headings = 0;
    int justified = 0;
    for (std::string line; std::getline(file, line); ++lines) {
        ASSERT_EQ(line.find('\r'), std::string::npos) << "line " << lines + 1;
        ASSERT_TRUE(std::all_of(line.begin(), line.end(), [](unsigned char c) { return c >= 32 && c < 127; }))
            << "line " << lines + 1;
        if (line.empty())
            continue;
        if (line[0] == '#') {
            ++headings;
            continue;
        }
        ++justified;
        EXPECT_EQ(line.back(), ' ') << "line " << lines + 1 << " would lose its last word";
        EXPECT_EQ(line.find("  "), std::string::npos) << "line " << lines + 1;
        EXPECT_NE(line[0], ' ') << "line " << lines + 1;
        EXPECT_GE(std::count(line.begin(), line.end(), ' '), 3) << "line " << lines + 1 << " is spread too thin";
        EXPECT_LE(line.size(), 40u) << "line " << lines + 1;
    }
    EXPECT_LE(lines * 40, 2100 - 40);
    EXPECT_GE(headings, 2);
    EXPECT_GE(justified, 15);
}

// The effects as written: 16-bit mono waves after a 44-byte header.
std::vector<double> WaveSamples(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<double> samples;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<uint8_t>(bytes[i]);
        const auto high = static_cast<uint8_t>(bytes[i + 1]);
        samples.push_back(static_cast<int16_t>(low | (high << 8)) / 32768.0);
    }
    return samples;
}

double Peak(const std::vector<double>& s)
{
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    return peak;
}

// The loudest 400 ms, as a root mean square.
double LoudestRms(const std::vector<double>& s)
{
    const std::size_t window = std::min<std::size_t>(s.size(), 22050 * 4 / 10);
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sum += s[i] * s[i];
        if (i >= window) sum -= s[i - window] * s[i - window];
        best = std::max(best, sum);
    }
    return std::sqrt(best / static_cast<double>(window));
}

// One rule levels the effects: the explosions loudest, the collision under
// every explosion, the weapons under both, the HUD's sounds quietest; and
// every wave ends in silence, its last millisecond under -50 dBFS.
TEST(GeneratedSounds, EffectsKeepTheirOrderAndEndInSilence)
{
    const fs::path weapon = GameDir / "res/sfx/weapon";
    const fs::path hud = GameDir / "res/sfx/hud";
    double quietestBlast = 1, quietestBlastPeak = 1;
    for (const char* file : {"small_explosion_1.wav", "small_explosion_2.wav", "small_explosion_3.wav"}) {
        const auto s = WaveSamples(weapon / file);
        quietestBlast = std::min(quietestBlast, LoudestRms(s));
        quietestBlastPeak = std::min(quietestBlastPeak, Peak(s));
    }
    const auto collision = WaveSamples(weapon / "collision.wav");
    EXPECT_LT(LoudestRms(collision), quietestBlast);
    EXPECT_LT(Peak(collision), quietestBlastPeak);
    double loudestShot = 0;
    for (const char* file : {"Laser.wav", "Pulser.wav", "Plasma.wav", "Railgun.wav"})
        loudestShot = std::max(loudestShot, LoudestRms(WaveSamples(weapon / file)));
    EXPECT_LT(loudestShot, quietestBlast);
    for (const char* file : {"btn_click.wav", "btn_disabled.wav", "menu1.wav", "planet_select.wav"})
        EXPECT_LT(LoudestRms(WaveSamples(hud / file)), loudestShot) << file;
    for (const fs::path& folder : {weapon, hud})
        for (const auto& entry : fs::directory_iterator(folder)) {
            const auto s = WaveSamples(entry.path());
            ASSERT_GT(s.size(), 100u);
            const std::vector<double> last(s.end() - 22, s.end());
            EXPECT_LT(Peak(last), 0.0032) << entry.path();
        }
}

}  // namespace

