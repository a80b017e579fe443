// Backdrops: the title picture with its calm, lit planet behind the circular
// menu, the launcher's strip, the logo that the title turns around the menu,
// and the space behind the HUD.
#include <cmath>

#include "Image.h"
#include "Noise.h"
#include "Pictures.h"

namespace mkassets {
namespace {

namespace fs = std::filesystem;

Image DeepSpace(int width, int height, uint32_t seed)
{
    Image image(width, height, {});
    VerticalGradient(image, {0, 0, width, height}, {3, 5, 16}, {9, 6, 22});
    AddNebula(image, {70, 24, 96}, 1.1, width / 3.5, seed);
    AddNebula(image, {12, 48, 100}, 0.9, width / 5.0, seed + 7);
    ScatterStarSpecks(image, width * height / 330, seed + 13, 1.0);
    return image;
}

// Craters on a moon: dark bowls whose rim on the far side from the light
// catches it, as a crater wall facing the sun does.
void AddCraters(Image& image, Point centre, double radius, Point light, uint32_t seed)
{
    Rng rng(seed);
    const double length = std::hypot(light.X, light.Y);
    const Point towards{light.X / length, light.Y / length};
    for (int i = 0; i < 9; ++i) {
        const double d = radius * 0.75 * std::sqrt(rng.Real());
        const double a = rng.Between(0, 6.2831853);
        const Point at{centre.X + d * std::cos(a), centre.Y + d * std::sin(a)};
        const double r = rng.Between(0.06, 0.16) * radius;
        SoftDisc(image, at, r, {30, 26, 32}, 0.35);
        SoftDisc(image, {at.X - towards.X * r * 0.45, at.Y - towards.Y * r * 0.45}, r * 0.55, {235, 228, 215}, 0.3);
    }
}

// The menu circle (centre (150, 450), radius 100) is drawn in black over this
// picture, with black item texts inside it: the planet behind it is pale and
// evenly lit, and has no black pixel that would stop the hover band's fill.
Image TitleBackdrop()
{
    Image image = DeepSpace(800, 600, 101);
    DrawSphere(image, {640, 150}, 95,
               {{236, 170, 96}, {46, 18, 22}, {-0.8, 0.2}, 0.3, 3, 5, {255, 170, 110}, 10, 0.45});
    DrawSphere(image, {515, 262}, 17, {{200, 200, 210}, {20, 20, 34}, {0.7, -0.5}, 0.3, 6, 6});
    AddCraters(image, {515, 262}, 17, {0.7, -0.5}, 7);
    DrawSphere(image, {150, 450}, 118,
               {{222, 228, 212}, {142, 154, 150}, {0.35, -0.45}, 0.14, 2.5, 8, {190, 220, 255}, 22});
    DrawGameName(image, {410, 470}, 54);
    return image;
}

// The launcher's 285 x 100 window; its controls sit from y = 48 down.
Image LauncherBackdrop()
{
    Image image = DeepSpace(285, 100, 202);
    DrawSphere(image, {250, 24}, 15, {{120, 200, 255}, {6, 16, 40}, {-0.7, -0.3}, 0.4, 4, 9, {120, 190, 255}, 5});
    DrawGameName(image, {12, 10}, 26);
    for (int x = 10; x < 275; ++x)
        image.Blend(x, 42, {90, 170, 255}, 0.5);
    return image;
}

// The logo strip is wrapped once around the menu circle: row 0 outermost,
// the bottom row nearest the circle, columns running anticlockwise. Seen that
// way the strip reads mirrored, so the lettering is drawn mirrored. The two
// halves of the ring meet where columns half the width apart touch, so the
// strip repeats after half its width and no seam shows.
Image Logo()
{
    constexpr int Width = 628;
    constexpr int Height = 40;
    Image image(Width, Height, {});
    VerticalGradient(image, {0, 0, Width, Height}, {6, 10, 30}, {24, 44, 78});
    for (int x = 0; x < Width; ++x) {
        image.Set(x, 1, {90, 150, 220});
        image.Set(x, Height - 3, {90, 150, 220});
    }
    constexpr double LetterHeight = 22;
    const double textWidth = GameNameWidth(LetterHeight);
    for (int half = 0; half < 2; ++half) {
        const double left = half * Width / 2.0;
        DrawGameName(image, {left + (Width / 2.0 - textWidth) / 2, 9}, LetterHeight);
        SoftDisc(image, {left + 4, 19}, 3.5, {120, 200, 255}, 1);
        SoftDisc(image, {left + Width / 2.0 - 4, 19}, 3.5, {120, 200, 255}, 1);
    }
    return image.MirroredX();
}

// Behind the HUD of the space scene, whose panels are translucent: the
// planet rises from the bottom, and a small moon sits in the gap between the
// star map and the star information, where no panel lies over it.
Image SpaceBackdrop()
{
    Image image = DeepSpace(800, 600, 303);
    DrawSphere(image, {560, 700}, 330,
               {{54, 112, 160}, {2, 6, 16}, {-0.9, -0.45}, 0.6, 3, 11, {90, 160, 230}, 22});
    DrawSphere(image, {588, 262}, 9, {{210, 200, 190}, {22, 18, 26}, {-0.9, 0.3}, 0.45, 5, 12});
    AddCraters(image, {588, 262}, 9, {-0.9, 0.3}, 13);
    return image;
}

// Loaded with each battle but never drawn: a dark tile of nebula.
Image CombatTiles()
{
    Image image(256, 256, {2, 3, 8});
    AddNebula(image, {30, 24, 60}, 0.8, 64, 404);
    ScatterStarSpecks(image, 200, 405, 0.8);
    return image;
}

}  // namespace

void WriteScenePictures(const fs::path& gfx)
{
    TitleBackdrop().Save(gfx / "Loadscreen.bmp");
    LauncherBackdrop().Save(gfx / "loader.bmp");
    Logo().Save(gfx / "hud" / "logo.bmp");
    SpaceBackdrop().Save(gfx / "backgrounds" / "planet3.bmp");
    CombatTiles().Save(gfx / "backgrounds" / "combat_tiles1.bmp");
}

}  // namespace mkassets
