// kvscenario SCRIPT [FRAME_FOLDER]: plays a scenario script through the real
// game without a display and writes the frames it asks for.
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
    if (argc < 2) {
        std::cerr << "usage: kvscenario SCRIPT [FRAME_FOLDER]\n";
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    if (const std::optional<std::string> problem = kv::ChooseDataFolder()) {
        std::cerr << "kvscenario: " << *problem << '\n';
        return 1;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::cerr << "kvscenario: cannot read " << argv[1] << '\n';
        return 2;
    }
    std::vector<std::string> script;
    for (std::string line; std::getline(file, line);) script.push_back(line);
    try {
        kv::Window window;
        kv::TfrmMain form(window);
        form.FormCreate();
        kv::ScenarioRunner runner(form, argc > 2 ? argv[2] : "frames");
        runner.Run(script);
        form.FormDestroy();
        for (const std::string& frame : runner.FramesWritten()) std::cout << frame << '\n';
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "kvscenario: " << e.what() << '\n';
        return 1;
    }
}
