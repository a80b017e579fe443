// The one window of the game on SDL2: creation, size and placement, the
// system pointer, presenting a frame, the event pump (keys, pointer, text,
// gamepads), message boxes and the display modes of the primary display.
//
// Presenting: the 24-bit blue-green-red frame is drawn at the place Viewport
// gives for the window's drawable size and the scaling style, between black
// bars. Where the desktop has an accelerated SDL renderer, the frame goes
// into a streaming texture that the renderer scales. Otherwise, and always
// without a real display, the game's own scaler draws it at its final size
// straight into the window's surface. SDL's own hint variables
// (SDL_RENDER_DRIVER, SDL_RENDER_VSYNC ...) override the choice;
// SDL_RENDER_DRIVER=software picks the game's scaler.
// Pointer positions reach the game in frame pixels.
//
// The window shows the frame's latest picture at no particular moment of the
// display's refresh: waiting for the refresh would tie the game's fixed tick
// to the display's rate.
//
// SIGINT, SIGTERM, SIGHUP and SIGQUIT arrive as a QuitEvent, so the program
// ends through its normal path and gives the desktop its own mode back.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Input.h"
#include "platform/Viewport.h"

namespace kv {

// One display mode as the system reports it; the whole record is handed back
// when switching.
struct DisplayMode {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    int RefreshRate = 0;  // 0: unknown
    uint32_t Format = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

class Window {
public:
    // Starts SDL's video and creates a hidden borderless window of 800 x 600
    // centred on the desktop; throws std::runtime_error when no video driver
    // can be started at all.
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void Show();
    // Sizes the window in desktop units and centres it again, only when the
    // size differs from the window's: a window manager may move a window on
    // every size request, and the pointer's next click then misses.
    void Resize(int width, int height);
    void Centre();
    int Width() const;
    int Height() const;
    // The drawable's size in pixels: larger than the window on a high-DPI
    // desktop.
    Extent Output() const;
    // The usable part of the desktop the window is on, in desktop units.
    Extent UsableDesktop() const;
    // The launcher is a plain box; the game's window has decorations, so the
    // window manager can move, resize, maximise and minimise it.
    void BecomeGameWindow();
    void ShowSystemPointer(bool shown);
    // Text input on while an edit field has the keyboard: typed text then
    // arrives as TextEvents, and a desktop with an on-screen keyboard shows
    // it. Off, no text arrives.
    void SetTextInput(bool on);

    // Desktop fullscreen: the desktop keeps its mode and the frame is scaled
    // into the whole screen.
    void SetDesktopFullscreen(bool on);
    bool DesktopFullscreen() const;
    void SetScaling(ScalingStyle style);
    ScalingStyle Scaling() const;
    // The renderer SDL picked ("opengl", "opengles2" ...), or "software"
    // when the game's own scaler draws into the window's surface.
    std::string RendererName() const;

    // Shows the frame; the window keeps no reference to it.
    void Present(const Bitmap& frame);
    // What the window's drawable shows now, as a 24-bit picture.
    Bitmap Screenshot() const;
    // The frame pixel under a window position, for the frame last presented.
    FramePoint ToFrame(int x, int y) const;

    // Gamepads from now on, with the mappings of the file at `mappingsPath`
    // (platform/Gamepads.h); the line that says why the file is not used,
    // or nothing.
    std::optional<std::string> StartGamepads(const std::string& mappingsPath);

    // Waits up to `timeoutMs` for the next event, translated into the game's
    // terms; events the game does not use are skipped. A run of pointer
    // moves waiting in the queue arrives as its last move.
    std::optional<InputEvent> WaitEvent(int timeoutMs);

    // Mode `index` of the primary display, or nothing past the last one.
    std::optional<DisplayMode> SystemMode(int index) const;
    // Whether the display can be switched to the mode (a test, no switch).
    bool CanSwitchTo(const DisplayMode& mode) const;
    void SwitchTo(const DisplayMode& mode);
    void RestoreDesktopMode();

    // A message for the player: a message box, or stderr without a display.
    void ShowMessage(const std::string& title, const std::string& text);

    // Gives the window a square icon of `size` x `size` straight-alpha RGBA
    // pixels, row by row; returns why it could not, or nothing.
    std::optional<std::string> SetIcon(const std::vector<uint8_t>& rgba, int size);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A message for the player when the game cannot start and has no window: on
// stderr, and in a message box when there is a display to show it on.
void ShowStartupMessage(const std::string& title, const std::string& text);

}  // namespace kv
