// The battle scene: its set-up when the game switches to combat, the keys
// polled every tick, the combat frame that is also the simulation step, and
// the way back to space.
//
// A battle ends at the start of the first frame after the last enemy is
// gone, when the player holds Esc, or when the player's ship has been
// destroyed: then the console says so. Won or lost, a "Victory" or "Ship
// lost" banner shows over the battle's last frames for a second and a half
// (only Esc counts then) before the game returns to space; the next
// battle's set-up restores the hull points as it always does. A readout at
// the top right shows the hull points and the weapon's reload, brackets
// mark the player's ship, and the radar colours its blips by side.
#pragma once

#include <array>
#include <cstdint>

namespace kv {

struct Game;

// The letters that each add an enemy, by hull entry (rows 1..5) and weapon
// entry (columns 1..4) of the catalogues.
inline constexpr std::array<std::array<uint16_t, 4>, 5> SpawnKeys{{
    {'S', 'W', 'X', 'U'},
    {'A', 'Q', 'Z', 'Y'},
    {'D', 'E', 'C', 'I'},
    {'F', 'R', 'V', 'O'},
    {'G', 'T', 'B', 'P'},
}};

inline constexpr const char* PlayerLostText = "Your ship has been destroyed";
// The frames the banner of a battle's end shows before space.
inline constexpr uint16_t EndingBannerFrames = 96;

// Everything a battle starts with: the star field, the player's hull points
// restored, the attractor, the player's ship at (400, 300), one enemy chasing
// the attractor, three asteroids, the radar window and the battle music. Every
// other HUD window is hidden. When a ship it needs is missing from the
// catalogue, the console says so and the game stays where it was.
void SetUpBattle(Game& game);
// The input step of a tick: Esc leaves; arrows steer and thrust; Space fires
// (or what the player bound, on the keys and on a gamepad: the d-pad or the
// left stick steer, A or the right trigger fire, B leaves);
// each held spawn key adds an enemy; N adds an asteroid, M 1000 hull points.
// A spawn key naming no catalogue entry adds nothing and says so once.
void CombatInput(Game& game);
// One combat frame: ends the battle once its banner has shown; otherwise clears, draws
// the stars, walks every object once (steer, collide, emit exhaust, move,
// follow with the camera, draw, age), sweeps the dead, and draws the radar.
void ComposeCombatFrame(Game& game);
// Frees everything the battle made and hides the radar. The caller then
// switches to the space scene.
void LeaveCombat(Game& game);

}  // namespace kv
