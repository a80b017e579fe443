// The game's view of input: virtual-key codes of the old desktop (Up 38,
// F1 112, grave 192, Esc 27, letters 65..90, digits 48..57), the shift state
// that comes with a key or mouse event, and the held-keys state that the key
// poll reads. The platform fills these from SDL events; tests and the
// scenario runner fill them directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace kv {

namespace vk {
constexpr uint16_t Back = 8;
constexpr uint16_t Tab = 9;
constexpr uint16_t Return = 13;
constexpr uint16_t Shift = 16;
constexpr uint16_t Control = 17;
constexpr uint16_t Menu = 18;
constexpr uint16_t Pause = 19;
constexpr uint16_t CapsLock = 20;
constexpr uint16_t Escape = 27;
constexpr uint16_t Space = 32;
constexpr uint16_t End = 35;
constexpr uint16_t Home = 36;
constexpr uint16_t Left = 37;
constexpr uint16_t Up = 38;
constexpr uint16_t Right = 39;
constexpr uint16_t Down = 40;
constexpr uint16_t Delete = 46;
constexpr uint16_t Digit0 = 48;  // digits 1..9 follow
constexpr uint16_t F1 = 112;
constexpr uint16_t F2 = 113;
constexpr uint16_t F3 = 114;
constexpr uint16_t F4 = 115;
constexpr uint16_t F5 = 116;
constexpr uint16_t F6 = 117;
constexpr uint16_t F7 = 118;
constexpr uint16_t F10 = 121;
constexpr uint16_t F11 = 122;
constexpr uint16_t NumpadAdd = 107;
constexpr uint16_t NumpadSubtract = 109;
constexpr uint16_t Equals = 187;
constexpr uint16_t Minus = 189;
constexpr uint16_t Grave = 192;
// Any other key of the keyboard: it has no code of its own on the old
// desktop, but it is still a key the player pressed.
constexpr uint16_t OtherKey = 255;
}  // namespace vk

// Modifier keys and mouse buttons held when an event happened.
struct ShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool LeftButton = false;
    bool RightButton = false;
    bool MiddleButton = false;
    bool ShiftAlone() const { return Shift && !Ctrl && !Alt && !LeftButton && !RightButton && !MiddleButton; }
};

// Mouse buttons as the game numbers them in click handlers.
enum class MouseButton : uint8_t { Left = 0, Right = 1, Middle = 2 };

// `Key` is the key by its place on the keyboard (the battle's keys, the
// console key left of "1"); `LayoutKey` is the letter or digit the player's
// layout gives that key (A on the key a French keyboard marks "A"), for the
// shortcut letters; 0 when it is the same as `Key`.
struct KeyDownEvent {
    uint16_t Key;
    ShiftState Shift;
    uint16_t LayoutKey = 0;
    uint16_t ByLayout() const { return LayoutKey != 0 ? LayoutKey : Key; }
};
struct KeyUpEvent {
    uint16_t Key;
};
struct MouseDownEvent {
    MouseButton Button;
    int X;
    int Y;
};
struct MouseMoveEvent {
    int X;
    int Y;
};
struct MouseUpEvent {
    MouseButton Button;
    int X;
    int Y;
};
struct WheelEvent {
    int Delta;  // 120 per notch, positive away from the user
};
// Text the player typed, as UTF-8: one character or a whole word from an
// input method.
struct TextEvent {
    std::string Text;
};
struct QuitEvent {};
// The window needs its picture again: uncovered or resized.
struct ExposeEvent {};
struct FocusEvent {
    bool Gained;
};
struct MinimiseEvent {
    bool Minimised;
};

// An audio output device was added to the desktop, or the one the game
// plays on was removed.
struct AudioDeviceEvent {
    bool Added;
};

// A gamepad's buttons as the game names them: a controller's own buttons,
// its triggers and the four ways of its left stick read as buttons, and the
// numbered buttons of a joystick that SDL has no controller mapping for.
enum class PadButton : uint8_t {
    None,
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    LeftTrigger,
    RightTrigger,
    StickUp,
    StickDown,
    StickLeft,
    StickRight,
    Joy1,  // a raw joystick's buttons 1 .. RawButtons follow
};
constexpr std::size_t RawButtons = 16;
constexpr std::size_t PadButtonCount = static_cast<std::size_t>(PadButton::Joy1) + RawButtons;

// A raw joystick's button n (1-based).
constexpr PadButton RawButton(std::size_t n)
{
    return static_cast<PadButton>(static_cast<std::size_t>(PadButton::Joy1) + n - 1);
}

// The sticks and triggers: sticks -32768..32767 (down and right positive),
// triggers 0..32767. A raw joystick's first four axes are the two sticks.
enum class PadAxis : uint8_t { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
constexpr std::size_t PadAxisCount = 6;

struct PadButtonEvent {
    PadButton Button;
    bool Down;
};
struct PadAxisEvent {
    PadAxis Axis;
    int16_t Value;
};
// A gamepad or joystick was plugged in (and is used at once) or pulled out.
struct PadDeviceEvent {
    bool Added;
    std::string Name;
};

using InputEvent = std::variant<KeyDownEvent, KeyUpEvent, MouseDownEvent, MouseMoveEvent, MouseUpEvent,
                                WheelEvent, TextEvent, QuitEvent, ExposeEvent, FocusEvent, MinimiseEvent,
                                AudioDeviceEvent, PadButtonEvent, PadAxisEvent, PadDeviceEvent>;

// Which virtual keys are held at this moment. SDL's own keyboard state does
// not follow injected events, so the game keeps its own, fed by every key
// event that reaches it.
class KeyState {
public:
    bool IsDown(uint16_t key) const { return key < held_.size() && held_[key]; }
    void Set(uint16_t key, bool down)
    {
        if (key < held_.size()) held_[key] = down;
    }
    void Apply(const InputEvent& event);
    void Clear() { held_.fill(false); }

private:
    std::array<bool, 256> held_{};
};

// A stick's push after its dead zone: each part -1..1, the length at most 1.
// Inside the dead zone (a share of the full push, 0..100 %) the stick is at
// rest; from its edge the push grows from 0 again, so the smallest push
// past it is a small one. The zone is round: a push along a diagonal counts
// as far as it goes, not by its parts.
struct StickPush {
    double X = 0;
    double Y = 0;
    friend bool operator==(const StickPush&, const StickPush&) = default;
};
StickPush PastDeadZone(int16_t x, int16_t y, int deadZonePercent);

// A trigger, and the left stick along one way, count as a button held from
// half their travel on, whatever the dead zone.
constexpr int16_t HeldPush = 16384;

// What the gamepads hold at this moment, fed by their events as KeyState is
// by the keys'; every pad plugged in counts alike. The dead zone is the
// player's setting.
class PadState {
public:
    // Whether a button is held (the stick's ways and the triggers too).
    bool IsDown(PadButton button) const;
    int16_t Axis(PadAxis axis) const { return axes_[static_cast<std::size_t>(axis)]; }
    StickPush LeftStick() const;
    StickPush RightStick() const;
    void Apply(const InputEvent& event);
    void Clear();

    int DeadZonePercent = 25;

private:
    std::array<bool, PadButtonCount> held_{};
    std::array<int16_t, PadAxisCount> axes_{};
};

}  // namespace kv
