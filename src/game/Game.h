// The game's program-wide state, held in one object that the shell owns and
// passes down, grouped by lifetime: what lives for the whole run (scene,
// frame, sound, the HUD's windows) and the scene state that the switches and
// ticks move on. A test makes a fresh Game in one line.
#pragma once

#include <cstdint>

#include "base/OneBased.h"
#include "base/Random.h"
#include "graphics/Geometry.h"
#include "graphics/kvSprites.h"
#include "hud/kvWindows.h"
#include "platform/Bitmap.h"
#include "platform/Input.h"
#include "sound/kvSound.h"

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

// The windows and pictures built once when the player leaves the launcher.
struct Hud {
    kvWindow TitleWindow;  // 800 x 600, drawn by the title and outro scenes only
    kvWindow OutroSheet;   // 800 x 2100, hidden; the source of the outro crawl
    Bitmap Logo;
    kvSprite CursorSprite;
    // Top-level windows, drawn from slot 1 up and hit-tested from 32 down.
    OneBased<kvWindow*, 32> WindowTable;
    // Sprites drawn above everything at the end of each frame.
    OneBased<kvSprite*, 32> SpriteTable;
};

// What the scene switches set and the ticks move on.
struct SceneState {
    Point Crosshair;
    Point LastMouse;
    uint16_t LogoPhase = 0;
    int16_t HoveredItem = title::None;
    int16_t PreviousHoveredItem = title::NeverHovered;
    uint16_t OutroCounter = 0;
    Bitmap SpaceBackground;
};

struct Game {
    uint8_t Scene = SceneLauncher;
    uint8_t RepaintNeeded = 0;
    // Every frame is composed here, 800 x 600 once the game starts.
    Bitmap BackBuffer;
    // Added 2, 4, 8 by left, right, middle presses; any release clears it.
    uint8_t MouseButtons = 0;
    KeyState Keys;
    bool TerminateRequested = false;

    Random random;
    kvSound Sound;
    SceneState scene;
    Hud hud;
};

}  // namespace kv
