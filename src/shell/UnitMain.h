// The main window's handlers: the one window of the game is first the
// launcher, then the borderless 800 x 600 surface every scene is drawn on.
// Input events, ticks and paint requests all arrive here and are routed by
// scene.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "game/Game.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/Desktop.h"
#include "shell/Launcher.h"
#include "shell/Outro.h"
#include "shell/PadPointer.h"
#include "shell/Pause.h"
#include "shell/TitleScene.h"
#include "shell/kvScreen.h"

namespace kv {

class TfrmMain {
public:
    // `settingsPath` names the settings file; empty keeps no settings.
    explicit TfrmMain(Window& window, std::string settingsPath = {});

    void FormCreate();
    void FormDestroy();
    void FormPaint();
    void Timer1Timer();

    // `key` as the layout gives it; `action` the binding of the key's place,
    // if any.
    void FormKeyDown(uint16_t key, std::optional<Action> action = std::nullopt);
    // Typed text for the focused edit field.
    void FormTextInput(const std::string& text);
    void FormMouseDown(MouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(MouseButton button, int x, int y);
    void FormMouseWheel(int delta);
    // A gamepad's button in the scenes with a pointer: A is the left mouse
    // button, X the right one, B is Esc. In a battle the buttons are polled.
    void FormPadButton(PadButton button, bool down);

    // Gamepads from now on, with the mappings of the file at that path
    // (platform/Gamepads.h); a file that cannot be used is said once, on
    // stderr and in the console.
    void StartGamepads(const std::string& mappingsPath);

    // The launcher's controls.
    void Button1Click();
    void Button2Click();
    void ComboBox1Select(int itemIndex);
    void CheckBox1Click();
    void LeaveLauncher();

    void SwitchScene(uint8_t scene);
    // The scene a handler asked for through game.SwitchScene, if any.
    void SwitchRequestedScene();

    // Routes one platform event to its handler. A data file that fails to
    // load abandons the event with a message, and the game runs on.
    void Dispatch(const InputEvent& event);
    // One tick, guarded in the same way.
    void Tick();

    bool Terminated() const { return game.TerminateRequested; }
    Window& Form() { return window_; }
    // The picture the window shows now.
    const Bitmap& ShownFrame() const { return *shown_; }
    const Launcher& LauncherControls() const { return launcher_; }
    const ScreenModes& Screen() const { return screen_; }
    const PauseState& Pause() const { return pause_; }

    Game game;

private:
    void EnterTitle();
    void EnterSpace();
    void LoadSpaceBackdrop();
    void EnterOutro();
    void EnterLauncher();
    void TitleMouseDown(MouseButton button, int x, int y);
    void TitleKeyDown(uint16_t key);
    bool ClickWindowAt(kvWindow& window, MouseButton button, int x, int y);
    bool HasOptionsWindow() const;
    void OptionsFromPause(const InputEvent& event);
    void TitleMouseMove(int x, int y);
    void ReturnToTitle();
    void LauncherEvent(const InputEvent& event);
    void ActOnLauncher(LauncherAction action);
    void ComposeLauncher();
    // The action bound to a key's place, unless the key is text for a
    // field that has the keyboard.
    std::optional<Action> KeyAction(const KeyDownEvent& down);
    kvEdit* FocusedEdit();
    void EditChanged();
    void SpaceMouseDown(MouseButton button, int x, int y);
    void Report(const std::string& text);
    void TellNoHomeFolder();
    void TellSettingsNotices();
    void Show(const Bitmap& frame);
    void Route(const InputEvent& event);
    bool WindowKeyDown(const InputEvent& event);
    void SetPause(PauseReason reason, bool on);
    bool PadWindowEvent(const InputEvent& event);
    void PadTick();
    void SyncOptions();
    void ApplyOptions();
    void RestoreLauncherChoices();

    Window& window_;
    DesktopWindow desktop_;
    PauseState pause_;
    // The last frame with the "Paused" mark, shown while the game stands still.
    Bitmap pausedFrame_;
    // The pointer moved on the back buffer; the next tick shows it.
    bool presentPending_ = false;
    ScreenModes screen_;
    Launcher launcher_;
    uint8_t startRequested_ = 0;
    std::optional<uint8_t> requestedScene_;
    LogoRing ring_;
    OutroCrawl crawl_;
    Bitmap launcherFrame_;
    const Bitmap* shown_ = &launcherFrame_;
    // The pointer and the star map as the pads move them.
    PadPointer padPointer_;
    PadPointer mapTurn_;
    // Why the gamepad mapping file is not used, until the console says it.
    std::optional<std::string> padNotice_;
    // Every message shown so far: each is shown once in a run, however often
    // its failure comes back (a picture missing at every hit in a battle).
    std::set<std::string> reported_;
};

}  // namespace kv
