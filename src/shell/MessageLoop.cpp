#include "shell/MessageLoop.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>

#include "platform/DataFolder.h"
#include "platform/Settings.h"
#include "shell/CommandLine.h"
#include "shell/UnitMain.h"

namespace kv {

// A tick that is due runs before any waiting event, so that a flood of
// events cannot hold the clock back; between ticks the loop waits for
// events until the next one is due.
void RunMessageLoop(TfrmMain& form)
{
    using Clock = std::chrono::steady_clock;
    constexpr auto Period = std::chrono::microseconds(1000000 / TicksPerSecond);
    auto nextTick = Clock::now() + Period;
    while (!form.Terminated()) {
        const auto now = Clock::now();
        if (now >= nextTick) {
            form.Tick();
            // A tick that ran long delays the next one; missed ticks are not made up.
            nextTick = std::max(nextTick + Period, Clock::now());
            continue;
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextTick - now);
        if (auto event = form.Form().WaitEvent(static_cast<int>(wait.count()))) form.Dispatch(*event);
    }
}

int RunGame(const std::vector<std::string>& arguments)
{
    const StartRequest request = ReadCommandLine(arguments);
    switch (request.Action) {
    case StartAction::ShowHelp:
    case StartAction::ShowVersion: std::cout << request.Text; return 0;
    case StartAction::Refuse: std::cerr << request.Text; return 2;
    case StartAction::Play: break;
    }
    if (const std::optional<std::string> problem = ChooseDataFolder()) {
        ShowStartupMessage("kvspace", *problem);
        return 1;
    }
    try {
        Window window;
        if (const std::optional<std::string> problem = window.SetIcon("res\\gfx\\icons\\kvspace-64.png"))
            std::cerr << "kvspace: the window has no icon: " << *problem << '\n';
        TfrmMain form(window, SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
        form.FormCreate();
        RunMessageLoop(form);
        form.FormDestroy();
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "kvspace: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace kv
