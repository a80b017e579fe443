#include "hud/ContractsWindow.h"

#include <string>

#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "universe/Career.h"
#include "universe/CareerNumbers.h"
#include "universe/Contracts.h"
#include "universe/World.h"

namespace kv {

namespace {

// Each contract takes two lines: what goes where, then when and for what.
constexpr int TextLeft = 20;
constexpr int TextRight = 335;
constexpr int LineHeight = 15;
constexpr int ContractHeight = 34;
constexpr int OffersHeadingY = 42;
constexpr int FirstOfferY = 60;
constexpr int AcceptedHeadingY = 166;
constexpr int FirstAcceptedY = 184;
constexpr int FootY = 326;

int ContractY(int firstY, std::size_t i) { return firstY + static_cast<int>(i) * ContractHeight; }

void WriteContract(const World& world, Canvas& face, int y, const std::string& lead, const Contract& c)
{
    const std::string& star = (*world.galaxies)[c.Galaxy].Stars[c.Star].Name;
    face.TextOut(TextLeft, y,
                 FitText(face, lead + std::to_string(c.Units) + " " + world.Goods[c.Goods].Name + " to " + star,
                         TextRight - TextLeft));
    face.TextOut(TextLeft + 20, y + LineHeight,
                 FitText(face,
                         "by " + ShortDateText(c.Due) + ": pays " + std::to_string(c.Reward) + ", deposit " +
                             std::to_string(c.Deposit),
                         TextRight - TextLeft - 20));
}

void WriteOffers(const World& world, Canvas& face)
{
    const CareerState& career = world.Career;
    face.TextOut(TextLeft, OffersHeadingY, "Offered here");
    if (career.Offers.empty()) face.TextOut(TextLeft + 20, FirstOfferY, "none");
    for (std::size_t i = 0; i < career.Offers.size(); ++i)
        WriteContract(world, face, ContractY(FirstOfferY, i), std::to_string(i + 1) + ". ", career.Offers[i]);
}

void WriteAccepted(const World& world, Canvas& face)
{
    const CareerState& career = world.Career;
    face.TextOut(TextLeft, AcceptedHeadingY,
                 "Accepted (" + std::to_string(career.Accepted.size()) + " of " +
                     std::to_string(career::MostContracts) + ")");
    if (career.Accepted.empty()) face.TextOut(TextLeft + 20, FirstAcceptedY, "none");
    for (std::size_t i = 0; i < career.Accepted.size(); ++i)
        WriteContract(world, face, ContractY(FirstAcceptedY, i), "", career.Accepted[i]);
}

void OpenContractsWindow(Game& game)
{
    TakeCentre(game, game.ui.hud.ContractsWindow);
    game.ui.Marked.Contracts = true;
}

}  // namespace

void CloseContractsWindow(Game& game)
{
    Hud& h = game.ui.hud;
    h.ContractsWindow.Visible = 0;
    if (h.FocusedItem == &h.ContractsWindow) h.FocusedItem = h.ConsoleEdit.Visible ? &h.ConsoleEdit : nullptr;
    game.RepaintNeeded = 1;
}

void BuildContractsWindow(Game& game)
{
    MakeCentreWindow(game, game.ui.hud.ContractsWindow, ContractsWindowLayout,
                     [&game](int16_t x, int16_t y, uint8_t button) { ClickContractsWindow(game, x, y, button); });
}

bool ContractsWindowShown(const Game& game) { return game.ui.hud.ContractsWindow.Visible != 0; }

void ToggleContractsWindow(Game& game)
{
    if (ContractsWindowShown(game)) CloseContractsWindow(game);
    else if (!IsCareer(game.world))
        game.ui.Console.Add("Only a career game has contracts", MessageKind::Alert);
    else OpenContractsWindow(game);
}

void ComposeContractsWindow(Game& game)
{
    kvWindow& w = game.ui.hud.ContractsWindow;
    PaintFace(w.Face, game.ui.hud.CentreFace);
    Canvas face(w.Face);
    CentredText(face, 175, 18, "Contracts");
    WriteOffers(game.world, face);
    WriteAccepted(game.world, face);
    face.TextOut(TextLeft, FootY, "Click an offer to accept it.");
}

void ClickContractsWindow(Game& game, int16_t, int16_t y, uint8_t button)
{
    if (button != 0 || y < FirstOfferY) return;
    const auto offer = static_cast<std::size_t>((y - FirstOfferY) / ContractHeight);
    if (offer >= game.world.Career.Offers.size() || y >= AcceptedHeadingY) return;
    AcceptOffer(game.world, offer + 1);
    game.ui.Marked.Contracts = game.ui.Marked.PlayerWindow = game.ui.Marked.Market = true;
}

}  // namespace kv
