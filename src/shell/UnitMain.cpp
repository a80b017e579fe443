#include "shell/UnitMain.h"

#include <algorithm>
#include <iostream>
#include <type_traits>
#include <utility>

#include "base/Numbers.h"
#include "shell/CombatScene.h"
#include "console/Console.h"
#include "graphics/Geometry.h"
#include "game/SaveGames.h"
#include "game/SaveSlots.h"
#include "hud/ConsoleCommands.h"
#include "hud/Hud.h"
#include "hud/NewGameWindow.h"
#include "hud/OptionsWindow.h"
#include "hud/SaveWindow.h"
#include "navigation/StarMap.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/DataPath.h"
#include "platform/LoadError.h"
#include "shell/SpaceScene.h"
#include "shell/WindowSlides.h"

namespace kv {

namespace {

constexpr Rgb OutroTextColour{252, 210, 69};

uint8_t ButtonBit(MouseButton button)
{
    switch (button) {
    case MouseButton::Left: return 2;
    case MouseButton::Right: return 4;
    case MouseButton::Middle: return 8;
    }
    return 0;
}

}  // namespace

TfrmMain::TfrmMain(Window& window, std::string settingsPath)
    : window_(window), desktop_(window, std::move(settingsPath))
{
    game.SwitchScene = [this](uint8_t scene) { requestedScene_ = scene; };
}

void TfrmMain::FormCreate()
{
    SweepSavesFolder(game.ui.Saves.Folder);
    desktop_.LoadSettings();
    game.ui.Controls = desktop_.Remembered().Controls;
    game.Pads.DeadZonePercent = desktop_.Remembered().PadDeadZone;
    game.Sound.SetVolumes(desktop_.Remembered().MusicVolume, desktop_.Remembered().EffectsVolume);
    window_.Resize(800, 600);
    game.BackBuffer = Bitmap();
    SwitchScene(SceneLauncher);
    window_.Show();
    FormPaint();
}

void TfrmMain::FormDestroy() { RestoreDisplayMode(screen_, window_); }

void TfrmMain::SwitchScene(uint8_t scene)
{
    switch (scene) {
    case SceneTitle: EnterTitle(); break;
    case SceneSpace: EnterSpace(); break;
    case SceneCombat: SetUpBattle(game); break;
    case SceneOutro: EnterOutro(); break;
    case SceneLauncher: EnterLauncher(); break;
    default: break;
    }
}

void TfrmMain::SwitchRequestedScene()
{
    if (const std::optional<uint8_t> scene = std::exchange(requestedScene_, std::nullopt)) SwitchScene(*scene);
}

void TfrmMain::EnterTitle()
{
    game.scene.Crosshair = game.scene.LastMouse;
    PaintFace(game.ui.hud.TitleWindow.Face, game.ui.hud.TitlePicture);
    game.scene.LogoPhase = 0;
    game.scene.HoveredItem = title::None;
    game.scene.PreviousHoveredItem = title::NeverHovered;
    ring_.Build(game.ui.hud.Logo.Width(), game.ui.hud.Logo.Height());
    game.CurrentScene = SceneTitle;
    game.Sound.PlayMusic("res\\sfx\\sndtr\\load.mod");
}

void TfrmMain::EnterSpace()
{
    game.CurrentScene = SceneSpace;
    LoadSpaceBackdrop();
    PlaceSpaceWindows(game.ui.hud);
    game.Sound.PlayMusic("res\\sfx\\sndtr\\track1.mod");
}

// A backdrop that cannot be loaded gives way to a plain black one, so the
// scene stays whole and playable.
void TfrmMain::LoadSpaceBackdrop()
{
    Bitmap& backdrop = game.scene.SpaceBackground;
    try {
        backdrop = Bitmap();
        LoadBmp("res\\gfx\\backgrounds\\planet3.bmp", backdrop, Exactly(800, 600));
    } catch (const LoadError& e) {
        backdrop.SetSize(800, 600);
        backdrop.Fill(Black);
        Report(e.what());
    }
}

void TfrmMain::EnterOutro()
{
    game.CurrentScene = SceneOutro;
    game.scene.OutroCounter = 0;
    game.ui.hud.CursorSprite.Tracking = 0;
    Bitmap& sky = game.ui.hud.TitleWindow.Face;
    sky.Fill(Black);
    ScatterStars(800, sky, game.world.random);
    Bitmap& sheet = game.ui.hud.OutroSheet.Face;
    sheet.font = Font{"Arial Black", 30, OutroTextColour};
    sheet.brush.Style = BrushStyle::Clear;
    const int textBottom = ComposeOutroText(ReadTextLines("res\\outro.txt", OutroSheetLines), sheet);
    game.scene.OutroEnd = CrawlEnd(crawl_, textBottom);
    game.Sound.PlayMusic("res\\sfx\\sndtr\\intro.mod");
}

// The launcher picture failing to load leaves a plain panel behind the
// controls: the player can still pick a mode and play.
void TfrmMain::EnterLauncher()
{
    try {
        LoadBmp("res\\gfx\\loader.bmp", game.BackBuffer, Exactly(285, 100));
    } catch (const LoadError& e) {
        Report(e.what());
        game.BackBuffer.SetSize(285, 100);
        game.BackBuffer.Fill(Rgb{24, 28, 44});
    }
    game.Sound.SoundEnabled = 1;
    game.Sound.InitSound();
    game.RepaintNeeded = 0;
    window_.ShowSystemPointer(true);
    screen_.selectedMode = 0;
    game.CurrentScene = SceneLauncher;
    EnumerateDisplayModes(screen_, window_);
    window_.Resize(285, 100);
    launcher_.SetItems(ModeListItems(screen_));
    game.Sound.SoundEnabled = 0;
    RestoreLauncherChoices();
}

// The launcher opens with the choices made at the last "Play": the same
// display mode when the desktop still offers it, and the sound box.
void TfrmMain::RestoreLauncherChoices()
{
    const Settings& remembered = desktop_.Remembered();
    if (remembered.Mode) {
        for (int k = 1; k <= screen_.modeCount; ++k) {
            const DisplayMode& m = screen_.Modes[static_cast<std::size_t>(k)];
            const DisplayMode& r = *remembered.Mode;
            if (m.Width == r.Width && m.Height == r.Height && m.BitsPerPixel == r.BitsPerPixel &&
                m.RefreshRate == r.RefreshRate) {
                launcher_.Select(k);
                screen_.selectedMode = k;
                break;
            }
        }
    }
    if (remembered.SoundEnabled) {
        launcher_.SetSoundChecked(true);
        game.Sound.SoundEnabled = 1;
    }
}

void TfrmMain::ComboBox1Select(int itemIndex) { screen_.selectedMode = itemIndex; }

void TfrmMain::CheckBox1Click() { game.Sound.SoundEnabled = game.Sound.SoundEnabled ? 0 : 1; }

void TfrmMain::Button2Click() { game.TerminateRequested = true; }

void TfrmMain::Button1Click()
{
    std::optional<DisplayMode> mode;
    if (screen_.selectedMode > 0 && screen_.selectedMode <= screen_.modeCount)
        mode = screen_.Modes[static_cast<std::size_t>(screen_.selectedMode)];
    desktop_.RememberLauncherChoices(mode, game.Sound.SoundEnabled != 0);
    game.Sound.MusicOn = game.Sound.SoundEnabled;
    // A game without sound keeps no device open streaming silence.
    game.Sound.SetSoundEnabled(game.Sound.SoundEnabled != 0);
    BuildHud(game);
    TellNoHomeFolder();
    TellSettingsNotices();
    game.ui.hud.CursorSprite.Tracking = 1;
    window_.ShowSystemPointer(false);
    ApplyDisplayMode(screen_, window_);
    startRequested_ = 1;
    game.BackBuffer.SetSize(800, 600);
}

void TfrmMain::LeaveLauncher()
{
    startRequested_ = 0;
    desktop_.OpenGameWindow(screen_.switched);
    SyncOptions();
    SwitchScene(SceneTitle);
}

// The options window shows what the sound and the window are now.
void TfrmMain::SyncOptions()
{
    const Settings& s = desktop_.Remembered();
    PlayerOptions& o = game.ui.Options;
    o.MusicVolume = s.MusicVolume;
    o.EffectsVolume = s.EffectsVolume;
    o.SoundOn = game.Sound.SoundEnabled != 0;
    o.MuteInBackground = s.MuteInBackground;
    o.Fullscreen = window_.DesktopFullscreen();
    o.SmoothScaling = s.Scaling == ScalingStyle::Smooth;
    o.WindowScale = desktop_.WindowScale();
    o.DeadZone = s.PadDeadZone;
    o.Changed = false;
    game.ui.Marked.Options = true;
}

void TfrmMain::ApplyOptions()
{
    const PlayerOptions o = game.ui.Options;
    if (!o.Changed) return;
    if (o.SoundOn != (game.Sound.SoundEnabled != 0)) {
        game.Sound.MusicOn = o.SoundOn ? 1 : 0;
        game.Sound.SetSoundEnabled(o.SoundOn);
    }
    game.Sound.SetVolumes(o.MusicVolume, o.EffectsVolume);
    desktop_.RememberSound(o.SoundOn, o.MusicVolume, o.EffectsVolume, o.MuteInBackground);
    game.Pads.DeadZonePercent = o.DeadZone;
    desktop_.RememberControls(game.ui.Controls, o.DeadZone);
    desktop_.SetFullscreen(o.Fullscreen);
    desktop_.SetScaling(o.SmoothScaling ? ScalingStyle::Smooth : ScalingStyle::Sharp);
    desktop_.SetWindowScale(o.WindowScale);
    SyncOptions();
}

void TfrmMain::Timer1Timer()
{
    switch (game.CurrentScene) {
    case SceneTitle:
        PadTick();
        SlideOptionsWindow(game.ui.hud);
        TitleTick(game);
        break;
    case SceneSpace:
        PadTick();
        if (TakeWrittenSaves(game) && SaveWindowShown(game)) game.ui.Marked.SaveWindow = true;
        if (ConsoleTick(game.ui.hud.ConsoleWindow, game.ui.hud.ConsoleEdit, game.ui.Console, game.Sound)) game.RepaintNeeded = 1;
        if (game.ui.Command.Code != command::None) RunCommand(game);
        if (RunWindowSlides(game.ui.hud)) game.RepaintNeeded = 1;
        break;
    case SceneCombat:
        CombatInput(game);
        game.RepaintNeeded = 1;
        break;
    case SceneOutro:
        if (OutroTick(game)) ReturnToTitle();
        break;
    case SceneLauncher:
        if (startRequested_) LeaveLauncher();
        break;
    default: break;
    }
    SwitchRequestedScene();
    ComposeMarkedPanels(game);
    if (game.RepaintNeeded) FormPaint();
    // A battle ends while its frame is composed.
    SwitchRequestedScene();
    game.RepaintNeeded = 0;
}

void TfrmMain::ComposeLauncher()
{
    launcher_.Compose(game.BackBuffer, launcherFrame_);
    Show(launcherFrame_);
}

void TfrmMain::FormPaint()
{
    switch (game.CurrentScene) {
    case SceneTitle: ComposeTitle(game, ring_); break;
    case SceneSpace: ComposeSpace(game); break;
    case SceneCombat: ComposeCombatFrame(game); break;
    case SceneOutro: ComposeOutro(game, crawl_); break;
    case SceneLauncher: ComposeLauncher(); return;
    default: break;
    }
    for (kvSprite* sprite : game.ui.hud.SpriteTable)
        if (sprite != nullptr && sprite->Tracking == 1) sprite->Draw(game.BackBuffer);
    Show(game.BackBuffer);
}

void TfrmMain::Show(const Bitmap& frame)
{
    shown_ = &frame;
    presentPending_ = false;
    window_.Present(frame);
}

void TfrmMain::ReturnToTitle()
{
    game.ui.hud.CursorSprite.Tracking = 1;
    SwitchScene(SceneTitle);
}

void TfrmMain::FormKeyDown(uint16_t key, std::optional<Action> action)
{
    if (game.CurrentScene == SceneLauncher) {
        ActOnLauncher(launcher_.KeyDown(key));
        return;
    }
    // A battle detaches the key handler: its keys are polled every tick.
    if (game.CurrentScene == SceneCombat) return;
    // The save window holds the keyboard while it is out: keys reach
    // neither the console's command line nor the space scene's shortcuts.
    if (game.CurrentScene == SceneSpace && SaveWindowShown(game)) {
        SaveWindowKeyDown(game, key);
        game.RepaintNeeded = 1;
        return;
    }
    const bool typing = FocusedEdit() != nullptr;
    if (typing) {
        FocusedEdit()->KeyPress(key);
        EditChanged();
    }
    if (game.CurrentScene == SceneSpace) {
        SpaceKeyDown(game, key, action);
        if (!typing) MapShortcutKeyDown(game, key);
        FocusedWindowKeyDown(game, key);
    }
    if (game.CurrentScene == SceneTitle) TitleKeyDown(key);
    if (game.CurrentScene == SceneOutro) ReturnToTitle();
    game.RepaintNeeded = 1;
}

// The title scene has the options window too: F6 opens and closes it, Esc
// closes it.
void TfrmMain::TitleKeyDown(uint16_t key)
{
    if (key == vk::F6) ToggleOptionsWindow(game);
    if (key == vk::Escape && OptionsWindowShown(game)) CloseOptionsWindow(game);
}

void TfrmMain::FormTextInput(const std::string& text)
{
    kvEdit* edit = FocusedEdit();
    if (edit == nullptr || game.CurrentScene == SceneLauncher || game.CurrentScene == SceneCombat) return;
    if (game.CurrentScene == SceneSpace && SaveWindowShown(game)) return;
    edit->TypeText(text);
    EditChanged();
    game.RepaintNeeded = 1;
}

kvEdit* TfrmMain::FocusedEdit()
{
    kvWindow* focused = game.ui.hud.FocusedItem;
    return focused != nullptr && focused->Kind == WidgetKind::Edit ? static_cast<kvEdit*>(focused) : nullptr;
}

void TfrmMain::EditChanged()
{
    Hud& h = game.ui.hud;
    if (h.FocusedItem == &h.ConsoleEdit) ComposeConsole(h.ConsoleWindow, h.ConsoleEdit, game.ui.Console);
    if (h.FocusedItem == &h.NameEdit) game.ui.Marked.NewGame = true;
}

void TfrmMain::TitleMouseDown(MouseButton button, int x, int y)
{
    if (ClickWindowAt(game.ui.hud.OptionsWindow, button, x, y)) return;
    if (button != MouseButton::Left) return;
    game.MouseButtons = static_cast<uint8_t>(game.MouseButtons + 2);
    switch (game.scene.HoveredItem) {
    case title::StartGame:
        SwitchScene(SceneSpace);
        FormPaint();
        break;
    case title::Intro: SwitchScene(SceneOutro); break;
    case title::Exit: game.TerminateRequested = true; break;
    default: break;
    }
}

void TfrmMain::FormMouseDown(MouseButton button, int x, int y)
{
    game.scene.LastMouse = Point{x, y};
    switch (game.CurrentScene) {
    case SceneTitle: TitleMouseDown(button, x, y); break;
    case SceneSpace: SpaceMouseDown(button, x, y); break;
    case SceneOutro:
        game.RepaintNeeded = 1;
        ReturnToTitle();
        break;
    case SceneLauncher: ActOnLauncher(launcher_.MouseDown(x, y)); break;
    default: break;
    }
}

// The click goes to the topmost visible window whose picture under the
// pointer is not transparent; a transparent pixel lets it fall through.
void TfrmMain::SpaceMouseDown(MouseButton button, int x, int y)
{
    game.MouseButtons = static_cast<uint8_t>(game.MouseButtons + ButtonBit(button));
    Hud& h = game.ui.hud;
    for (std::size_t slot = 32; slot >= 1; --slot) {
        kvWindow* w = h.WindowTable[slot];
        if (w != nullptr && ClickWindowAt(*w, button, x, y)) return;
    }
}

// A click on a window that is shown, takes clicks, and whose picture under
// the pointer is not transparent goes to the item under it; false when
// the window does not take it.
bool TfrmMain::ClickWindowAt(kvWindow& w, MouseButton button, int x, int y)
{
    if (!w.OnClick || w.Visible != 1) return false;
    if (x < w.Left || x > w.Left + w.Width - 1 || y < w.Top || y > w.Top + w.Height - 1) return false;
    if (w.Face.Pixel(x - w.Left, y - w.Top) == ColourKey) return false;
    ClickItemAt(w, static_cast<int16_t>(x - w.Left), static_cast<int16_t>(y - w.Top), static_cast<uint8_t>(button),
                game.ui.hud.FocusedItem, game.Sound);
    return true;
}

void TfrmMain::TitleMouseMove(int x, int y)
{
    SceneState& s = game.scene;
    s.HoveredItem = TitleItemAt(x, y);
    if (s.HoveredItem == s.PreviousHoveredItem) return;
    if (s.HoveredItem != title::None) game.Sound.PlaySoundEffect("res\\sfx\\hud\\menu1.wav");
    s.PreviousHoveredItem = s.HoveredItem;
}

void TfrmMain::FormMouseMove(int x, int y)
{
    if (game.CurrentScene == SceneLauncher) {
        ActOnLauncher(launcher_.MouseMove(x, y));
        game.scene.LastMouse = Point{x, y};
        return;
    }
    // Between frames the back buffer holds what the window shows, so the
    // pointer moves on it, and the next tick shows it: a flood of moves costs
    // one picture a tick, not one a move.
    kvSprite& pointer = game.ui.hud.CursorSprite;
    if (pointer.Tracking == 1) {
        pointer.MoveTo(x, y, game.BackBuffer);
        shown_ = &game.BackBuffer;
        presentPending_ = true;
    } else {
        pointer.X = x;
        pointer.Y = y;
    }
    if (game.CurrentScene == SceneTitle) TitleMouseMove(x, y);
    // The right button alone drags the star map round while it is shown.
    if (game.CurrentScene == SceneSpace && game.MouseButtons == 4 && game.ui.hud.StarMap.Visible == 1) {
        TurnStarMap(game, ClampToInt32(int64_t{x} - game.scene.LastMouse.X),
                    ClampToInt32(int64_t{y} - game.scene.LastMouse.Y));
        game.ui.Marked.ShipWindow = true;
    }
    game.scene.LastMouse = Point{x, y};
}

void TfrmMain::FormMouseUp(MouseButton, int x, int y)
{
    game.MouseButtons = 0;
    if (game.CurrentScene == SceneLauncher) ActOnLauncher(launcher_.MouseUp(x, y));
}

void TfrmMain::FormMouseWheel(int delta)
{
    if (game.CurrentScene == SceneLauncher) {
        ActOnLauncher(launcher_.Wheel(delta));
        return;
    }
    WheelZoom(game, delta);
}

void TfrmMain::FormPadButton(PadButton button, bool down)
{
    if (game.CurrentScene == SceneLauncher || game.CurrentScene == SceneCombat) return;
    // A binding waiting in the options window takes the button.
    if (down && HasOptionsWindow() && OptionsPadDown(game, button)) return;
    const Point at = game.scene.LastMouse;
    switch (button) {
    case PadButton::A:
    case PadButton::X: {
        const MouseButton mouse = button == PadButton::A ? MouseButton::Left : MouseButton::Right;
        if (down) FormMouseDown(mouse, at.X, at.Y);
        else FormMouseUp(mouse, at.X, at.Y);
        break;
    }
    case PadButton::B:
        if (down) FormKeyDown(vk::Escape);
        break;
    default: break;
    }
}

// Every tick of the scenes with a pointer: the left stick and the d-pad
// move it; in space the right stick and the shoulders steer the star map.
void TfrmMain::PadTick()
{
    const Point step = StepPointer(padPointer_, PointerPush(game.Pads));
    if (step.X != 0 || step.Y != 0) {
        const Point at = game.scene.LastMouse;
        FormMouseMove(std::clamp(at.X + step.X, 0, 799), std::clamp(at.Y + step.Y, 0, 599));
    }
    if (game.CurrentScene == SceneSpace) PadSteersStarMap(game, mapTurn_);
}

void TfrmMain::StartGamepads(const std::string& mappingsPath)
{
    padNotice_ = window_.StartGamepads(mappingsPath);
    if (padNotice_) std::cerr << "kvspace: " << *padNotice_ << '\n';
}

void TfrmMain::ActOnLauncher(LauncherAction action)
{
    switch (action) {
    case LauncherAction::Select: ComboBox1Select(launcher_.SelectedItem()); break;
    case LauncherAction::Play: Button1Click(); break;
    case LauncherAction::Exit: Button2Click(); break;
    case LauncherAction::ToggleSound: CheckBox1Click(); break;
    case LauncherAction::Resize:
    case LauncherAction::None: break;
    }
    if (game.CurrentScene != SceneLauncher || startRequested_) return;
    window_.Resize(285, launcher_.WantedHeight());
    ComposeLauncher();
}

void TfrmMain::Report(const std::string& text)
{
    if (!reported_.insert(text).second) return;
    window_.ShowMessage("kvspace", text);
}

// Said once, as the game starts: without a home folder no save is kept,
// and the autosave is silent.
void TfrmMain::TellNoHomeFolder()
{
    if (!game.ui.Saves.Folder.empty()) return;
    const std::string what = desktop_.KeepsSettings() ? "Saves are" : "Saves and settings are";
    game.ui.Console.Add(what + " not kept: there is no home folder", MessageKind::Alert);
}

// The settings file's troubles reach the console as well as the terminal.
void TfrmMain::TellSettingsNotices()
{
    for (const std::string& notice : desktop_.TakeNotices()) game.ui.Console.Add(notice, MessageKind::Alert);
    if (padNotice_) game.ui.Console.Add(*std::exchange(padNotice_, std::nullopt), MessageKind::Alert);
}

// The keys of the window itself work in every scene after the launcher,
// the battle's included, and while the game is paused.
bool TfrmMain::WindowKeyDown(const InputEvent& event)
{
    const auto* down = std::get_if<KeyDownEvent>(&event);
    if (down == nullptr || game.CurrentScene == SceneLauncher) return false;
    // A binding waiting in the options window takes every key.
    if (OptionsWaitForKey(game)) return false;
    const std::optional<Action> action = KeyAction(*down);
    if (action == Action::Pause) {
        SetPause(PauseReason::Key, !pause_.ByKey);
        return true;
    }
    if (!desktop_.WindowKey(down->Key, down->Shift, action == Action::Fullscreen)) return false;
    TellSettingsNotices();
    SyncOptions();
    ComposeMarkedPanels(game);
    window_.Present(*shown_);
    return true;
}

std::optional<Action> TfrmMain::KeyAction(const KeyDownEvent& down)
{
    if (FocusedEdit() != nullptr && TypesText(down.Key)) return std::nullopt;
    return game.ui.Controls.Owner(down.Key);
}

// A pad's Start pauses and resumes as the Pause key does, in every scene
// after the launcher. A pad that comes or goes is said in the console; one
// pulled out in a battle pauses it, as the ship would otherwise fly on
// unsteered.
bool TfrmMain::PadWindowEvent(const InputEvent& event)
{
    if (const auto* device = std::get_if<PadDeviceEvent>(&event)) {
        if (game.CurrentScene == SceneLauncher) return true;
        game.ui.Console.Add((device->Added ? "Gamepad connected: " : "Gamepad disconnected: ") + device->Name,
                            device->Added ? MessageKind::Information : MessageKind::Alert);
        if (!device->Added && game.CurrentScene == SceneCombat) SetPause(PauseReason::Key, true);
        return true;
    }
    const auto* button = std::get_if<PadButtonEvent>(&event);
    if (button == nullptr || button->Button != PadButton::Start || game.CurrentScene == SceneLauncher) return false;
    if (button->Down) SetPause(PauseReason::Key, !pause_.ByKey);
    return true;
}

void TfrmMain::SetPause(PauseReason reason, bool on)
{
    const bool was = pause_.Active();
    pause_.Set(reason, on);
    // Sound stops with the game, except, where the player chose so, while
    // the game only waits for its window to have the keys again.
    const bool muted = pause_.ByKey || pause_.ByMinimise || (pause_.ByFocus && desktop_.Remembered().MuteInBackground);
    game.Sound.Hold(muted);
    if (was == pause_.Active()) return;
    window_.ShowSystemPointer(pause_.Active());
    if (pause_.Active()) {
        MarkPaused(*shown_, game.CurrentScene, pausedFrame_);
        Show(pausedFrame_);
    } else {
        Show(game.CurrentScene == SceneLauncher ? launcherFrame_ : game.BackBuffer);
    }
}

bool TfrmMain::HasOptionsWindow() const
{
    return game.CurrentScene == SceneSpace || game.CurrentScene == SceneTitle;
}

// Paused by the player in a scene with the options window, a click on the
// "Paused" mark or the options key goes on with the game and opens it.
void TfrmMain::OptionsFromPause(const InputEvent& event)
{
    if (!pause_.ByKey || pause_.ByFocus || pause_.ByMinimise || !HasOptionsWindow()) return;
    const auto* click = std::get_if<MouseDownEvent>(&event);
    const auto* key = std::get_if<KeyDownEvent>(&event);
    const MarkBox box = PausedMarkBox(game.CurrentScene);
    const bool onMark = click != nullptr && click->X >= box.Left && click->X < box.Left + box.Width &&
                        click->Y >= box.Top && click->Y < box.Top + box.Height;
    if (!onMark && (key == nullptr || key->Key != vk::F6)) return;
    SetPause(PauseReason::Key, false);
    OpenOptionsWindow(game);
    ComposeMarkedPanels(game);
    FormPaint();
}

void TfrmMain::Route(const InputEvent& event)
{
    std::visit(
        [this](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            // A binding waiting in the options window takes the key by its
            // place, as the battle polls it.
            if constexpr (std::is_same_v<E, KeyDownEvent>)
                if (!HasOptionsWindow() || !OptionsKeyDown(game, e.Key)) FormKeyDown(e.ByLayout(), KeyAction(e));
            if constexpr (std::is_same_v<E, TextEvent>) FormTextInput(e.Text);
            if constexpr (std::is_same_v<E, MouseDownEvent>) FormMouseDown(e.Button, e.X, e.Y);
            if constexpr (std::is_same_v<E, MouseMoveEvent>) FormMouseMove(e.X, e.Y);
            if constexpr (std::is_same_v<E, MouseUpEvent>) FormMouseUp(e.Button, e.X, e.Y);
            if constexpr (std::is_same_v<E, WheelEvent>) FormMouseWheel(e.Delta);
            if constexpr (std::is_same_v<E, PadButtonEvent>) FormPadButton(e.Button, e.Down);
        },
        event);
}

void TfrmMain::Dispatch(const InputEvent& event)
{
    game.Keys.Apply(event);
    game.Pads.Apply(event);
    if (std::holds_alternative<QuitEvent>(event)) {
        game.TerminateRequested = true;
        return;
    }
    // A paint request shows the last picture again: composing a new one
    // would move a battle on whenever the window is uncovered or resized.
    if (std::holds_alternative<ExposeEvent>(event)) {
        window_.Present(*shown_);
        return;
    }
    // Sound follows the desktop's devices in every scene, paused or not.
    if (const auto* device = std::get_if<AudioDeviceEvent>(&event)) {
        game.Sound.DeviceChanged(device->Added);
        return;
    }
    if (WindowKeyDown(event) || PadWindowEvent(event)) return;
    const bool launcher = game.CurrentScene == SceneLauncher;
    if (const auto* focus = std::get_if<FocusEvent>(&event)) {
        // Keys and pad buttons let go in another window never reach this
        // one: SDL gives a pad's events only to the window with the focus.
        if (!focus->Gained) {
            game.Keys.Clear();
            game.Pads.Clear();
        }
        if (!launcher) SetPause(PauseReason::Focus, !focus->Gained);
        return;
    }
    if (const auto* minimise = std::get_if<MinimiseEvent>(&event)) {
        if (!launcher) SetPause(PauseReason::Minimise, minimise->Minimised);
        return;
    }
    if (pause_.Active()) {
        try {
            OptionsFromPause(event);
        } catch (const LoadError& e) {
            Report(e.what());
        }
        return;
    }
    try {
        Route(event);
        ApplyOptions();
        window_.SetTextInput(FocusedEdit() != nullptr);
        SwitchRequestedScene();
        ComposeMarkedPanels(game);
    } catch (const LoadError& e) {
        Report(e.what());
    }
}

void TfrmMain::Tick()
{
    if (pause_.Active()) return;
    try {
        Timer1Timer();
    } catch (const LoadError& e) {
        game.RepaintNeeded = 0;
        Report(e.what());
    }
    if (presentPending_) Show(*shown_);
}

}  // namespace kv
