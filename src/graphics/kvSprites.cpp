#include "graphics/kvSprites.h"

#include "platform/Blit.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

// The area the sprite handles: its picture short of the last column and row.
SourceArea Shown(int64_t left, int64_t top, const kvSprite& sprite)
{
    return {left, top, int64_t{sprite.Width} - 1, int64_t{sprite.Height} - 1};
}

}  // namespace

void kvSprite::Create(uint16_t w, uint16_t h, const std::string& fileName)
{
    Bitmap picture;
    LoadBmp(fileName, picture);
    Width = w;
    Height = h;
    Image.SetSize(w, h);
    Image.Fill(ColourKey);
    Canvas(Image).Draw((w - picture.Width()) / 2, (h - picture.Height()) / 2, picture);
    SavedBackground.SetSize(w, h);
    LoadBmp(fileName, SavedBackground);
    SavedBackground.SetSize(w, h);
    Tracking = 0;
    X = 0;
    Y = 0;
}

void kvSprite::SaveUnder(const Bitmap& canvas)
{
    Blit(SavedBackground, 0, 0, canvas, BlitStyle().From(Shown(X, Y, *this)));
}

void kvSprite::RestoreUnder(Bitmap& canvas) const
{
    Blit(canvas, X, Y, SavedBackground, BlitStyle().From(Shown(0, 0, *this)));
}

void kvSprite::DrawImage(Bitmap& canvas) const
{
    ImageRuns.Refresh(Image, KeyedBy(ColourKey));
    Blit(canvas, X, Y, Image, BlitStyle().From(Shown(0, 0, *this)).Keyed(KeyedBy(ColourKey)).WithRuns(&ImageRuns));
}

void kvSprite::Draw(Bitmap& canvas)
{
    SaveUnder(canvas);
    DrawImage(canvas);
}

void kvSprite::MoveTo(int32_t x, int32_t y, Bitmap& canvas)
{
    RestoreUnder(canvas);
    X = x;
    Y = y;
    SaveUnder(canvas);
    DrawImage(canvas);
}

}  // namespace kv
