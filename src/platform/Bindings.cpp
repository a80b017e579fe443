#include "platform/Bindings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kv {

namespace {

constexpr std::array<ActionNames, ActionCount> Names{{
    {"turn-left", "Turn left"},
    {"turn-right", "Turn right"},
    {"thrust", "Thrust"},
    {"reverse", "Thrust backwards"},
    {"fire", "Fire"},
    {"leave", "Leave the battle"},
    {"pause", "Pause"},
    {"fullscreen", "Fullscreen"},
    {"star-map", "Star map"},
    {"player", "Player panel"},
    {"star-info", "Star information"},
    {"ship", "Ship panel"},
    {"market", "Market"},
    {"console", "Console"},
}};

struct NamedKey {
    std::string_view Name;
    uint16_t Key;
};

constexpr std::array<NamedKey, 19> NamedKeys{{
    {"Esc", vk::Escape},   {"Enter", vk::Return},  {"Back", vk::Back},       {"Space", vk::Space},
    {"Tab", vk::Tab},      {"Up", vk::Up},         {"Down", vk::Down},       {"Left", vk::Left},
    {"Right", vk::Right},  {"Home", vk::Home},     {"End", vk::End},         {"Grave", vk::Grave},
    {"Shift", vk::Shift},  {"Ctrl", vk::Control},  {"Alt", vk::Menu},        {"Pause", vk::Pause},
    {"CapsLock", vk::CapsLock}, {"Equals", vk::Equals}, {"Minus", vk::Minus},
}};

// By PadButton, from A on.
constexpr std::array<std::string_view, static_cast<std::size_t>(PadButton::Joy1) - 1> PadNames{{
    "A", "B", "X", "Y", "Back", "Guide", "Start", "LS", "RS", "LB", "RB", "DpadUp", "DpadDown",
    "DpadLeft", "DpadRight", "LT", "RT", "StickUp", "StickDown", "StickLeft", "StickRight",
}};

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

const ActionNames& NamesOf(Action action) { return Names[static_cast<std::size_t>(action)]; }

Bindings::Bindings()
{
    keys_[Index(Action::TurnLeft)][0] = vk::Left;
    keys_[Index(Action::TurnRight)][0] = vk::Right;
    keys_[Index(Action::Thrust)][0] = vk::Up;
    keys_[Index(Action::Reverse)][0] = vk::Down;
    keys_[Index(Action::Fire)][0] = vk::Space;
    keys_[Index(Action::Leave)][0] = vk::Escape;
    keys_[Index(Action::Pause)][0] = vk::Pause;
    keys_[Index(Action::Fullscreen)][0] = vk::F11;
    keys_[Index(Action::StarMap)][0] = vk::F1;
    keys_[Index(Action::PlayerPanel)][0] = vk::F2;
    keys_[Index(Action::StarInfoPanel)][0] = vk::F3;
    keys_[Index(Action::ShipPanel)][0] = vk::F4;
    keys_[Index(Action::Market)][0] = vk::F5;
    keys_[Index(Action::Console)][0] = vk::Grave;
    pads_[Index(Action::TurnLeft)] = {PadButton::DpadLeft, PadButton::StickLeft};
    pads_[Index(Action::TurnRight)] = {PadButton::DpadRight, PadButton::StickRight};
    pads_[Index(Action::Thrust)] = {PadButton::DpadUp, PadButton::StickUp};
    pads_[Index(Action::Reverse)] = {PadButton::DpadDown, PadButton::StickDown};
    pads_[Index(Action::Fire)] = {PadButton::A, PadButton::RightTrigger};
    pads_[Index(Action::Leave)][0] = PadButton::B;
}

bool Bindings::Held(Action action, const KeyState& keys, const PadState& pads) const
{
    const auto& bound = keys_[Index(action)];
    const auto& buttons = pads_[Index(action)];
    return std::any_of(bound.begin(), bound.end(), [&keys](uint16_t key) { return key != 0 && keys.IsDown(key); }) ||
           std::any_of(buttons.begin(), buttons.end(), [&pads](PadButton b) { return pads.IsDown(b); });
}

std::optional<Action> Bindings::Owner(uint16_t key) const
{
    if (key == 0) return std::nullopt;
    for (std::size_t a = 0; a < ActionCount; ++a)
        if (std::find(keys_[a].begin(), keys_[a].end(), key) != keys_[a].end()) return static_cast<Action>(a);
    return std::nullopt;
}

std::optional<Action> Bindings::Bind(Action action, std::size_t slot, uint16_t key)
{
    const std::optional<Action> owner = Owner(key);
    if (owner && *owner != action) return owner;
    auto& keys = keys_[Index(action)];
    std::replace(keys.begin(), keys.end(), key, uint16_t{0});
    keys[slot] = key;
    return std::nullopt;
}

std::optional<Action> Bindings::PadOwner(PadButton button) const
{
    if (button == PadButton::None) return std::nullopt;
    for (std::size_t a = 0; a < ActionCount; ++a)
        if (std::find(pads_[a].begin(), pads_[a].end(), button) != pads_[a].end()) return static_cast<Action>(a);
    return std::nullopt;
}

std::optional<Action> Bindings::BindPad(Action action, std::size_t slot, PadButton button)
{
    const std::optional<Action> owner = PadOwner(button);
    if (owner && *owner != action) return owner;
    auto& buttons = pads_[Index(action)];
    std::replace(buttons.begin(), buttons.end(), button, PadButton::None);
    buttons[slot] = button;
    return std::nullopt;
}

std::string Bindings::PadText(Action action) const
{
    std::string text;
    for (const PadButton button : pads_[Index(action)]) {
        if (button == PadButton::None) continue;
        if (!text.empty()) text += ", ";
        text += PadButtonName(button);
    }
    return text.empty() ? "none" : text;
}

bool Bindings::ReadPad(Action action, std::string_view text)
{
    std::array<PadButton, KeysPerAction> buttons{};
    text = Trimmed(text);
    if (text != "none") {
        std::size_t count = 0;
        while (true) {
            const std::size_t comma = text.find(',');
            const PadButton button = PadButtonByName(Trimmed(text.substr(0, comma)));
            if (button == PadButton::None || count == KeysPerAction ||
                std::find(buttons.begin(), buttons.end(), button) != buttons.end())
                return false;
            buttons[count++] = button;
            if (comma == std::string_view::npos) break;
            text.remove_prefix(comma + 1);
        }
    }
    pads_[Index(action)] = buttons;
    return true;
}

std::string Bindings::Text(Action action) const
{
    std::string text;
    for (const uint16_t key : keys_[Index(action)]) {
        if (key == 0) continue;
        if (!text.empty()) text += ", ";
        text += KeyName(key);
    }
    return text.empty() ? "none" : text;
}

bool Bindings::Read(Action action, std::string_view text)
{
    std::array<uint16_t, KeysPerAction> keys{};
    text = Trimmed(text);
    if (text != "none") {
        std::size_t count = 0;
        while (true) {
            const std::size_t comma = text.find(',');
            const uint16_t key = KeyByName(Trimmed(text.substr(0, comma)));
            if (key == 0 || count == KeysPerAction || std::find(keys.begin(), keys.end(), key) != keys.end())
                return false;
            keys[count++] = key;
            if (comma == std::string_view::npos) break;
            text.remove_prefix(comma + 1);
        }
    }
    keys_[Index(action)] = keys;
    return true;
}

std::string Bindings::Untangle()
{
    std::string lost;
    for (std::size_t a = 1; a < ActionCount; ++a)
        for (uint16_t& key : keys_[a]) {
            const std::optional<Action> owner = Owner(key);
            if (!owner || Index(*owner) == a) continue;
            if (!lost.empty()) lost += ", ";
            lost += std::string(Names[a].Key) + " loses " + KeyName(key) + " to " + std::string(Names[Index(*owner)].Key);
            key = 0;
        }
    for (std::size_t a = 1; a < ActionCount; ++a)
        for (PadButton& button : pads_[a]) {
            const std::optional<Action> owner = PadOwner(button);
            if (!owner || Index(*owner) == a) continue;
            if (!lost.empty()) lost += ", ";
            lost += std::string(Names[a].Key) + " loses " + PadButtonName(button) + " to " +
                    std::string(Names[Index(*owner)].Key);
            button = PadButton::None;
        }
    return lost;
}

std::string KeyName(uint16_t key)
{
    for (const NamedKey& named : NamedKeys)
        if (named.Key == key) return std::string(named.Name);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= vk::F1 && key < vk::F1 + 12) return "F" + std::to_string(key - vk::F1 + 1);
    return "#" + std::to_string(key);
}

