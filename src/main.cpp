// kvspace: trade between the stars, turn the galaxy, jump and fight.
#include <string>
#include <vector>

#include "shell/MessageLoop.h"

int main(int argc, char** argv) { return kv::RunGame(std::vector<std::string>(argv + 1, argv + argc)); }
