// The game's command line: started without arguments it plays; --help and
// --version print and end; anything else is refused with a hint.
#pragma once

#include <string>
#include <vector>

namespace kv {

enum class StartAction { Play, ShowHelp, ShowVersion, Refuse };

struct StartRequest {
    StartAction Action = StartAction::Play;
    std::string Text;  // what to print: the help, the version or the refusal
};

// `arguments` without the program name.
StartRequest ReadCommandLine(const std::vector<std::string>& arguments);

}  // namespace kv
