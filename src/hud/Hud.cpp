#include "hud/Hud.h"

#include "platform/BmpFile.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

void BuildTitleWindows(Hud& hud)
{
    hud.TitleWindow.Create(800, 600);
    hud.TitleWindow.OnClick = [](int16_t, int16_t, uint8_t) {};
    hud.OutroSheet.Create(800, 2100);
    hud.OutroSheet.OnClick = [](int16_t, int16_t, uint8_t) {};
    hud.OutroSheet.Visible = 0;
}

void FillTables(Hud& hud)
{
    for (kvWindow*& slot : hud.WindowTable) slot = nullptr;
    hud.WindowTable[9] = &hud.OutroSheet;
    for (kvSprite*& slot : hud.SpriteTable) slot = nullptr;
    hud.SpriteTable[1] = &hud.CursorSprite;
}

}  // namespace

void BuildHud(Game& game)
{
    LoadBmp("res\\gfx\\Loadscreen.bmp", game.BackBuffer);
    game.random.Randomize();

    Hud& hud = game.hud;
    LoadBmp("res\\gfx\\hud\\logo.bmp", hud.Logo);
    hud.Logo.brush.Style = BrushStyle::Clear;
    hud.CursorSprite.Create(16, 16, "res\\gfx\\hud\\cursor.bmp");
    hud.CursorSprite.Tracking = 1;
    BuildTitleWindows(hud);
    FillTables(hud);

    game.BackBuffer.SetSize(800, 600);
    game.BackBuffer.Fill(Black);
    game.BackBuffer.brush.Style = BrushStyle::Clear;
    game.RepaintNeeded = 1;
}

}  // namespace kv
