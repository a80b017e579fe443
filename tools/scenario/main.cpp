// kvscenario [--seed N] SCRIPT [FRAME_FOLDER]: plays a scenario script
// through the real game without a display and writes the frames it asks for.
// With --seed the run starts as if the script began with "seed N".
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/DataFolder.h"
#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> script;
    if (args.size() >= 2 && args[0] == "--seed") {
        script.push_back("seed " + args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        std::cerr << "usage: kvscenario [--seed N] SCRIPT [FRAME_FOLDER]\n";
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    if (const std::optional<std::string> problem = kv::ChooseDataFolder()) {
        std::cerr << "kvscenario: " << *problem << '\n';
        return 1;
    }
    std::ifstream file(args[0]);
    if (!file) {
        std::cerr << "kvscenario: cannot read " << args[0] << '\n';
        return 2;
    }
    for (std::string line; std::getline(file, line);) script.push_back(line);
    try {
        kv::Window window;
        kv::TfrmMain form(window);
        form.FormCreate();
        kv::ScenarioRunner runner(form, args.size() > 1 ? args[1] : "frames");
        runner.Run(script);
        form.FormDestroy();
        for (const std::string& frame : runner.FramesWritten()) std::cout << frame << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "kvscenario: " << e.what() << '\n';
        return 1;
    }
}
