#include "hud/PilotWindows.h"

#include <algorithm>
#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "navigation/StarInfo.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/DataPath.h"
#include "universe/Career.h"
#include "universe/Jump.h"
#include "universe/Shipyard.h"
#include "universe/SpaceCraft.h"

namespace kv {

namespace {

constexpr int FirstRowY = 130;
constexpr int RowStep = 20;
constexpr int RowCount = 5;
// The centres of the plates behind the panels' headings, left and right.
constexpr int LeftHeadingCentre = 124;
constexpr int RightHeadingCentre = 64;
// Values end 3 pixels short of the panel's right edge.
constexpr int ValueLeft = 95, ValueRight = 197;

void WriteRow(Canvas& face, int y, std::string_view label, std::string_view value)
{
    face.TextOut(5, y, label);
    face.TextOut(ValueLeft, y, FitText(face, value, ValueRight - ValueLeft));
}

// One row of the equipment list, its label and name in one form ("e: Ion
// Drive"); the selected row stops short of the arrow buttons beside it.
void WriteShipRow(Canvas& face, int row, uint8_t selected, std::string_view label, std::string_view name)
{
    const int right = row == selected ? 148 : 190;
    face.TextOut(15, FirstRowY + RowStep * (row - 1), FitText(face, std::string(label) + ": " + std::string(name), right - 15));
}

std::string ModelPicture(const kvFormFactor& hull) { return "res\\gfx\\models\\" + hull.Name + "_g.bmp"; }

// The hull's picture scaled into the box above the list. A hull without a
// picture (an empty or unknown catalogue entry) shows none.
void DrawHullPicture(Bitmap& face, const Bitmap& picture)
{
    if (picture.Empty()) return;
    Canvas(face).CopyRectKeyed(65, 55, 135, 125, picture, 0, 0, picture.Width(), picture.Height(), ColourKey);
}

void HighlightRow(Bitmap& face, uint8_t row)
{
    const int top = FirstRowY + RowStep * (row - 1);
    face.brush.SetColour(SelectionBar);
    face.pen.Colour = SelectionBar;
    Canvas(face).Rectangle(15, top, 145, top + 15);
    face.brush.Style = BrushStyle::Clear;
}

// The choice that row 1, 2 or 4 steps through, with its catalogue's count.
uint8_t* RowChoice(Game& game, uint8_t& count)
{
    switch (game.ui.shipChoices.SelectedRow) {
    case 1: count = game.world.Equipment.HullCount; return &game.ui.shipChoices.HullChoice;
    case 2: count = game.world.Equipment.EngineCount; return &game.ui.shipChoices.EngineChoice;
    case 4: count = game.world.Equipment.WeaponCount; return &game.ui.shipChoices.WeaponChoice;
    default: return nullptr;
    }
}

// A new engine changes the jump limit, so the player window follows.
void MarkShipWindow(Game& game)
{
    game.ui.Marked.ShipWindow = true;
    game.ui.Marked.PlayerWindow = true;
}

PartKind RowKind(uint8_t row) { return row == 1 ? PartKind::Hull : row == 2 ? PartKind::Engine : PartKind::Weapon; }

// The shipyard's answer for the part of the selected row: a classic game
// fits any part for nothing, a career game buys it.
bool PartGranted(Game& game, uint8_t wanted)
{
    if (!IsCareer(game.world)) return true;
    ShipChoices& s = game.ui.shipChoices;
    PartChoices fitted{.Hull = s.HullChoice, .Engine = s.EngineChoice, .Weapon = s.WeaponChoice};
    game.ui.Marked.Market = true;  // the cash the market's buttons weigh
    return BuyPart(game.world, fitted, RowKind(s.SelectedRow), wanted) == PartResult::Bought;
}

// Rows 1, 2 and 4 step their part within the catalogue; rows 3 and 5 only
// redraw.
void StepShipPart(Game& game, int step)
{
    uint8_t count = 0;
    uint8_t* choice = RowChoice(game, count);
    const int wanted = choice == nullptr ? 0 : *choice + step;
    if (wanted >= 1 && wanted <= count && PartGranted(game, static_cast<uint8_t>(wanted)))
        *choice = static_cast<uint8_t>(wanted);
    MarkShipWindow(game);
}

}  // namespace

void LoadHullPictures(Hud& hud, const ShipCatalogue& equipment)
{
    for (std::size_t i = 1; i <= hud.HullPictures.Count; ++i) {
        Bitmap& picture = hud.HullPictures[i];
        picture = Bitmap();
        const std::string path = ModelPicture(equipment.HullCatalogue[i]);
        if (DataFileExists(path)) LoadBmp(path, picture);
    }
}

void ComposePlayerWindow(Game& game)
{
    kvWindow& w = game.ui.hud.PlayerWindow;
    const kvPlayer& pilot = game.world.Pilot;
    PaintFace(w.Face, game.ui.hud.LeftFace);
    Canvas face(w.Face);
    face.Draw(5, 55, Portrait(game.ui.hud, pilot.Avatar));
    CentredText(face, LeftHeadingCentre, 7, "Player");
    CentredText(face, LeftHeadingCentre, 27, "information");
    WriteRow(face, 130, "Name", pilot.Name);
    WriteRow(face, 150, "Class", ClassName(pilot.Class));
    WriteRow(face, 170, "Date", ShortDateText(pilot.GameDate));
    WriteRow(face, 190, "Status", CombatRankNames[std::min<std::size_t>(pilot.CombatRank, CombatRankNames.size() - 1)]);
    WriteRow(face, 210, "", TradeRankNames[std::min<std::size_t>(pilot.TradeRank, TradeRankNames.size() - 1)]);
    WriteRow(face, 230, "Cash", std::to_string(pilot.Cash));
    WriteRow(face, 250, "Score", std::to_string(pilot.Score));
    WriteRow(face, 270, "Jump limit", DistanceText(JumpRange(game.world.Ship)));
    if (IsCareer(game.world)) WriteRow(face, 290, "Rules", "Career");
}

void ComposeShipWindow(Game& game)
{
    kvWindow& w = game.ui.hud.ShipWindow;
    const ShipCatalogue& c = game.world.Equipment;
    const ShipChoices& s = game.ui.shipChoices;
    PaintFace(w.Face, game.ui.hud.RightFace);
    Canvas face(w.Face);
    CentredText(face, RightHeadingCentre, 7, "Ship");
    CentredText(face, RightHeadingCentre, 27, "information");
    DrawHullPicture(w.Face, game.ui.hud.HullPictures[s.HullChoice]);
    HighlightRow(w.Face, s.SelectedRow);
    WriteShipRow(face, 1, s.SelectedRow, "s", c.HullCatalogue[s.HullChoice].Name);
    WriteShipRow(face, 2, s.SelectedRow, "e", c.EngineCatalogue[s.EngineChoice].Name);
    WriteShipRow(face, 3, s.SelectedRow, "a", "Emission Shield");
    WriteShipRow(face, 4, s.SelectedRow, "w", c.WeaponCatalogue[s.WeaponChoice].Name);
    WriteShipRow(face, 5, s.SelectedRow, "m", "n/a");
    WriteShipRow(face, 6, s.SelectedRow, "*", "Radar");
    FitShip(game.world.Ship, c, {.Hull = s.HullChoice, .Engine = s.EngineChoice, .Weapon = s.WeaponChoice});
    DrawVisibleItems(w);
}

void SelectShipRow(Game& game, int16_t, int16_t y, uint8_t)
{
    const int row = std::clamp((y - FirstRowY) / RowStep + 1, 1, RowCount);
    game.ui.shipChoices.SelectedRow = static_cast<uint8_t>(row);
    const int top = FirstRowY + RowStep * (row - 1);
    game.ui.hud.NextPartButton.Top = top;
    game.ui.hud.PreviousPartButton.Top = top;
    MarkShipWindow(game);
}

void NextShipPart(Game& game) { StepShipPart(game, +1); }

void PreviousShipPart(Game& game) { StepShipPart(game, -1); }

}  // namespace kv
