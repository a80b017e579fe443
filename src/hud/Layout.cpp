#include "hud/Layout.h"

#include <array>
#include <stdexcept>
#include <string>

#include "hud/OptionsWindow.h"
#include "hud/SaveWindow.h"

namespace kv {

namespace {

// An item's row: its name, its rectangle (left, top, right, bottom, the
// right and bottom just past it), its picture, its caption and, where it is
// not opaque, its alpha.

constexpr std::string_view WideButton = "res\\gfx\\hud\\btn1.bmp";   // 150 x 24
constexpr std::string_view GoPicture = "res\\gfx\\hud\\btn2.bmp";    // 80 x 20
constexpr std::string_view SmallButton = "res\\gfx\\hud\\btn3.bmp";  // 15 x 15
constexpr std::string_view RightArrow = "res\\gfx\\hud\\new_right_low.bmp";
constexpr std::string_view LeftArrow = "res\\gfx\\hud\\new_left_low.bmp";
constexpr std::string_view CentrePicture = "Res\\gfx\\hud\\center.bmp";
constexpr std::string_view SidePicture = "Res\\gfx\\hud\\right.bmp";

// The new game's arrows let a little of the window show through; the star
// map's zoom buttons more, so as not to hide the stars beneath.
constexpr uint16_t ArrowAlpha = 230;
constexpr uint16_t ZoomAlpha = 154;
// Every edit field, as a new field is made.
constexpr uint16_t EditAlpha = 230;

// The game's buttons on the left, the panels' icons in the first row on the
// right, the music's in the second. The track's name shows the sound
// button's state too and takes no clicks; its caption is the track playing,
// "disabled" without music.
constexpr ItemLayout TopBarItems[] = {
    {"NewGame", {12, 5, 162, 29}, WideButton, "New game"},
    {"Exit", {163, 5, 313, 29}, WideButton, "Exit"},
    {"Load", {12, 35, 162, 59}, WideButton, "Load"},
    {"Save", {163, 35, 313, 59}, WideButton, "Save"},
    {"Map", {487, 5, 511, 29}, "res\\gfx\\hud\\menu_map.bmp", ""},
    {"Goods", {517, 5, 541, 29}, "res\\gfx\\hud\\menu_goods.bmp", ""},
    {"Player", {547, 5, 571, 29}, "res\\gfx\\hud\\menu_player.bmp", ""},
    {"Planet", {577, 5, 601, 29}, "res\\gfx\\hud\\menu_planet.bmp", ""},
    {"Console", {607, 5, 631, 29}, "res\\gfx\\hud\\menu_console.bmp", ""},
    {"Ship", {637, 5, 661, 29}, "res\\gfx\\hud\\menu_ship.bmp", ""},
    {"SoundPlay", {517, 35, 541, 59}, "res\\gfx\\hud\\menu_sound_play.bmp", ""},
    {"SoundPrevious", {487, 35, 511, 59}, "res\\gfx\\hud\\menu_sound_prev.bmp", ""},
    {"SoundNext", {547, 35, 571, 59}, "res\\gfx\\hud\\menu_sound_next.bmp", ""},
    {"TrackName", {577, 35, 757, 59}, "res\\gfx\\hud\\menu_sound_name.bmp", "disabled"},
    {"Transparency", {763, 35, 787, 59}, "res\\gfx\\hud\\menu_trans_2.bmp", ""},
};

constexpr ItemLayout ConsoleItems[] = {
    {"CommandLine", {30, 122, 770, 142}, "res\\gfx\\hud\\console.bmp", "", EditAlpha},
};

constexpr ItemLayout StarInfoItems[] = {
    {"Go", {105, 62, 185, 82}, GoPicture, "Go!"},
};

// E for the ecliptic, C for the axes; the zoom buttons sit in the frame's
// lower left corner.
constexpr ItemLayout StarMapItems[] = {
    {"Ecliptic", {20, 20, 35, 35}, SmallButton, "E"},
    {"Axes", {40, 20, 55, 35}, SmallButton, "C"},
    {"ZoomIn", {14, 323, 59, 346}, "res\\gfx\\hud\\btn_zoom_in.bmp", "", ZoomAlpha},
    {"ZoomOut", {61, 323, 106, 346}, "res\\gfx\\hud\\btn_zoom_out.bmp", "", ZoomAlpha},
};

// The part arrows and the buy and sell buttons follow the chosen row down
// when their panel is composed; these are their places on the first row.
constexpr ItemLayout ShipWindowItems[] = {
    {"NextPart", {170, 130, 185, 145}, SmallButton, ">"},
    {"PreviousPart", {150, 130, 165, 145}, SmallButton, "<"},
};

constexpr ItemLayout MarketItems[] = {
    {"Buy", {300, 45, 315, 60}, SmallButton, "+"},
    {"Sell", {320, 45, 335, 60}, SmallButton, "-"},
};

// The portrait between the tall arrows, the name under the title, then one
// row each for difficulty, specialisation and the rules, their value
// written between the low arrows.
constexpr ItemLayout NewGameItems[] = {
    {"NextAvatar", {280, 90, 300, 150}, "res\\gfx\\hud\\new_right.bmp", "", ArrowAlpha},
    {"PreviousAvatar", {200, 90, 220, 150}, "res\\gfx\\hud\\new_left.bmp", "", ArrowAlpha},
    {"PilotName", {170, 50, 330, 70}, "res\\gfx\\hud\\edit.bmp", "", EditAlpha},
    {"NextDifficulty", {310, 170, 330, 190}, RightArrow, "", ArrowAlpha},
    {"PreviousDifficulty", {170, 170, 190, 190}, LeftArrow, "", ArrowAlpha},
    {"NextSpecialisation", {310, 210, 330, 230}, RightArrow, "", ArrowAlpha},
    {"PreviousSpecialisation", {170, 210, 190, 230}, LeftArrow, "", ArrowAlpha},
    {"Start", {10, 250, 160, 274}, WideButton, "Start"},
    {"Cancel", {190, 250, 340, 274}, WideButton, "Cancel"},
    {"NextRules", {310, 295, 330, 315}, RightArrow, "", ArrowAlpha},
    {"PreviousRules", {170, 295, 190, 315}, LeftArrow, "", ArrowAlpha},
};

// The side panels stand below the top bar, the player's on the left, the
// star information or the ship window on the right.
constexpr int16_t SideTop = 80;
constexpr uint16_t SideWidth = 200, SideHeight = 375;

}  // namespace

extern constexpr WindowLayout TopBarLayout{.Name = "TopBar",
                                           .Shown = {0, 0},
                                           .Start = {0, -115},
                                           .Width = 800,
                                           .Height = 115,
                                           .Face = "Res\\gfx\\hud\\top.bmp",
                                           .Items = TopBarItems};
// The console rests at 455, the first place at or above 459 on its 5-pixel
// steps up from 600.
extern constexpr WindowLayout ConsoleLayout{.Name = "Console",
                                            .Shown = {0, 455},
                                            .Start = {0, 600},
                                            .Width = 800,
                                            .Height = 150,
                                            .Face = "Res\\gfx\\hud\\bottom.bmp",
                                            .Items = ConsoleItems};
extern constexpr WindowLayout PlayerWindowLayout{.Name = "PlayerWindow",
                                                 .Shown = {0, SideTop},
                                                 .Start = {-SideWidth, SideTop},
                                                 .Width = SideWidth,
                                                 .Height = SideHeight,
                                                 .Face = "Res\\gfx\\hud\\left.bmp",
                                                 .Items = {}};
extern constexpr WindowLayout StarInfoLayout{.Name = "StarInfo",
                                             .Shown = {600, SideTop},
                                             .Start = {800, SideTop},
                                             .Width = SideWidth,
                                             .Height = SideHeight,
                                             .Face = SidePicture,
                                             .Items = StarInfoItems};
extern constexpr WindowLayout ShipWindowLayout{.Name = "ShipWindow",
                                               .Shown = StarInfoLayout.Shown,
                                               .Start = StarInfoLayout.Start,
                                               .Width = SideWidth,
                                               .Height = SideHeight,
                                               .Face = SidePicture,
                                               .Items = ShipWindowItems};
extern constexpr WindowLayout StarMapLayout{.Name = "StarMap",
                                            .Shown = CentrePlace,
                                            .Start = CentrePlace,
                                            .Width = CentreSide,
                                            .Height = CentreSide,
                                            .Face = "",
                                            .Items = StarMapItems};
extern constexpr WindowLayout MarketLayout{.Name = "Market",
                                           .Shown = CentrePlace,
                                           .Start = CentrePlace,
                                           .Width = CentreSide,
                                           .Height = CentreSide,
                                           .Face = CentrePicture,
                                           .Items = MarketItems};
extern constexpr WindowLayout NewGameLayout{.Name = "NewGame",
                                            .Shown = CentrePlace,
                                            .Start = CentrePlace,
                                            .Width = CentreSide,
                                            .Height = CentreSide,
                                            .Face = CentrePicture,
                                            .Items = NewGameItems};
// The save window drops in from above the screen.
extern constexpr WindowLayout SaveWindowLayout{.Name = "SaveWindow",
                                               .Shown = CentrePlace,
                                               .Start = {CentrePlace.Left, SaveWindowHiddenTop},
                                               .Width = CentreSide,
                                               .Height = CentreSide,
                                               .Face = CentrePicture,
                                               .Items = {}};
extern constexpr WindowLayout OptionsWindowLayout{.Name = "OptionsWindow",
                                                  .Shown = CentrePlace,
                                                  .Start = {CentrePlace.Left, OptionsWindowHiddenTop},
                                                  .Width = CentreSide,
                                                  .Height = CentreSide,
                                                  .Face = CentrePicture,
                                                  .Items = {}};
extern constexpr WindowLayout ContractsWindowLayout{.Name = "ContractsWindow",
                                                    .Shown = CentrePlace,
                                                    .Start = CentrePlace,
                                                    .Width = CentreSide,
                                                    .Height = CentreSide,
                                                    .Face = CentrePicture,
                                                    .Items = {}};
// The battle's scanner in the top left corner.
extern constexpr WindowLayout ScannerLayout{.Name = "Scanner",
                                            .Shown = {1, 1},
                                            .Start = {1, 1},
                                            .Width = 101,
                                            .Height = 101,
                                            .Face = "res\\gfx\\hud\\scanner.bmp",
                                            .Items = {}};
// The outro's text is written on this sheet, which the crawl then shows a
// screenful of at a time: never on screen itself.
extern constexpr WindowLayout OutroSheetLayout{.Name = "OutroSheet",
                                               .Shown = {0, 0},
                                               .Start = {0, 0},
                                               .Width = 800,
                                               .Height = 2100,
                                               .Face = "",
                                               .Items = {}};
// The title scene lays the title picture on it each time it starts.
extern constexpr WindowLayout TitleWindowLayout{.Name = "TitleWindow",
                                                .Shown = {0, 0},
                                                .Start = {0, 0},
                                                .Width = 800,
                                                .Height = 600,
                                                .Face = "res\\gfx\\Loadscreen.bmp",
                                                .Items = {}};

std::span<const WindowLayout* const> EveryWindowLayout()
{
    static constexpr std::array<const WindowLayout*, 14> all{
        &TopBarLayout, &ConsoleLayout, &PlayerWindowLayout, &StarInfoLayout, &StarMapLayout, &ShipWindowLayout,
        &MarketLayout, &NewGameLayout, &SaveWindowLayout, &OptionsWindowLayout, &ContractsWindowLayout,
        &ScannerLayout, &OutroSheetLayout, &TitleWindowLayout};
    return all;
}

const ItemLayout& ItemNamed(const WindowLayout& window, std::string_view name)
{
    for (const ItemLayout& item : window.Items)
        if (item.Name == name) return item;
    throw std::logic_error("the layout of " + std::string(window.Name) + " has no item " + std::string(name));
}

}  // namespace kv
