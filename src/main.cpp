// kvspace: trade between the stars, turn the galaxy, jump and fight.
#include "shell/MessageLoop.h"

int main() { return kv::RunGame(); }
