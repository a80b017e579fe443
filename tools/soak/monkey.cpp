// kvmonkey_soak [TICKS] [SEED]: a seeded random player plays the whole game
// headless through the scenario runner: clicks and drags over every window
// and item, pointer positions far outside the window and drags that leave
// it, every key the space scene takes, console lines of commands, garbage
// and extreme numbers, new games, battles with spawns, gamepad buttons and
// sticks, pads pulled out and plugged in. Built with the leak checker: it
// fails on a crash, on a leak at exit, and when memory in use keeps growing
// once the game has warmed up. Run from the game folder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"

// The sanitizers' allocator interface, present in every build of the soak.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace {

constexpr int DefaultTicks = 20000;
constexpr int WarmUpTicks = 4000;
constexpr long GrowthAllowedKilobytes = 16 * 1024;

long AllocatedKilobytes() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }

// The monkey's own generator, apart from the game's, so that its choices
// do not depend on what the game draws.
class Dice {
public:
    explicit Dice(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Below(uint32_t n)
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(((state_ >> 32) * n) >> 32);
    }
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint32_t>(high - low + 1))); }
    template <typename T>
    const T& Pick(const std::vector<T>& from)
    {
        return from[Below(static_cast<uint32_t>(from.size()))];
    }

private:
    uint64_t state_;
};

const std::vector<std::string> Keys{"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
                                    "Grave", "Esc", "Enter", "Back", "Tab", "Up", "Down", "Left", "Right",
                                    "Home", "End", "Space", "A", "Z", "M", "N", "Q", "0", "9"};
const std::vector<std::string> SpawnKeys{"S", "W", "X", "U", "A", "Q", "Z", "Y", "D", "E",
                                         "C", "I", "F", "R", "V", "O", "G", "T", "B", "P"};
// Typed through the runner, which types letters, digits and blanks.
const std::vector<std::string> ConsoleLines{
    "set money 1000", "set money 2147483647", "set money 2147483648", "set money 99999999999999999999",
    "set money x7FFFFFFF", "set money 0x", "set money xFFFFFFFFF", "set money", "set", "newgame Ann 1 1 1",
    "newgame Bob 7 3 4", "newgame Cy 0 9 99", "newgame 4294967296 0 2147483648 x", "combat", "quit", "frobnicate",
    "set money 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34"};
const std::vector<std::string> Buttons{"left", "right", "middle"};
const std::vector<std::string> PadButtons{"A", "B", "X", "Y", "Start", "LB", "RB", "RT", "DpadUp", "DpadLeft",
                                          "StickRight", "StickDown", "Joy1"};

std::string Push(Dice& dice) { return std::to_string(dice.Between(-100, 100)); }

// Anywhere on the window and a little around it, now and then far out to
// the 32-bit limits.
int Coordinate(Dice& dice, int size)
{
    switch (dice.Below(12)) {
    case 0: return dice.Between(-100000, -1);
    case 1: return dice.Between(size, size + 100000);
    case 2: return dice.Below(2) == 0 ? INT32_MIN : INT32_MAX;
    default: return dice.Between(-20, size + 20);
    }
}

std::string Place(Dice& dice) { return std::to_string(Coordinate(dice, 800)) + " " + std::to_string(Coordinate(dice, 600)); }

std::string Garbage(Dice& dice)
{
    static const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789 ";
    std::string text;
    const int n = dice.Between(1, 60);
    for (int i = 0; i < n; ++i) text += letters[dice.Below(static_cast<uint32_t>(letters.size()))];
    return text;
}

