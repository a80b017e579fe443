// The game's program-wide state, held in one object that the shell owns and
// passes down, grouped by lifetime: what lives for the whole run (scene,
// frame, sound, the HUD's windows) and the scene state that the switches and
// ticks move on. A test makes a fresh Game in one line.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/OneBased.h"
#include "base/Random.h"
#include "combat/Combat.h"
#include "console/Commands.h"
#include "console/Console.h"
#include "game/MapProjection.h"
#include "game/SaveGames.h"
#include "graphics/Geometry.h"
#include "graphics/kvSprites.h"
#include "widgets/kvWindows.h"
#include "platform/Bindings.h"
#include "platform/Bitmap.h"
#include "platform/Input.h"
#include "sound/kvSound.h"
#include "universe/SpaceCraft.h"
#include "universe/World.h"

namespace kv {

enum Scene : uint8_t { SceneTitle = 0, SceneSpace = 1, SceneCombat = 2, SceneOutro = 3, SceneLauncher = 4 };

// Title menu items as the hover rule numbers them.
namespace title {
constexpr int16_t None = 99;
constexpr int16_t StartGame = 1;
constexpr int16_t Intro = 3;
constexpr int16_t Exit = 10;
constexpr int16_t NeverHovered = 199;
}  // namespace title

// The windows, items and pictures built once when the player leaves the
// launcher; they live until the program ends. Items refer to the widgets
// held here, so a Hud stays where it was made.
struct Hud {
    Hud() = default;
    Hud(const Hud&) = delete;
    Hud& operator=(const Hud&) = delete;

    kvWindow StarMap;      // slot 1
    kvWindow TopBar;       // slot 2
    kvWindow ConsoleWindow;  // slot 3
    kvWindow PlayerWindow;   // slot 4
    kvWindow StarInfo;     // slot 5
    kvWindow ShipWindow;   // slot 6
    kvWindow Market;       // slot 7
    kvWindow NewGame;      // slot 8
    kvWindow OutroSheet;   // slot 9: 800 x 2100, hidden; the source of the outro crawl
    kvWindow Scanner;      // slot 10
    kvWindow SaveWindow;   // slot 11
    kvWindow OptionsWindow;  // slot 12
    kvWindow ContractsWindow;  // slot 13
    kvWindow TitleWindow;  // 800 x 600, drawn by the title and outro scenes only

    // The top bar's items, in the order they are added.
    kvButton NewGameButton, ExitButton, LoadButton, SaveButton;
    kvButton MapButton, GoodsButton, PlayerButton, PlanetButton, ConsoleButton, ShipButton;
    kvButton SoundPlayButton, SoundPrevButton, SoundNextButton, TrackNameButton, TransparencyButton;
    kvEdit ConsoleEdit;
    kvButton GoButton;
    kvButton EclipticButton, AxesButton, ZoomInButton, ZoomOutButton;
    kvButton NextPartButton, PreviousPartButton;
    kvButton BuyButton, SellButton;
    kvButton NextAvatarButton, PreviousAvatarButton, NextDifficultyButton, PreviousDifficultyButton;
    kvButton NextSpecialisationButton, PreviousSpecialisationButton, StartButton, CancelButton;
    kvButton NextRulesButton, PreviousRulesButton;
    kvEdit NameEdit;

    // The star map's frame: main, left, right, top and bottom pieces.
    std::array<Bitmap, 5> StarMapImages;
    // The panels' backgrounds and the pictures that items and panels change
    // to, loaded once when the HUD is built: composing a panel, and so
    // answering a click, reads no file.
    Bitmap LeftFace;    // the player window
    Bitmap RightFace;   // the star information and ship windows
    Bitmap CentreFace;  // the market and new-game windows
    Bitmap TopFace;     // the top bar
    Bitmap SoundPlayingIcon, SoundStoppedIcon;
    // The transparency button's picture for steps 1..3.
    OneBased<Bitmap, 3> TransparencyIcons;
    OneBased<Bitmap, 7> Portraits;
    // The ship window's picture of each hull; empty for a hull without one.
    OneBased<Bitmap, CatalogueRoom> HullPictures;
    // The title picture, which the title scene lays on its window on each
    // entry: the outro draws over that window.
    Bitmap TitlePicture;
    Bitmap Logo;
    kvSprite CursorSprite;

