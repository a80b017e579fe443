// Runs the command typed at the console's prompt (console/Commands.h reads
// it) against the game: a new game, the pilot's cash, a battle, saving and
// loading, the way back to the title. Errors go to the console log as alerts.
#pragma once

namespace kv {

struct Game;

// Runs the pending command, if any, and clears it.
void RunCommand(Game& game);

}  // namespace kv
