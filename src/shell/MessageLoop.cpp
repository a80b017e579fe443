#include "shell/MessageLoop.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <iostream>
#include <optional>

#include "platform/DataFolder.h"
#include "shell/CommandLine.h"
#include "shell/UnitMain.h"

namespace kv {

void RunMessageLoop(TfrmMain& form)
{
    using Clock = std::chrono::steady_clock;
    constexpr auto Period = std::chrono::microseconds(1000000 / TicksPerSecond);
    auto nextTick = Clock::now() + Period;
    while (!form.Terminated()) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - Clock::now());
        if (auto event = form.Form().WaitEvent(static_cast<int>(std::max<long long>(wait.count(), 0)))) {
            form.Dispatch(*event);
            continue;
        }
        if (Clock::now() < nextTick) continue;
        form.Tick();
        // A tick that ran long delays the next one; missed ticks are not made up.
        nextTick = std::max(nextTick + Period, Clock::now());
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
        TfrmMain form(window);
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