    // Top-level windows, drawn from slot 1 up and hit-tested from 32 down.
    OneBased<kvWindow*, 32> WindowTable;
    // Sprites drawn above everything at the end of each frame.
    OneBased<kvSprite*, 32> SpriteTable;
    // The widget that receives keys: an item or a top-level window.
    kvWindow* FocusedItem = nullptr;
    // 1 opaque, 2 Alpha 179, 3 Alpha 128; a new game keeps it.
    uint8_t Transparency = 2;
};

// The choices of the new-game window.
struct NewGameChoices {
    int32_t AvatarChoice = 1;
    int32_t DifficultyChoice = 1;
    int32_t SpecialisationChoice = 1;
    // Kept from one new game to the next: a player picks the rules once.
    RuleSet RulesChoice = RuleSet::Classic;
};

// The ship window's equipment list: the highlighted row 1..5 and the
// catalogue entries chosen for hull, engine and weapon.
struct ShipChoices {
    uint8_t SelectedRow = 1;
    uint8_t HullChoice = 1;
    uint8_t EngineChoice = 1;
    uint8_t WeaponChoice = 1;
};

// The star map's view.
struct MapView {
    uint8_t MapLevel = 1;  // 0 system, 1 galaxy, 2 empty
    double MapZoom = 1;    // never negative
    double MapTilt = 0;    // radians
    double MapSpin = 0;    // radians, about the galaxy's z axis
    bool ShowEcliptic = false;
    bool ShowAxes = true;
    // The axis cross in galaxy coordinates, reset by every new world.
    std::array<std::array<double, 3>, 3> AxisVectors{{{30, 0, 0}, {0, 30, 0}, {0, 0, 30}}};
};

// What the scene switches set and the ticks move on.
struct SceneState {
    Point Crosshair;
    Point LastMouse;
    uint16_t LogoPhase = 0;
    int16_t HoveredItem = title::None;
    int16_t PreviousHoveredItem = title::NeverHovered;
    uint16_t OutroCounter = 0;
    // The counter at which the crawl's last line has left the top of the
    // screen: the outro then returns to the title.
    uint16_t OutroEnd = UINT16_MAX;
    Bitmap SpaceBackground;
};

// The panels whose content changed since they were last composed. Handlers
// and rules' callers mark them; ComposeMarkedPanels (hud/Hud.h) composes
// each marked one once, at the end of the event or tick that marked it and
// before the frame, so no handler composes another panel itself.
struct PanelMarks {
    bool StarMap = false;
    bool StarInfo = false;
    bool Market = false;
    bool ShipWindow = false;
    bool PlayerWindow = false;
    bool TopBar = false;
    bool NewGame = false;
    bool Options = false;
    bool Contracts = false;
    bool SaveWindow = false;
};

// The choices of the options window. The window changes them and sets
// Changed; the shell then applies them to the sound and the game's window,
// keeps them in the settings file, and writes back what it could apply
// (a window scale that does not fit the desktop is made one that does).
enum class OptionsPage : uint8_t { SoundAndVideo, Keys, PanelKeys, Gamepad };

struct PlayerOptions {
    int MusicVolume = 100;    // 0..100 %
    int EffectsVolume = 100;  // 0..100 %
    bool SoundOn = false;
    bool MuteInBackground = true;
    bool Fullscreen = false;
    bool SmoothScaling = false;
    int WindowScale = 1;  // the whole multiple of 800 x 600
    int DeadZone = 25;    // 0..90 % of a stick's push
    bool Changed = false;
    // The page shown: sound and video, the battle's keys, the window's and
    // panels' keys, or the battle's gamepad buttons and the sticks' dead
    // zone.
    OptionsPage Page = OptionsPage::SoundAndVideo;
    // The binding waiting for a key or a button (action * 2 + slot) on the
    // page shown, or -1.
    int Capturing = -1;
    // The last word of the controls page: a refused key, or empty.
    std::string Note;
};

// What lives for the whole run around the world: the HUD, the console and
// its pending command, the window choices, the map's view and projection and
// the selections. A new game keeps all of it.
struct Interface {
    Hud hud;
    kvConsole Console;
    // The line submitted at the console prompt, run on the next space tick.
    CommandLine Command;
    NewGameChoices newGameChoices;
    SaveShelf Saves;
    ShipChoices shipChoices;
    MapView map;
    // What the star map last projected, read back by the star selection.
    MapProjection projection;
    // The star the star map and the star information window point at; 0 none.
    uint8_t SelectedStar = 1;
    // The market row 1..12 under the selection bar.
    uint8_t SelectedGoods = 1;
    // The star the star information window describes; 0 "Nothing is
    // selected".
    uint8_t ShownStar = 1;
    PanelMarks Marked;
    PlayerOptions Options;
    // The battle's controls, as the settings file keeps them.
    Bindings Controls;
};

// The composition root: the shell owns one Game and passes it down. The
// world is what a new game replaces, the interface lives for the run, and
// the battle for one battle; beside them, the frame and the input the
// shell's handlers share.
struct Game {
    // The scene being shown: set only by the shell's scene switch.
    uint8_t CurrentScene = SceneLauncher;
    uint8_t RepaintNeeded = 0;
    // Every frame is composed here, 800 x 600 once the game starts.
    Bitmap BackBuffer;
    // Added 2, 4, 8 by left, right, middle presses; any release clears it.
    uint8_t MouseButtons = 0;
    KeyState Keys;
    // What the gamepads hold, polled by the battle as the keys are.
    PadState Pads;
    bool TerminateRequested = false;
    // Set by the shell: asks for a scene, for handlers and rules below it
    // that end one ("Exit", an ambush, a battle's end). The shell switches
    // once the event or tick that asked is over, before the marked panels
    // are composed.
    std::function<void(uint8_t)> SwitchScene;
    kvSound Sound;
    SceneState scene;

    World world;
    Interface ui;
    // The battle being fought; empty outside the combat scene.
    Battle battle;
};

// The battle's rules' view of the game.
inline BattleContext BattleContextOf(Game& game) { return {game.battle, game.world.random, game.Sound}; }

}  // namespace kv
