// The new-game window: a name typed into its field, a portrait, a
// difficulty, a specialisation and the rules (Classic or Career) picked with
// arrows, and "Start", which builds a new world for that pilot.
#pragma once

#include <string_view>

#include "universe/World.h"

namespace kv {

struct Game;

// A new world (universe/World's StartWorld) and the interface reset to it:
// the star map's view and axis cross, the selection on the home star, the
// market's buttons, and "World initialised" in the console. The start of
// every world, the first one included.
void BeginWorld(Game& game);

// "Start": builds a new world from the window's choices and greets the
// pilot. Also run by the console's "newgame" after it has filled in those
// choices.
void StartNewGame(Game& game);

// The top bar's "New game": resets difficulty and specialisation, sends the
// side panels away and shows the window in the centre.
void OpenNewGameWindow(Game& game);
void ComposeNewGameWindow(Game& game);

// The six arrows: each choice steps by one and wraps at its ends.
void NextAvatar(Game& game);
void PreviousAvatar(Game& game);
void NextDifficulty(Game& game);
void PreviousDifficulty(Game& game);
void NextSpecialisation(Game& game);
void PreviousSpecialisation(Game& game);

// The rules arrows: Classic and Career in turn. The choice is kept for the
// next new game.
void ToggleRules(Game& game);
// "Classic" or "Career".
std::string_view RulesName(RuleSet rules);

// "easy", "normal", "hardcore" for 1..3; empty for anything else.
std::string_view DifficultyName(int choice);

}  // namespace kv
