#include "navigation/StarInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/Numbers.h"
#include "game/Game.h"
#include "game/SaveGames.h"
#include "hud/Hud.h"
#include "hud/PilotWindows.h"
#include "navigation/StarMap.h"
#include "platform/Canvas.h"
#include "universe/Market.h"

namespace kv {

namespace {

constexpr int PickRadius = 10;
constexpr double AmbushChance = 0.3;
constexpr int LabelX = 5;
constexpr int ValueX = 105;
constexpr int RowStep = 20;

struct InfoRow {
    int Y;
    const char* Label;
};
constexpr InfoRow NameRow{130, "Name"};
constexpr InfoRow TypeRow{150, "Type"};
constexpr InfoRow DistanceRow{170, "Distance"};
constexpr InfoRow GovernmentRow{190, "Government"};
constexpr InfoRow TechLevelRow{210, "Tech Level"};
constexpr InfoRow PlanetsRow{230, "Planets"};

// The star's picture, turned by the map's angles the other way round from
// the system view, so it turns differently from the map.
void DrawStarPicture(Game& game, const kvStar& star)
{
    DrawSphere(14, 55, 90, game.ui.hud.StarInfo.Face, game.ui.map.MapTilt, game.ui.map.MapSpin, star.Size * 2.8);
}

void DrawStarFacts(Game& game, Canvas& canvas, const kvStar& star)
{
    for (const InfoRow& row : {NameRow, TypeRow, DistanceRow, GovernmentRow, TechLevelRow, PlanetsRow})
        canvas.TextOut(LabelX, row.Y, row.Label);
    const kvGalaxy& galaxy = CurrentGalaxy(game);
    canvas.TextOut(ValueX, TechLevelRow.Y, std::to_string(star.TechLevel));
    canvas.TextOut(ValueX, NameRow.Y, star.Name);
    canvas.TextOut(ValueX, TypeRow.Y, SpectralClassNames()[star.SpectralClass]);
    canvas.TextOut(ValueX, DistanceRow.Y, DistanceText(StarDistance(galaxy, game.world.Pilot.Star, star.Number)));
    canvas.TextOut(ValueX, GovernmentRow.Y, GovernmentNames.at(star.Government));
    for (std::size_t p = 1; p <= star.PlanetCount; ++p)
        canvas.TextOut(ValueX, TechLevelRow.Y + RowStep * static_cast<int>(p), star.Planets[p].Name);
}

// The front-most star whose centre lies within 10 pixels of the click, from
// what the map last drew.
std::optional<uint8_t> StarAt(const Game& game, int x, int y)
{
    const MapProjection& p = game.ui.projection;
    for (std::size_t k = CurrentGalaxy(game).StarCount; k >= 1; --k) {
        const ProjectedStar& star = p.ProjectedStars[p.DrawOrder[k]];
        const Point centre = GalaxyViewPoint(game, star);
        // In 64 bits: at a high zoom a star's centre lies far off the map.
        const int64_t dx = x - int64_t{centre.X}, dy = y - int64_t{centre.Y};
        if (dx * dx + dy * dy <= PickRadius * PickRadius) return star.Number;
    }
    return std::nullopt;
}

void Select(Game& game, uint8_t star)
{
    game.ui.SelectedStar = star;
    OfferJump(game);
    game.Sound.PlaySoundEffect("res\\sfx\\hud\\planet_select.wav");
    DrawStarInfo(game, star);
}

// With nothing selected there is nowhere to jump to, so "Go!" goes dark.
void ClearSelection(Game& game)
{
    if (game.ui.SelectedStar == 0) return;
    game.ui.SelectedStar = 0;
    game.ui.hud.GoButton.Enabled = 0;
    DrawStarInfo(game, 0);
}

bool IsDestination(const Game& game, uint8_t star)
{
    return star >= 1 && star <= CurrentGalaxy(game).StarCount && star != game.world.Pilot.Star;
}

// The reserve pays for the distance; the hold's fuel units follow it. The
// units are the whole tens the reserve holds: rounding the reserve to the
// nearest first made 99.6 ten units, and selling them all left the reserve
// below 0. A jump over the whole range leaves exactly 0, not a rounding
// error below it.
void SpendFuel(Game& game, double distance)
{
    kvShip& ship = game.world.Ship;
    ship.Fuel = std::max(0.0, ship.Fuel - distance * ship.Engine.Consumption);
    const double units = std::min(std::floor(ship.Fuel / FuelPerUnit), 65535.0);
    game.world.Pilot.Cargo[FuelGoods].Quantity = static_cast<uint16_t>(units);
}

void ShowArrival(Game& game)
{
    const kvPlayer& pilot = game.world.Pilot;
    game.ui.hud.GoButton.Enabled = 0;
    DrawStarInfo(game, pilot.Star);
    ComposePlayerWindow(game);
    UpdateTradeButtons(game);
    DrawMarket(game);
    DrawStarMap(game);
    game.RepaintNeeded = 1;
    game.ui.Console.Add("Arriving in system: " + CurrentGalaxy(game).Stars[pilot.Star].Name, MessageKind::Information);
}

}  // namespace

double StarDistance(const kvGalaxy& galaxy, uint8_t a, uint8_t b)
{
    const kvStar& s = galaxy.Stars[a];
    const kvStar& t = galaxy.Stars[b];
    const double dx = s.X - t.X, dy = s.Y - t.Y, dz = s.Z - t.Z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double JumpRange(const kvShip& ship) { return ship.Fuel / ship.Engine.Consumption; }

std::string DistanceText(double distance)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", distance);
    return std::string(text) + " пк";
}

// "Go!" is offered for another star within reach, never for the star the
// ship is at.
void OfferJump(Game& game)
{
    const uint8_t star = game.ui.SelectedStar;
    const kvPlayer& pilot = game.world.Pilot;
    const bool reachable = IsDestination(game, star) &&
                           JumpRange(game.world.Ship) >= StarDistance(CurrentGalaxy(game), pilot.Star, star);
    game.ui.hud.GoButton.Enabled = reachable ? 1 : 0;
}

void DrawStarInfo(Game& game, uint8_t s)
{
    kvWindow& window = game.ui.hud.StarInfo;
    // Showing nothing selected, the window offers no jump to a selection
    // the player cannot see.
    if (s == 0) game.ui.hud.GoButton.Enabled = 0;
    LoadFace(window, "Res\\gfx\\hud\\right.bmp");
    DrawVisibleItems(window);
    Canvas canvas(window.Face);
    canvas.TextOut(50, 7, "Star");
    canvas.TextOut(20, 27, "information");
    if (s == 0) {
        canvas.TextOut(25, 170, "Nothing is selected");
        return;
    }
    const kvStar& star = CurrentGalaxy(game).Stars[s];
    DrawStarPicture(game, star);
    DrawStarFacts(game, canvas, star);
}

void SelectStarAt(Game& game, int16_t x, int16_t y, uint8_t button)
{
    if (game.ui.map.MapLevel != 1 || button != 0) return;
    if (const std::optional<uint8_t> star = StarAt(game, x, y)) Select(game, *star);
    else ClearSelection(game);
    DrawStarMap(game);
    game.RepaintNeeded = 1;
}

void Hyperjump(Game& game)
{
    if (!IsDestination(game, game.ui.SelectedStar)) return;
    const double distance = StarDistance(CurrentGalaxy(game), game.world.Pilot.Star, game.ui.SelectedStar);
    if (!(JumpRange(game.world.Ship) >= distance)) return;
    SpendFuel(game, distance);
    game.world.Pilot.Star = game.ui.SelectedStar;
    ShowArrival(game);
    Autosave(game);
    if (game.world.random.NextReal() <= AmbushChance && game.SwitchScene) game.SwitchScene(SceneCombat);
}

}  // namespace kv