// One stretch of play: a few input lines, then some ticks.
void PlayStretch(Dice& dice, std::vector<std::string>& lines)
{
    switch (dice.Below(10)) {
    case 0: lines.push_back("click " + Place(dice) + " " + dice.Pick(Buttons)); break;
    case 1:  // a drag that may leave the window
        lines.push_back("press " + Place(dice) + " " + dice.Pick(Buttons));
        for (int i = dice.Between(1, 4); i > 0; --i) lines.push_back("move " + Place(dice));
        lines.push_back("release " + Place(dice));
        break;
    case 2: lines.push_back("key " + dice.Pick(Keys)); break;
    case 3:
        lines.push_back("key Grave");
        lines.push_back("type " + (dice.Below(3) == 0 ? Garbage(dice) : dice.Pick(ConsoleLines)));
        lines.push_back("key Enter");
        break;
    case 4: lines.push_back("wheel " + std::to_string(dice.Between(-2000, 2000))); break;
    case 5:  // into the game from the launcher or the title
        lines.push_back("click 234 56");
        lines.push_back("tick");
        lines.push_back("click 150 450");
        break;
    case 6:  // a battle with spawns
        if (dice.Below(4) == 0) lines.push_back("scene 2");
        lines.push_back("hold " + dice.Pick(SpawnKeys));
        lines.push_back("hold Space");
        lines.push_back("tick " + std::to_string(dice.Between(1, 30)));
        lines.push_back("let Space");
        for (const std::string& key : SpawnKeys) lines.push_back("let " + key);
        break;
    case 7: lines.push_back("click " + std::to_string(dice.Between(0, 799)) + " " + std::to_string(dice.Between(0, 599))); break;
    case 8:  // a gamepad: a button, the sticks pushed a while, now and then pulled out or plugged in
        lines.push_back("pad " + dice.Pick(PadButtons));
        lines.push_back(std::string("stick ") + (dice.Below(2) == 0 ? "left " : "right ") + Push(dice) + " " + Push(dice));
        lines.push_back("tick " + std::to_string(dice.Between(1, 20)));
        lines.push_back("stick left 0 0");
        lines.push_back("stick right 0 0");
        if (dice.Below(6) == 0) lines.push_back(dice.Below(2) == 0 ? "plug out" : "plug in");
        break;
    default: lines.push_back("move " + Place(dice)); break;
    }
    lines.push_back("tick " + std::to_string(dice.Between(1, 8)));
}

int TicksIn(const std::string& line)
{
    if (line.rfind("tick", 0) != 0) return 0;
    return line.size() > 5 ? std::atoi(line.c_str() + 5) : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int ticks = argc > 1 ? std::atoi(argv[1]) : DefaultTicks;
    const auto seed = static_cast<uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20261209);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    try {
        kv::Window window;
        kv::TfrmMain form(window);
        form.FormCreate();
        kv::ScenarioRunner runner(form, "frames");
        runner.RunLine("seed " + std::to_string(seed));
        Dice dice(seed);
        long warm = 0;
        long start = 0;
        int played = 0;
        std::vector<std::string> lines;
        std::array<int, 5> ticksInScene{};
        while (played < ticks && !form.Terminated()) {
            lines.clear();
            PlayStretch(dice, lines);
            for (const std::string& line : lines) {
                runner.RunLine(line);
                played += TicksIn(line);
                ticksInScene[form.game.CurrentScene % 5] += TicksIn(line);
            }
            if (start == 0) start = AllocatedKilobytes();
            if (warm == 0 && played >= WarmUpTicks) warm = AllocatedKilobytes();
        }
        const long end = AllocatedKilobytes();
        form.FormDestroy();
        std::printf("%d ticks with seed %u: %ld KiB in use at the start, %ld KiB after %d ticks, %ld KiB at the end\n",
                    played, seed, start, warm, WarmUpTicks, end);
        std::printf("ticks ending in the title %d, space %d, battle %d, outro %d, launcher %d\n", ticksInScene[0],
                    ticksInScene[1], ticksInScene[2], ticksInScene[3], ticksInScene[4]);
        if (end - warm > GrowthAllowedKilobytes) {
            std::fprintf(stderr, "memory kept growing while the game was played\n");
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvmonkey_soak: %s\n", e.what());
        return 1;
    }
}
