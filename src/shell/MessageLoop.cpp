#include "shell/MessageLoop.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>

#include "graphics/GameIcon.h"
#include "platform/DataFolder.h"
#include "platform/Gamepads.h"
#include "platform/SafeFile.h"
#include "platform/Settings.h"
#include "shell/CommandLine.h"
#include "shell/UnitMain.h"

namespace kv {

// A tick that is due runs before any waiting event, so that a flood of
// events cannot hold the clock back; between ticks the loop waits for
// events until the next one is due. After each tick the events already
// waiting are read, a bounded number of them: when ticks run longer than
// the clock's period the next tick is due at once, and input would
// otherwise never be read.
void RunLoop(const LoopParts& parts)
{
    constexpr auto Period = std::chrono::microseconds(1000000 / TicksPerSecond);
    auto nextTick = parts.Now() + Period;
    while (!parts.Ended()) {
        const auto now = parts.Now();
        if (now >= nextTick) {
            parts.Tick();
            // A tick that ran long delays the next one; missed ticks are not made up.
            nextTick = std::max(nextTick + Period, parts.Now());
            for (int read = 0; read < MostEventsAfterATick && !parts.Ended(); ++read) {
                const std::optional<InputEvent> event = parts.NextEvent(0);
                if (!event) break;
                parts.Dispatch(*event);
            }
            continue;
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextTick - now);
        if (auto event = parts.NextEvent(static_cast<int>(wait.count()))) parts.Dispatch(*event);
    }
}

void RunMessageLoop(TfrmMain& form)
{
    RunLoop(LoopParts{
        [&form] { return form.Terminated(); },
        [&form] { form.Tick(); },
        [&form](int timeoutMs) { return form.Form().WaitEvent(timeoutMs); },
        [&form](const InputEvent& event) { form.Dispatch(event); },
        [] { return std::chrono::steady_clock::now(); },
    });
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
        if (const std::optional<std::string> problem = window.SetIcon(GameIconPixels(64), 64))
            std::cerr << "kvspace: the window has no icon: " << *problem << '\n';
        TfrmMain form(window, SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
        form.game.ui.Saves.Folder = SavesFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        form.StartGamepads(PadMappingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
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
