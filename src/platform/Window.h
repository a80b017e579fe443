// The one window of the game on SDL2: creation, size and placement, the
// system pointer, presenting a frame, the event pump, message boxes and the
// display modes of the primary display.
//
// Presenting: the 24-bit blue-green-red frame goes into a streaming texture
// of the same format and is copied with the frame's size as the logical size,
// so SDL letterboxes and scales when the window is larger.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Input.h"

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
    // Starts SDL's video and creates a hidden borderless window; throws
    // std::runtime_error when no video driver can be started at all.
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void Show();
    void SetSize(int width, int height);
    void Centre();
    int Width() const;
    int Height() const;
    void ShowSystemPointer(bool shown);

    // Shows the frame; the window keeps no reference to it.
    void Present(const Bitmap& frame);

    // Waits up to `timeoutMs` for the next event, translated into the game's
    // terms; events the game does not use are skipped.
    std::optional<InputEvent> WaitEvent(int timeoutMs);

    // Mode `index` of the primary display, or nothing past the last one.
    std::optional<DisplayMode> SystemMode(int index) const;
    // Whether the display can be switched to the mode (a test, no switch).
    bool CanSwitchTo(const DisplayMode& mode) const;
    void SwitchTo(const DisplayMode& mode);
    void RestoreDesktopMode();

    // A message for the player: a message box, or stderr without a display.
    void ShowMessage(const std::string& title, const std::string& text);

    // Gives the window the picture (a PNG with transparency) at a game data
    // path as its icon; returns why it could not, or nothing.
    std::optional<std::string> SetIcon(const std::string& dataPath);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A message for the player when the game cannot start and has no window: on
// stderr, and in a message box when there is a display to show it on.
void ShowStartupMessage(const std::string& title, const std::string& text);

}  // namespace kv
