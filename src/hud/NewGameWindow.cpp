#include "hud/NewGameWindow.h"

#include <array>
#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "navigation/StarInfo.h"
#include "platform/Canvas.h"
#include "universe/Career.h"
#include "universe/World.h"

namespace kv {

namespace {

constexpr std::array<std::string_view, 4> DifficultyNames{"", "easy", "normal", "hardcore"};
constexpr int AvatarCount = 7;
constexpr int DifficultyCount = 3;
constexpr int SpecialisationCount = 4;

// One step through 1..count, wrapping at both ends.
void Step(int32_t& choice, int step, int count)
{
    choice = (choice - 1 + step + count) % count + 1;
}

void StepAndShow(Game& game, int32_t& choice, int step, int count)
{
    Step(choice, step, count);
    game.ui.Marked.NewGame = true;
}

// Centred in the 100-pixel gap between the arrows, for 8-pixel cells.
void WriteCentred(Canvas& face, int y, std::string_view text)
{
    face.TextOut(200 + (100 - 8 * static_cast<int>(text.size())) / 2, y, text);
}

void ResetMapView(MapView& map)
{
    map.MapTilt = 0;
    map.MapSpin = 0;
    map.MapZoom = 1.0;
    map.ShowAxes = true;
}

}  // namespace

void BeginWorld(Game& game)
{
    ResetMapView(game.ui.map);
    StartWorld(game.world);
    game.ui.SelectedStar = game.world.Pilot.Star;
    game.ui.map.AxisVectors = MapView{}.AxisVectors;
    game.ui.Marked.Market = true;
    game.ui.Console.Add("World initialised", MessageKind::Information);
}

namespace {

// A career starts in the first hull with the first engine and weapon: the
// shipyard sells the others.
void BeginCareer(Game& game)
{
    ShipChoices& s = game.ui.shipChoices;
    s.HullChoice = s.EngineChoice = s.WeaponChoice = 1;
    FitShip(game.world.Ship, game.world.Equipment, {});
    StartCareer(game.world);
    game.ui.Marked.ShipWindow = true;
}

}  // namespace

std::string_view RulesName(RuleSet rules) { return rules == RuleSet::Career ? "Career" : "Classic"; }

void StartNewGame(Game& game)
{
    BeginWorld(game);
    kvPlayer& pilot = game.world.Pilot;
    pilot.Avatar = static_cast<uint8_t>(game.ui.newGameChoices.AvatarChoice);
    pilot.Name = game.ui.hud.NameEdit.Text;
    pilot.Class = static_cast<uint8_t>(game.ui.newGameChoices.SpecialisationChoice);
    game.world.Difficulty = static_cast<uint8_t>(game.ui.newGameChoices.DifficultyChoice);
    if (game.ui.newGameChoices.RulesChoice == RuleSet::Career) BeginCareer(game);

    // The old world's star may still be described, and "Go!" still offered
    // for it: show the new home, where there is nowhere to go yet.
    ShowStar(game, game.ui.SelectedStar);
    PanelMarks& marked = game.ui.Marked;
    marked.PlayerWindow = marked.StarMap = marked.Market = true;
    game.ui.hud.NewGame.Visible = 0;
    game.ui.Console.Add("Space Navigation Center on Planet Earth: Welcome, " + pilot.Name, MessageKind::Mail);
    game.ui.hud.PlayerWindow.SlideIn = 1;
    game.ui.hud.PlayerWindow.SlideOut = 0;
    game.ui.hud.StarMap.Visible = 1;
    game.RepaintNeeded = 1;
}

std::string_view DifficultyName(int choice)
{
    return choice >= 1 && choice <= DifficultyCount ? DifficultyNames[static_cast<std::size_t>(choice)] : "";
}

void OpenNewGameWindow(Game& game)
{
    Hud& h = game.ui.hud;
    game.ui.newGameChoices.DifficultyChoice = 1;
    game.ui.newGameChoices.SpecialisationChoice = 1;
    for (kvWindow* w : h.WindowTable) {
        if (w == nullptr) continue;
        w->SlideOut = 1;
        w->SlideIn = 0;
    }
    h.StarMap.Visible = 0;
    h.Market.Visible = 0;
    h.NewGame.Visible = 1;
    game.ui.Marked.NewGame = true;
    game.RepaintNeeded = 1;
}

void ComposeNewGameWindow(Game& game)
{
    Hud& h = game.ui.hud;
    const NewGameChoices& c = game.ui.newGameChoices;
    FrameEdit(h.NameEdit);
    PaintFace(h.NewGame.Face, h.CentreFace);
    Canvas face(h.NewGame.Face);
    CentredText(face, 175, 20, "New game");
    face.TextOut(15, 50, "Enter your name");
    face.TextOut(15, 110, "Choose your avatar");
    face.Draw(220, 90, Portrait(h, c.AvatarChoice));
    face.TextOut(15, 170, "Select difficulty");
    face.TextOut(15, 185, "level");
    face.TextOut(15, 210, "Your specialisation");
    WriteCentred(face, 170, DifficultyName(c.DifficultyChoice));
    WriteCentred(face, 210, ClassName(c.SpecialisationChoice));
    face.TextOut(15, 295, "Rules");
    WriteCentred(face, 295, RulesName(c.RulesChoice));
    DrawVisibleItems(h.NewGame);
}

void ToggleRules(Game& game)
{
    RuleSet& rules = game.ui.newGameChoices.RulesChoice;
    rules = rules == RuleSet::Career ? RuleSet::Classic : RuleSet::Career;
    game.ui.Marked.NewGame = true;
}

void NextAvatar(Game& game) { StepAndShow(game, game.ui.newGameChoices.AvatarChoice, +1, AvatarCount); }
void PreviousAvatar(Game& game) { StepAndShow(game, game.ui.newGameChoices.AvatarChoice, -1, AvatarCount); }
void NextDifficulty(Game& game) { StepAndShow(game, game.ui.newGameChoices.DifficultyChoice, +1, DifficultyCount); }
void PreviousDifficulty(Game& game) { StepAndShow(game, game.ui.newGameChoices.DifficultyChoice, -1, DifficultyCount); }
void NextSpecialisation(Game& game) { StepAndShow(game, game.ui.newGameChoices.SpecialisationChoice, +1, SpecialisationCount); }
void PreviousSpecialisation(Game& game)
{
    StepAndShow(game, game.ui.newGameChoices.SpecialisationChoice, -1, SpecialisationCount);
}

}  // namespace kv
