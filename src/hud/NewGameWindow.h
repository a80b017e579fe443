// The new-game window: a name typed into its field, a portrait, a
// difficulty and a specialisation picked with arrows, and "Start", which
// builds a new world for that pilot.
#pragma once

#include <string_view>

namespace kv {

struct Game;

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

// "easy", "normal", "hardcore" for 1..3; empty for anything else.
std::string_view DifficultyName(int choice);

}  // namespace kv
