// The battle's controls and the keys and gamepad buttons bound to them: two
// keys and two pad buttons an action, one table for the whole game, kept in
// the settings file one line an action and column ("key.fire = Space, Ctrl",
// "pad.fire = A, RT"; "none" for an action without one). A key, or a pad
// button, belongs to one action at most: binding it to a second is refused,
// naming the action that holds it.
//
// The first six actions are the battle's, polled by their keys' places on
// the keyboard (virtual-key codes, Input.h), on a gamepad too. The others are
// keys of the window and the space scene, keyboard only: pause, fullscreen,
// the panel keys F1-F5 and the console key. The spawn keys, N and M, the
// options key F6, Alt+Enter and the window's scale and scaling keys stay
// fixed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Input.h"

namespace kv {

enum class Action : uint8_t {
    TurnLeft,
    TurnRight,
    Thrust,
    Reverse,
    Fire,
    Leave,
    Pause,
    Fullscreen,
    StarMap,
    PlayerPanel,
    StarInfoPanel,
    ShipPanel,
    Market,
    Console,
};
constexpr std::size_t BattleActionCount = 6;
constexpr std::size_t ActionCount = 14;
constexpr std::size_t KeysPerAction = 2;

struct ActionNames {
    std::string_view Key;    // in the settings file, after "key."
    std::string_view Label;  // shown to the player
};
const ActionNames& NamesOf(Action action);

class Bindings {
public:
    // The defaults: Left and Right turn, Up thrusts, Down thrusts
    // backwards, Space fires, Esc leaves; on a pad the d-pad and the left
    // stick turn and thrust, A and the right trigger fire, B leaves. Pause
    // pauses, F11 is fullscreen, F1 to F5 the star map, the player, star
    // information and ship panels and the market, the key left of "1" the
    // console.
    Bindings();

    uint16_t Key(Action action, std::size_t slot) const { return keys_[Index(action)][slot]; }
    PadButton Pad(Action action, std::size_t slot) const { return pads_[Index(action)][slot]; }
    // Whether a key or a pad button bound to the action is held.
    bool Held(Action action, const KeyState& keys, const PadState& pads) const;
    // The action a key is bound to.
    std::optional<Action> Owner(uint16_t key) const;
    // Binds the key in that slot of the action; refused, naming the owner,
    // when another action holds the key. Binding a key the action holds in
    // its other slot moves it.
    std::optional<Action> Bind(Action action, std::size_t slot, uint16_t key);
    void Unbind(Action action, std::size_t slot) { keys_[Index(action)][slot] = 0; }
    // The same for the pad's buttons.
    std::optional<Action> PadOwner(PadButton button) const;
    std::optional<Action> BindPad(Action action, std::size_t slot, PadButton button);
    void UnbindPad(Action action, std::size_t slot) { pads_[Index(action)][slot] = PadButton::None; }

    // "Left", "Left, A", or "none".
    std::string Text(Action action) const;
    // Reads what Text writes; false, changing nothing, for anything else.
    bool Read(Action action, std::string_view text);
    // "DpadLeft, StickLeft", or "none"; and back.
    std::string PadText(Action action) const;
    bool ReadPad(Action action, std::string_view text);
    // Takes away every key and pad button that an earlier action also holds
    // (a file edited by hand); the actions that lost one.
    std::string Untangle();

    friend bool operator==(const Bindings&, const Bindings&) = default;

private:
    static std::size_t Index(Action action) { return static_cast<std::size_t>(action); }
    std::array<std::array<uint16_t, KeysPerAction>, ActionCount> keys_{};
    std::array<std::array<PadButton, KeysPerAction>, ActionCount> pads_{};
};

// A key's name as the settings file and the options window write it:
// "Space", "Left", "A", "F1" ...; for a key without one, its code after a
// "#" ("#190").
std::string KeyName(uint16_t key);
// The key of a name (any case) or of a code "#1" .. "#255"; 0 for none.
uint16_t KeyByName(std::string_view name);
// Whether the key types text in an edit field (a letter, a digit, Space):
// while a field has the keyboard such a key is text, not an action.
bool TypesText(uint16_t key);

// A pad button's name: "A", "LB", "RT", "Start", "DpadLeft", "StickUp",
// "Joy1" ...; and the button of a name (any case), None for none.
std::string PadButtonName(PadButton button);
PadButton PadButtonByName(std::string_view name);

}  // namespace kv
