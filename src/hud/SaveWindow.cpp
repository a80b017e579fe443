#include "hud/SaveWindow.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "game/Game.h"
#include "hud/Hud.h"
#include "hud/NewGameWindow.h"
#include "hud/PilotWindows.h"
#include "navigation/StarMap.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"

namespace kv {

namespace {

constexpr int FirstRowY = 45;
constexpr int RowHeight = 31;
constexpr int LineHeight = 15;

int RowTop(int slot) { return FirstRowY + slot * RowHeight; }

std::string SavedAtText(int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) return "";
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%y %H:%M", &local);
    return text;
}

std::string StateText(SaveState state)
{
    switch (state) {
    case SaveState::Empty: return "Empty";
    case SaveState::Damaged: return "Damaged";
    case SaveState::Newer: return "Newer version";
    case SaveState::Good: break;
    }
    return "";
}

// The question before saving over a slot: a good save becomes the backup,
// a file the game cannot read keeps a name of its own beside the slot.
std::string AskingText(const SlotSummary& s)
{
    return s.State == SaveState::Good ? "Click again to overwrite" : "Click again; old file kept aside";
}

// A slot's two lines: who and how rich, then where, when in the game and
// when saved. The good backup of a damaged file says so in the first line.
void DrawSlot(Canvas& face, const SaveShelf& shelf, int slot)
{
    const SlotSummary& s = shelf.Slots[static_cast<std::size_t>(slot)];
    const int top = RowTop(slot);
    const int second = top + LineHeight;
    face.TextOut(15, top, slot == AutosaveSlot ? "Auto" : std::to_string(slot));
    if (!s.Loadable() || s.FromBackup) face.TextOut(55, top, StateText(s.State));
    if (shelf.AskingSlot == slot) face.TextOut(55, second, AskingText(s));
    if (!s.Loadable()) return;
    if (s.FromBackup) {
        face.TextOut(135, top, "- its backup:");
    } else {
        face.TextOut(55, top, FitText(face, s.PilotName, 106));
        face.TextOut(165, top, TradeRankNames[std::min<std::size_t>(s.TradeRank, TradeRankNames.size() - 1)]);
        face.TextOut(260, top, std::to_string(s.Cash));
    }
    if (shelf.AskingSlot == slot) return;
    face.TextOut(55, second, s.StarName + ", G" + std::to_string(s.Galaxy));
    face.TextOut(135, second, ShortDateText(s.GameDate));
    face.TextOut(225, second, SavedAtText(s.SavedAt));
}

// The slot under window row y, or -1 between and outside the rows.
int SlotAt(int y)
{
    if (y < FirstRowY || y >= RowTop(SlotsShown)) return -1;
    return (y - FirstRowY) / RowHeight;
}

// A loaded world changes what every panel shows: every panel is marked for
// composing, "Go!" with the star information.
void MarkEveryPanel(Game& game)
{
    game.ui.ShownStar = game.ui.hud.StarMap.Visible ? game.ui.SelectedStar : game.world.Pilot.Star;
    PanelMarks& marked = game.ui.Marked;
    marked.ShipWindow = marked.PlayerWindow = marked.Market = marked.StarMap = marked.StarInfo = true;
}

bool Refused(Game& game, int slot, const std::string& why)
{
    game.ui.Console.Add(SlotName(slot) + " cannot be loaded: " + why, MessageKind::Alert);
    return false;
}

void ClickToSave(Game& game, int slot)
{
    SaveShelf& shelf = game.ui.Saves;
    if (slot == AutosaveSlot) {
        game.ui.Console.Add("The autosave slot is kept by the game", MessageKind::Alert);
        return;
    }
    const bool occupied = shelf.Slots[static_cast<std::size_t>(slot)].State != SaveState::Empty;
    if (occupied && shelf.AskingSlot != slot) {
        shelf.AskingSlot = slot;
        return;
    }
    shelf.AskingSlot = -1;
    SaveToSlot(game, slot);
}

// A click on a slot's row, or its number typed: saves into it or loads it.
void ChooseSlot(Game& game, int slot)
{
    if (game.ui.Saves.Saving) ClickToSave(game, slot);
    else LoadFromSlot(game, slot);
    game.ui.Marked.SaveWindow = true;
}

}  // namespace

void BuildSaveWindow(Game& game)
{
    MakeCentreWindow(game, game.ui.hud.SaveWindow, SaveWindowLayout,
                     [&game](int16_t x, int16_t y, uint8_t button) { ClickSaveWindow(game, x, y, button); });
    // Opaque, so that its slots read over the top bar.
    game.ui.hud.SaveWindow.Alpha = 256;
}

