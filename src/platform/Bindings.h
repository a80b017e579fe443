// The battle's controls and the keys bound to them: two keys an action, one
// table for the whole game, kept in the settings file one line an action
// ("key.fire = Space, Ctrl"; "none" for an action without a key). A key
// belongs to one action at most: binding it to a second is refused, naming
// the action that holds it.
//
// Keys are the battle's, polled by their places on the keyboard
// (virtual-key codes, Input.h). The spawn keys and N and M stay fixed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Input.h"

namespace kv {

enum class Action : uint8_t { TurnLeft, TurnRight, Thrust, Reverse, Fire, Leave };
constexpr std::size_t ActionCount = 6;
constexpr std::size_t KeysPerAction = 2;

struct ActionNames {
    std::string_view Key;    // in the settings file, after "key."
    std::string_view Label;  // shown to the player
};
const ActionNames& NamesOf(Action action);

class Bindings {
public:
    // The defaults: Left and Right turn, Up thrusts, Down thrusts
    // backwards, Space fires, Esc leaves.
    Bindings();

    uint16_t Key(Action action, std::size_t slot) const { return keys_[Index(action)][slot]; }
    // Whether a key bound to the action is held.
    bool Held(Action action, const KeyState& held) const;
    // The action a key is bound to.
    std::optional<Action> Owner(uint16_t key) const;
    // Binds the key in that slot of the action; refused, naming the owner,
    // when another action holds the key. Binding a key the action holds in
    // its other slot moves it.
    std::optional<Action> Bind(Action action, std::size_t slot, uint16_t key);
    void Unbind(Action action, std::size_t slot) { keys_[Index(action)][slot] = 0; }

    // "Left", "Left, A", or "none".
    std::string Text(Action action) const;
    // Reads what Text writes; false, changing nothing, for anything else.
    bool Read(Action action, std::string_view text);
    // Takes away every key that an earlier action also holds (a file edited
    // by hand); the actions that lost one.
    std::string Untangle();

    friend bool operator==(const Bindings&, const Bindings&) = default;

private:
    static std::size_t Index(Action action) { return static_cast<std::size_t>(action); }
    std::array<std::array<uint16_t, KeysPerAction>, ActionCount> keys_{};
};

// A key's name as the settings file and the options window write it:
// "Space", "Left", "A", "F1" ...; for a key without one, its code after a
// "#" ("#190").
std::string KeyName(uint16_t key);
// The key of a name (any case) or of a code "#1" .. "#255"; 0 for none.
uint16_t KeyByName(std::string_view name);

}  // namespace kv