uint16_t KeyByName(std::string_view name)
{
    for (const NamedKey& named : NamedKeys)
        if (SameName(named.Name, name)) return named.Key;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
    // A code is written after a "#", apart from the digit keys' names: "1"
    // is the key 1, "#1" the key of code 1.
    const bool function = name.size() >= 2 && (name[0] == 'F' || name[0] == 'f');
    const bool code = name.size() >= 2 && name[0] == '#';
    if (!function && !code) return 0;
    int number = 0;
    const std::string_view digits = name.substr(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return 0;
    if (function) return number >= 1 && number <= 12 ? static_cast<uint16_t>(vk::F1 + number - 1) : 0;
    return number >= 1 && number <= 255 ? static_cast<uint16_t>(number) : 0;
}

bool TypesText(uint16_t key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == vk::Space;
}

std::string PadButtonName(PadButton button)
{
    const auto index = static_cast<std::size_t>(button);
    if (index >= 1 && index <= PadNames.size()) return std::string(PadNames[index - 1]);
    if (index > PadNames.size() && index < PadButtonCount)
        return "Joy" + std::to_string(index - static_cast<std::size_t>(PadButton::Joy1) + 1);
    return "none";
}

PadButton PadButtonByName(std::string_view name)
{
    for (std::size_t i = 0; i < PadNames.size(); ++i)
        if (SameName(PadNames[i], name)) return static_cast<PadButton>(i + 1);
    if (name.size() < 4 || !SameName(name.substr(0, 3), "joy")) return PadButton::None;
    std::size_t number = 0;
    const std::string_view digits = name.substr(3);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1 || number > RawButtons ||
        digits[0] == '0')
        return PadButton::None;
    return RawButton(number);
}

}  // namespace kv
