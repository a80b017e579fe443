#include "navigation/StarInfo.h"

#include <cstdio>
#include <optional>

#include "game/Game.h"
#include "game/SaveGames.h"
#include "navigation/StarMap.h"
#include "platform/Canvas.h"
#include "universe/Jump.h"

namespace kv {

namespace {

constexpr int PickRadius = 10;
constexpr int LabelX = 5;
constexpr int ValueX = 105;
constexpr int ValueRight = 197;
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
void DrawStarPicture(const MapView& map, Bitmap& face, const kvStar& star)
{
    DrawSphere(14, 55, 90, face, map.MapTilt, map.MapSpin, star.Size * 2.8);
}

void DrawStarFacts(const World& world, Canvas& canvas, const kvStar& star)
{
    for (const InfoRow& row : {NameRow, TypeRow, DistanceRow, GovernmentRow, TechLevelRow, PlanetsRow})
        canvas.TextOut(LabelX, row.Y, row.Label);
    const kvGalaxy& galaxy = CurrentGalaxy(world);
    canvas.TextOut(ValueX, TechLevelRow.Y, std::to_string(star.TechLevel));
    canvas.TextOut(ValueX, NameRow.Y, FitText(canvas, star.Name, ValueRight - ValueX));
    canvas.TextOut(ValueX, TypeRow.Y, SpectralClassNames()[star.SpectralClass]);
    canvas.TextOut(ValueX, DistanceRow.Y, DistanceText(StarDistance(galaxy, world.Pilot.Star, star.Number)));
    canvas.TextOut(ValueX, GovernmentRow.Y, FitText(canvas, GovernmentNames.at(star.Government), ValueRight - ValueX));
    for (std::size_t p = 1; p <= star.PlanetCount; ++p)
        canvas.TextOut(ValueX, TechLevelRow.Y + RowStep * static_cast<int>(p), star.Planets[p].Name);
}

// The front-most star whose centre lies within 10 pixels of the click, from
// what the map last drew.
std::optional<uint8_t> StarAt(const Interface& ui, const kvGalaxy& galaxy, int x, int y)
{
    const MapProjection& p = ui.projection;
    for (std::size_t k = galaxy.StarCount; k >= 1; --k) {
        const ProjectedStar& star = p.ProjectedStars[p.DrawOrder[k]];
        const Point centre = GalaxyPickPoint(ui, star);
        // In 64 bits: at a high zoom a star's centre lies far off the map.
        const int64_t dx = x - int64_t{centre.X}, dy = y - int64_t{centre.Y};
        if (dx * dx + dy * dy <= PickRadius * PickRadius) return star.Number;
    }
    return std::nullopt;
}

void Select(Game& game, uint8_t star)
{
    game.ui.SelectedStar = star;
    game.Sound.PlaySoundEffect("res\\sfx\\hud\\planet_select.wav");
    ShowStar(game, star);
}

// With nothing selected there is nowhere to jump to, so "Go!" goes dark.
void ClearSelection(Game& game)
{
    if (game.ui.SelectedStar == 0) return;
    game.ui.SelectedStar = 0;
    ShowStar(game, 0);
}

void ShowArrival(Game& game)
{
    const kvPlayer& pilot = game.world.Pilot;
    ShowStar(game, pilot.Star);
    game.ui.Marked.PlayerWindow = game.ui.Marked.Market = game.ui.Marked.StarMap = true;
    game.ui.Console.Add("Arriving in system: " + CurrentGalaxy(game.world).Stars[pilot.Star].Name,
                        MessageKind::Information);
}

}  // namespace

std::string DistanceText(double distance)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", distance);
    return std::string(text) + " пк";
}

void DrawStarInfo(Game& game, uint8_t s)
{
    kvWindow& window = game.ui.hud.StarInfo;
    // "Go!" is offered for the selected star while the window shows it and
    // it is within reach: never for a selection the player cannot see, nor
    // for the star the ship is at.
    game.ui.hud.GoButton.Enabled = s != 0 && s == game.ui.SelectedStar && CanJump(game.world, s) ? 1 : 0;
    PaintFace(window.Face, game.ui.hud.RightFace);
    DrawVisibleItems(window);
    Canvas canvas(window.Face);
    // Centred on the plate behind the heading.
    CentredText(canvas, 64, 7, "Star");
    CentredText(canvas, 64, 27, "information");
    if (s == 0) {
        canvas.TextOut(25, 170, "Nothing is selected");
        return;
    }
    const kvStar& star = CurrentGalaxy(game.world).Stars[s];
    DrawStarPicture(game.ui.map, window.Face, star);
    DrawStarFacts(game.world, canvas, star);
}

void ShowStar(Game& game, uint8_t s)
{
    game.ui.ShownStar = s;
    game.ui.Marked.StarInfo = true;
}

void SelectStarAt(Game& game, int16_t x, int16_t y, uint8_t button)
{
    if (game.ui.map.MapLevel != 1 || button != 0) return;
    if (const std::optional<uint8_t> star = StarAt(game.ui, CurrentGalaxy(game.world), x, y)) Select(game, *star);
    else ClearSelection(game);
    game.ui.Marked.StarMap = true;
}

void OnGalacticArrival(Game& game)
{
    game.ui.SelectedStar = game.world.Pilot.Star;
    ShowStar(game, game.world.Pilot.Star);
    game.ui.Marked.PlayerWindow = game.ui.Marked.Market = game.ui.Marked.StarMap = true;
    Autosave(game);
}

void JumpToSelectedStar(Game& game)
{
    const JumpOutcome outcome = Hyperjump(game.world, game.ui.SelectedStar);
    if (outcome == JumpOutcome::Refused) return;
    ShowArrival(game);
    Autosave(game);
    if (outcome == JumpOutcome::Ambushed && game.SwitchScene) game.SwitchScene(SceneCombat);
}

}  // namespace kv
