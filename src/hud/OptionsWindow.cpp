#include "hud/OptionsWindow.h"

#include <algorithm>
#include <array>
#include <string>

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
        o.ControlsPage = true;
        return;
    }
    o.Changed = true;
}

// The controls page: an action a row, its two keys in two columns.
constexpr int FirstActionY = 50;
constexpr int ActionRowHeight = 22;
constexpr int FirstKeyLeft = 180;
constexpr int SecondKeyLeft = 265;
constexpr int DefaultsY = 195;
constexpr int BackY = 220;

int ActionRowY(std::size_t action) { return FirstActionY + static_cast<int>(action) * ActionRowHeight; }

std::string SlotText(const Game& game, std::size_t action, std::size_t slot)
{
    if (game.ui.Options.Capturing == static_cast<int>(action * KeysPerAction + slot)) return "press a key";
    const uint16_t key = game.ui.Controls.Key(static_cast<Action>(action), slot);
    return key == 0 ? "-" : KeyName(key);
}

void ComposeControlsPage(Game& game, Canvas& face)
{
    face.TextOut(79, 18, "Options: battle controls");
    for (std::size_t a = 0; a < ActionCount; ++a) {
        face.TextOut(20, ActionRowY(a), NamesOf(static_cast<Action>(a)).Label);
        face.TextOut(FirstKeyLeft, ActionRowY(a), SlotText(game, a, 0));
        face.TextOut(SecondKeyLeft, ActionRowY(a), SlotText(game, a, 1));
    }
    face.TextOut(20, DefaultsY, "Defaults");
    face.TextOut(20, BackY, "< Sound and video");
    face.TextOut(20, 250, game.ui.Options.Note);
    face.TextOut(20, 280, "Click a key to change it; then");
    face.TextOut(20, 295, "Delete unbinds it, Esc keeps it.");
}

void ClickControlsPage(Game& game, int x, int y)
{
    PlayerOptions& o = game.ui.Options;
    o.Note.clear();
    o.Capturing = -1;
    if (y >= DefaultsY && y < DefaultsY + ActionRowHeight) {
        game.ui.Controls = Bindings{};
        o.Changed = true;
        return;
    }
    if (y >= BackY && y < BackY + ActionRowHeight) {
        o.ControlsPage = false;
        return;
    }
    if (y < FirstActionY || x < FirstKeyLeft) return;
    const auto action = static_cast<std::size_t>((y - FirstActionY) / ActionRowHeight);
    if (action >= ActionCount) return;
    o.Capturing = static_cast<int>(action * KeysPerAction + (x < SecondKeyLeft ? 0 : 1));
}

}  // namespace

void BuildOptionsWindow(Game& game)
{
    MakeCentreWindow(game, game.ui.hud.OptionsWindow, OptionsWindowLayout,
                     [&game](int16_t x, int16_t y, uint8_t button) { ClickOptionsWindow(game, x, y, button); });
}

bool OptionsWindowShown(const Game& game) { return game.ui.hud.OptionsWindow.Visible != 0; }

void OpenOptionsWindow(Game& game)
{
    Hud& h = game.ui.hud;
    ClearCentre(game);
    h.StarMap.Visible = 0;
    h.Market.Visible = 0;
    h.OptionsWindow.Visible = 1;
    h.FocusedItem = &h.OptionsWindow;
    game.ui.Marked.Options = true;
    game.RepaintNeeded = 1;
}

void CloseOptionsWindow(Game& game)
{
    Hud& h = game.ui.hud;
    h.OptionsWindow.Visible = 0;
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
    if (game.ui.Options.ControlsPage) {
        ComposeControlsPage(game, face);
        return;
    }
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
    if (game.ui.Options.ControlsPage) {
        if (button == 0) ClickControlsPage(game, x, y);
        game.ui.Marked.Options = true;
        game.RepaintNeeded = 1;
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
    const auto action = static_cast<Action>(static_cast<std::size_t>(o.Capturing) / KeysPerAction);
    const std::size_t slot = static_cast<std::size_t>(o.Capturing) % KeysPerAction;
    o.Capturing = -1;
    if (key == vk::Delete) {
        game.ui.Controls.Unbind(action, slot);
        o.Changed = true;
    } else if (key != vk::Escape) {
        if (const std::optional<Action> owner = game.ui.Controls.Bind(action, slot, key))
            o.Note = KeyName(key) + " is taken by " + std::string(NamesOf(*owner).Label);
        else o.Changed = true;
    }
    game.ui.Marked.Options = true;
    game.RepaintNeeded = 1;
    return true;
}

}  // namespace kv
