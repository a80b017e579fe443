#include "hud/OptionsWindow.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "game/Game.h"
#include "hud/Hud.h"
#include "platform/Bindings.h"
#include "platform/Canvas.h"
#include "platform/Settings.h"

namespace kv {

namespace {

enum class Row : uint8_t {
    MusicVolume,
    EffectsVolume,
    Sound,
    MuteInBackground,
    Fullscreen,
    Scaling,
    WindowScale,
    Controls
};

struct RowPlace {
    Row Which;
    int Y;
    const char* Label;
};

// Two groups under their headings at y 45 and 170.
constexpr std::array<RowPlace, 8> Rows{{
    {Row::MusicVolume, 70, "Music volume"},
    {Row::EffectsVolume, 90, "Effects volume"},
    {Row::Sound, 110, "Sound"},
    {Row::MuteInBackground, 130, "Mute in background"},
    {Row::Fullscreen, 195, "Fullscreen"},
    {Row::Scaling, 215, "Scaling"},
    {Row::WindowScale, 235, "Window scale"},
    {Row::Controls, 265, "Controls >"},
}};
constexpr int RowHeight = 20;
constexpr int ValueLeft = 210;
// The middle of the value column: clicks left of it step down.
constexpr int ValueMiddle = 270;
constexpr int VolumeStep = 10;

const RowPlace* RowAt(int y)
{
    for (const RowPlace& row : Rows)
        if (y >= row.Y && y < row.Y + RowHeight) return &row;
    return nullptr;
}

std::string Stepped(const std::string& value) { return "< " + value + " >"; }

std::string ValueText(const PlayerOptions& o, Row row)
{
    switch (row) {
    case Row::MusicVolume: return Stepped(std::to_string(o.MusicVolume) + " %");
    case Row::EffectsVolume: return Stepped(std::to_string(o.EffectsVolume) + " %");
    case Row::Sound: return o.SoundOn ? "on" : "off";
    case Row::MuteInBackground: return o.MuteInBackground ? "yes" : "no";
    case Row::Fullscreen: return o.Fullscreen ? "on" : "off";
    case Row::Scaling: return o.SmoothScaling ? "smooth" : "sharp";
    case Row::WindowScale: return Stepped(std::to_string(o.WindowScale) + "x");
    case Row::Controls: break;
    }
    return "";
}

void StepVolume(int& volume, int step) { volume = std::clamp(volume + step * VolumeStep, 0, 100); }

void Change(PlayerOptions& o, Row row, int step)
{
    switch (row) {
    case Row::MusicVolume: StepVolume(o.MusicVolume, step); break;
    case Row::EffectsVolume: StepVolume(o.EffectsVolume, step); break;
    case Row::Sound: o.SoundOn = !o.SoundOn; break;
    case Row::MuteInBackground: o.MuteInBackground = !o.MuteInBackground; break;
    case Row::Fullscreen: o.Fullscreen = !o.Fullscreen; break;
    case Row::Scaling: o.SmoothScaling = !o.SmoothScaling; break;
    case Row::WindowScale: o.WindowScale = std::clamp(o.WindowScale + step, 1, MostWindowScale); break;
    case Row::Controls:
        o.Page = OptionsPage::Keys;
        return;
    }
    o.Changed = true;
}

// The controls pages: an action a row, its two keys (or pad buttons) in
// two columns, "Defaults" under them.
constexpr int FirstActionY = 50;
constexpr int ActionRowHeight = 22;
constexpr int FirstKeyLeft = 180;
constexpr int SecondKeyLeft = 265;
// The pad's button names are longer than the keys'.
constexpr int FirstButtonLeft = 160;
constexpr int SecondButtonLeft = 250;
// The battle's keys page: the way back and the way to the gamepad's page
// share a row, the way to the window's and panels' keys has the next.
constexpr int BackY = 220;
constexpr int GamepadLinkLeft = 240;
constexpr int PanelKeysLinkY = 245;
// On the gamepad's page the dead zone, then the way back to the keys.
constexpr int DeadZoneY = 220;
constexpr int KeysLinkY = 245;
constexpr int DeadZoneStep = 5;
// The window's and panels' keys page: its way back under "Defaults".
constexpr int BattleLinkY = 264;

// The actions a controls page lists.
struct ActionRange {
    std::size_t First;
    std::size_t Count;
};
ActionRange ActionsOf(OptionsPage page)
{
    if (page == OptionsPage::PanelKeys) return {BattleActionCount, ActionCount - BattleActionCount};
    return {0, BattleActionCount};
}

int RowY(std::size_t row) { return FirstActionY + static_cast<int>(row) * ActionRowHeight; }

int DefaultsY(OptionsPage page) { return RowY(ActionsOf(page).Count) + 13; }

struct SlotColumns {
    int First;
    int Second;
};
SlotColumns ColumnsOf(OptionsPage page)
{
    return page == OptionsPage::Gamepad ? SlotColumns{FirstButtonLeft, SecondButtonLeft}
                                        : SlotColumns{FirstKeyLeft, SecondKeyLeft};
}

bool OnRow(int y, int top) { return y >= top && y < top + ActionRowHeight; }

std::string SlotText(const Game& game, std::size_t action, std::size_t slot)
{
    const bool pad = game.ui.Options.Page == OptionsPage::Gamepad;
    if (game.ui.Options.Capturing == static_cast<int>(action * KeysPerAction + slot))
        return pad ? "press one" : "press a key";
    const Action a = static_cast<Action>(action);
    if (pad) {
        const PadButton button = game.ui.Controls.Pad(a, slot);
        return button == PadButton::None ? "-" : PadButtonName(button);
    }
    const uint16_t key = game.ui.Controls.Key(a, slot);
    return key == 0 ? "-" : KeyName(key);
}

void ComposeActionRows(Game& game, Canvas& face)
{
    const OptionsPage page = game.ui.Options.Page;
    const SlotColumns columns = ColumnsOf(page);
    const ActionRange actions = ActionsOf(page);
    for (std::size_t row = 0; row < actions.Count; ++row) {
        const std::size_t a = actions.First + row;
        face.TextOut(20, RowY(row), NamesOf(static_cast<Action>(a)).Label);
        face.TextOut(columns.First, RowY(row), SlotText(game, a, 0));
        face.TextOut(columns.Second, RowY(row), SlotText(game, a, 1));
    }
    face.TextOut(20, DefaultsY(page), "Defaults");
}

void ComposeKeysPage(Game& game, Canvas& face)
{
    face.TextOut(79, 18, "Options: battle controls");
    ComposeActionRows(game, face);
    face.TextOut(20, BackY, "< Sound and video");
    face.TextOut(GamepadLinkLeft, BackY, "Gamepad >");
    face.TextOut(20, PanelKeysLinkY, "Window and panel keys >");
    face.TextOut(20, 270, game.ui.Options.Note);
    face.TextOut(20, 290, "Click a key to change it; then");
    face.TextOut(20, 305, "Delete unbinds it, Esc keeps it.");
    face.TextOut(20, 320, "The spawn keys, N and M stay.");
}

void ComposePanelKeysPage(Game& game, Canvas& face)
{
    face.TextOut(55, 18, "Options: window and panel keys");
    ComposeActionRows(game, face);
    face.TextOut(20, BattleLinkY, "< Battle controls");
    face.TextOut(20, 289, game.ui.Options.Note);
    face.TextOut(20, 309, "Click a key to change it; then");
    face.TextOut(20, 324, "Delete unbinds it, Esc keeps it.");
}

void ComposeGamepadPage(Game& game, Canvas& face)
{
    face.TextOut(71, 18, "Options: battle on a gamepad");
    ComposeActionRows(game, face);
    face.TextOut(20, DeadZoneY, "Stick dead zone");
    face.TextOut(ValueLeft, DeadZoneY, Stepped(std::to_string(game.ui.Options.DeadZone) + " %"));
    face.TextOut(20, KeysLinkY, "< Keys");
    face.TextOut(20, 270, game.ui.Options.Note);
    face.TextOut(20, 295, "Click a button to change it, then");
    face.TextOut(20, 310, "press one on the pad; Delete");
    face.TextOut(20, 325, "unbinds it, Esc keeps it.");
}

// The rows every controls page has: the actions' columns and "Defaults".
// True when the click was on one of them.
bool ClickActionRows(Game& game, int x, int y)
{
    PlayerOptions& o = game.ui.Options;
    if (OnRow(y, DefaultsY(o.Page))) {
        game.ui.Controls = Bindings{};
        o.Changed = true;
        return true;
    }
    const ActionRange actions = ActionsOf(o.Page);
    if (y < FirstActionY || y >= RowY(actions.Count)) return false;
    const std::size_t action = actions.First + static_cast<std::size_t>((y - FirstActionY) / ActionRowHeight);
    const SlotColumns columns = ColumnsOf(o.Page);
    if (x >= columns.First) o.Capturing = static_cast<int>(action * KeysPerAction + (x < columns.Second ? 0 : 1));
    return true;
}

void ClickControlsPage(Game& game, int x, int y)
{
    PlayerOptions& o = game.ui.Options;
    o.Note.clear();
    o.Capturing = -1;
    if (ClickActionRows(game, x, y)) return;
    switch (o.Page) {
    case OptionsPage::Keys:
        if (OnRow(y, BackY)) o.Page = x < GamepadLinkLeft ? OptionsPage::SoundAndVideo : OptionsPage::Gamepad;
        if (OnRow(y, PanelKeysLinkY)) o.Page = OptionsPage::PanelKeys;
        break;
    case OptionsPage::PanelKeys:
        if (OnRow(y, BattleLinkY)) o.Page = OptionsPage::Keys;
        break;
    case OptionsPage::Gamepad:
        if (OnRow(y, KeysLinkY)) o.Page = OptionsPage::Keys;
        if (OnRow(y, DeadZoneY) && x >= ValueLeft) {
            o.DeadZone = std::clamp(o.DeadZone + (x < ValueMiddle ? -DeadZoneStep : DeadZoneStep), 0, MostDeadZone);
            o.Changed = true;
        }
        break;
    case OptionsPage::SoundAndVideo: break;
    }
}

// The binding the options window waits for, as action and slot.
std::pair<Action, std::size_t> Waiting(const PlayerOptions& o)
{
    return {static_cast<Action>(static_cast<std::size_t>(o.Capturing) / KeysPerAction),
            static_cast<std::size_t>(o.Capturing) % KeysPerAction};
}

void Marked(Game& game)
{
    game.ui.Marked.Options = true;
    game.RepaintNeeded = 1;
}

}  // namespace

void BuildOptionsWindow(Game& game)
{
    MakeCentreWindow(game, game.ui.hud.OptionsWindow, OptionsWindowLayout,
                     [&game](int16_t x, int16_t y, uint8_t button) { ClickOptionsWindow(game, x, y, button); });
}

bool OptionsWindowShown(const Game& game)
{
    const kvWindow& w = game.ui.hud.OptionsWindow;
    return w.Visible != 0 && w.SlideOut == 0;
}

void OpenOptionsWindow(Game& game)
{
    Hud& h = game.ui.hud;
    TakeCentre(game, h.OptionsWindow);
    h.OptionsWindow.SlideIn = 1;
    h.OptionsWindow.SlideOut = 0;
    game.ui.Marked.Options = true;
    game.RepaintNeeded = 1;
}

void CloseOptionsWindow(Game& game)
{
    Hud& h = game.ui.hud;
    h.OptionsWindow.SlideIn = 0;
    h.OptionsWindow.SlideOut = 1;
    if (h.FocusedItem == &h.OptionsWindow) h.FocusedItem = h.ConsoleEdit.Visible ? &h.ConsoleEdit : nullptr;
    game.RepaintNeeded = 1;
}

void ToggleOptionsWindow(Game& game)
{
    if (OptionsWindowShown(game)) CloseOptionsWindow(game);
    else OpenOptionsWindow(game);
}

void ComposeOptionsWindow(Game& game)
{
    kvWindow& w = game.ui.hud.OptionsWindow;
    PaintFace(w.Face, game.ui.hud.CentreFace);
    Canvas face(w.Face);
    if (game.ui.Options.Page == OptionsPage::Keys) return ComposeKeysPage(game, face);
    if (game.ui.Options.Page == OptionsPage::PanelKeys) return ComposePanelKeysPage(game, face);
    if (game.ui.Options.Page == OptionsPage::Gamepad) return ComposeGamepadPage(game, face);
    face.TextOut(147, 18, "Options");
    face.TextOut(20, 45, "Sound");
    face.TextOut(20, 170, "Video");
    for (const RowPlace& row : Rows) {
        face.TextOut(35, row.Y, row.Label);
        face.TextOut(ValueLeft, row.Y, ValueText(game.ui.Options, row.Which));
    }
    face.TextOut(20, 295, "Click a row to change it.");
    face.TextOut(20, 310, "Esc or F6 closes this window.");
}

void ClickOptionsWindow(Game& game, int16_t x, int16_t y, uint8_t button)
{
    if (!OptionsWindowShown(game)) return;
    if (game.ui.Options.Page != OptionsPage::SoundAndVideo) {
        if (button == 0) ClickControlsPage(game, x, y);
        Marked(game);
        return;
    }
    const RowPlace* row = RowAt(y);
    if (row == nullptr || button > 1) return;
    Change(game.ui.Options, row->Which, button == 1 || x < ValueMiddle ? -1 : 1);
    game.ui.Marked.Options = true;
    game.RepaintNeeded = 1;
}

bool OptionsKeyDown(Game& game, uint16_t key)
{
    PlayerOptions& o = game.ui.Options;
    if (!OptionsWindowShown(game) || o.Capturing < 0) return false;
    const auto [action, slot] = Waiting(o);
    const bool pad = o.Page == OptionsPage::Gamepad;
    // On the gamepad's page only Delete and Esc of the keys count.
    if (pad && key != vk::Delete && key != vk::Escape) return true;
    o.Capturing = -1;
    if (key == vk::Delete) {
        if (pad) game.ui.Controls.UnbindPad(action, slot);
        else game.ui.Controls.Unbind(action, slot);
        o.Changed = true;
    } else if (key != vk::Escape) {
        if (const std::optional<Action> owner = game.ui.Controls.Bind(action, slot, key))
            o.Note = KeyName(key) + " is taken by " + std::string(NamesOf(*owner).Label);
        else o.Changed = true;
    }
    Marked(game);
    return true;
}

bool OptionsWaitForKey(const Game& game)
{
    return OptionsWindowShown(game) && game.ui.Options.Capturing >= 0 && game.ui.Options.Page != OptionsPage::Gamepad;
}

bool OptionsPadDown(Game& game, PadButton button)
{
    PlayerOptions& o = game.ui.Options;
    if (!OptionsWindowShown(game) || o.Capturing < 0 || o.Page != OptionsPage::Gamepad) return false;
    const auto [action, slot] = Waiting(o);
    o.Capturing = -1;
    if (const std::optional<Action> owner = game.ui.Controls.BindPad(action, slot, button))
        o.Note = PadButtonName(button) + " is taken by " + std::string(NamesOf(*owner).Label);
    else o.Changed = true;
    Marked(game);
    return true;
}

}  // namespace kv