bool SaveWindowShown(const Game& game)
{
    const kvWindow& w = game.ui.hud.SaveWindow;
    return w.Visible && !w.SlideOut && w.Top > SaveWindowHiddenTop;
}

bool SaveWindowInPlace(const Game& game)
{
    const kvWindow& w = game.ui.hud.SaveWindow;
    return SaveWindowShown(game) && w.Top == SaveWindowTop;
}

void OpenSaveWindow(Game& game, bool saving)
{
    kvWindow& w = game.ui.hud.SaveWindow;
    SaveShelf& shelf = game.ui.Saves;
    if (SaveWindowShown(game) && shelf.Saving == saving) {
        CloseSaveWindow(game);
        return;
    }
    if (!SaveWindowShown(game)) {
        Hud& h = game.ui.hud;
        shelf.CoveredMap = h.StarMap.Visible == 1;
        shelf.CoveredMarket = h.Market.Visible == 1;
        h.StarMap.Visible = 0;
        h.Market.Visible = 0;
    }
    shelf.Saving = saving;
    shelf.AskingSlot = -1;
    WaitForSaves(game);
    shelf.Slots = ReadSlotSummaries(shelf.Folder);
    if (!w.Visible) w.Top = SaveWindowHiddenTop;
    w.Visible = 1;
    w.SlideIn = 1;
    w.SlideOut = 0;
    game.ui.Marked.SaveWindow = true;
}

void CloseSaveWindow(Game& game)
{
    Hud& h = game.ui.hud;
    SaveShelf& shelf = game.ui.Saves;
    h.SaveWindow.SlideIn = 0;
    h.SaveWindow.SlideOut = 1;
    // The console's command line, when it is open, takes the keys back.
    if (h.ConsoleEdit.Visible) h.FocusedItem = &h.ConsoleEdit;
    else if (h.FocusedItem == &h.SaveWindow) h.FocusedItem = nullptr;
    if (shelf.CoveredMap) h.StarMap.Visible = 1;
    if (shelf.CoveredMarket) h.Market.Visible = 1;
    shelf.CoveredMap = false;
    shelf.CoveredMarket = false;
    game.RepaintNeeded = 1;
}

void ComposeSaveWindow(Game& game)
{
    kvWindow& w = game.ui.hud.SaveWindow;
    const SaveShelf& shelf = game.ui.Saves;
    PaintFace(w.Face, game.ui.hud.CentreFace);
    Canvas face(w.Face);
    if (shelf.AskingSlot >= 0) {
        const int top = RowTop(shelf.AskingSlot);
        w.Face.brush.SetColour(SelectionBar);
        face.Rectangle(12, top - 1, 338, top + RowHeight - 1);
        w.Face.brush.Style = BrushStyle::Clear;
    }
    face.TextOut(20, 18, shelf.Saving ? "Save game: click a slot" : "Load game: click a slot");
    for (int slot = 0; slot < SlotsShown; ++slot) DrawSlot(face, shelf, slot);
}

void ClickSaveWindow(Game& game, int16_t, int16_t y, uint8_t button)
{
    const int slot = SlotAt(y);
    if (button != 0 || slot < 0 || !SaveWindowInPlace(game)) return;
    ChooseSlot(game, slot);
}

void SaveWindowKeyDown(Game& game, uint16_t key)
{
    const int asking = game.ui.Saves.AskingSlot;
    if (key == vk::Escape) CloseSaveWindow(game);
    else if (!SaveWindowInPlace(game)) return;
    else if (key == vk::Return && asking >= 0) ChooseSlot(game, asking);
    else if (key >= vk::Digit0 && key < vk::Digit0 + SlotsShown) ChooseSlot(game, key - vk::Digit0);
}

bool LoadFromSlot(Game& game, int slot)
{
    WaitForSaves(game);
    SlotRead read = ReadSlot(game.ui.Saves.Folder, slot);
    if (read.Save.State != SaveState::Good)
        return Refused(game, slot, read.State == SaveState::Empty ? "it is empty" : read.Save.Problem);
    if (const std::optional<std::string> problem = PutInPlay(game, std::move(*read.Save.Game)))
        return Refused(game, slot, *problem);
    MarkEveryPanel(game);
    if (SaveWindowShown(game)) CloseSaveWindow(game);
    game.ui.Console.Add("Game loaded: " + SlotName(slot) + (read.FromBackup ? " (its backup)" : ""),
                     MessageKind::Information);
    return true;
}

}  // namespace kv
