// The HUD's layout as data: for every window its place, size and face
// picture, and for every item on it its rectangle, picture and caption, one
// table per window in Layout.cpp. BuildHud walks the tables and binds each
// item, by its name, to its widget and its click handler, which stay in the
// code. Moving a button, or giving it another picture, is an edit of one
// table row.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

// A place on the frame, or on a window's face.
struct Place {
    int16_t Left = 0;
    int16_t Top = 0;
};

// An item's rectangle on its window's face; Right and Bottom are the first
// column and row past it, so the item is Right - Left pixels wide.
struct Box {
    int16_t Left = 0;
    int16_t Top = 0;
    int16_t Right = 0;
    int16_t Bottom = 0;
};

// A button or an edit field. Its picture is a data file of exactly the box's
// size; an edit field is always 20 pixels high. The item's kind is its
// widget's: the binding in BuildHud decides it.
struct ItemLayout {
    std::string_view Name;
    Box Rect;
    std::string_view Picture;
    std::string_view Caption;
    uint16_t Alpha = 256;
};

// A top-level window. `Shown` is where it stands when it is out; `Start` is
// where the build puts it, off the screen for a panel that slides in (the
// space scene places those again each time it starts). Face is the picture
// its face is composed on, empty when the window draws its own (the star
// map's frame pieces, the outro's text); windows on the same picture each
// name it, and the build loads it once (the star information's for the ship
// window, the market's for the other centre windows). Items are in the
// order they are added: the order they are drawn and hit-tested in.
struct WindowLayout {
    std::string_view Name;
    Place Shown;
    Place Start;
    uint16_t Width = 0;
    uint16_t Height = 0;
    std::string_view Face;
    std::span<const ItemLayout> Items;
};

// The middle of the screen, where the star map, the market and the new-game,
// save, options and contracts windows stand, one at a time.
constexpr Place CentrePlace{225, 80};
constexpr uint16_t CentreSide = 350;

// The console, sent away, sinks to 575 and leaves its top 25 rows on the
// screen.
constexpr int16_t ConsoleTuckedTop = 575;

extern const WindowLayout TopBarLayout;
extern const WindowLayout ConsoleLayout;
extern const WindowLayout PlayerWindowLayout;
extern const WindowLayout StarInfoLayout;
extern const WindowLayout StarMapLayout;
extern const WindowLayout ShipWindowLayout;
extern const WindowLayout MarketLayout;
extern const WindowLayout NewGameLayout;
extern const WindowLayout ScannerLayout;
extern const WindowLayout OutroSheetLayout;
extern const WindowLayout SaveWindowLayout;
extern const WindowLayout OptionsWindowLayout;
extern const WindowLayout ContractsWindowLayout;
extern const WindowLayout TitleWindowLayout;

// Every window's table, for the checks that walk them all.
std::span<const WindowLayout* const> EveryWindowLayout();

// The row of the window's table with that name; a name the table lacks is a
// fault of the program and throws std::logic_error naming it.
const ItemLayout& ItemNamed(const WindowLayout& window, std::string_view name);

}  // namespace kv
