// The game's loop on a clock of the test's own: the tick keeps its rate
// under a flood of events, and input is still read when every tick runs
// longer than the clock's period.
#include "shell/MessageLoop.h"

#include <gtest/gtest.h>

#include <deque>
#include <variant>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr microseconds Period{1000000 / kv::TicksPerSecond};

TEST(MessageLoop, SlowTicksStillLeaveRoomForInput)
{
    Clock::time_point now{};
    std::deque<kv::InputEvent> waiting;
    int ticks = 0;
    int keys = 0;
    bool quit = false;
    kv::RunLoop({
        [&] { return quit || ticks > 1000; },
        [&] {
            // Each tick takes three periods; during the first the player
            // presses a key and closes the window.
            if (++ticks == 1) waiting = {kv::KeyDownEvent{65, {}}, kv::QuitEvent{}};
            now += 3 * Period;
        },
        [&](int timeoutMs) -> std::optional<kv::InputEvent> {
            if (waiting.empty()) {
                now += milliseconds(timeoutMs);
                return std::nullopt;
            }
            const kv::InputEvent next = waiting.front();
            waiting.pop_front();
            return next;
        },
        [&](const kv::InputEvent& event) {
            keys += std::holds_alternative<kv::KeyDownEvent>(event);
            quit = quit || std::holds_alternative<kv::QuitEvent>(event);
        },
        [&] { return now; },
    });
    EXPECT_TRUE(quit);
    EXPECT_EQ(keys, 1);
    EXPECT_LE(ticks, 2);
}

// 10,000 events a second, each taking a tenth of a millisecond to arrive:
// still 64 ticks in a second.
TEST(MessageLoop, AFloodOfEventsCannotHoldTheClockBack)
{
    Clock::time_point now{};
    const Clock::time_point end = now + std::chrono::seconds(1);
    int ticks = 0;
    int moves = 0;
    kv::RunLoop({
        [&] { return now >= end; },
        [&] { ++ticks; },
        [&](int) -> std::optional<kv::InputEvent> {
            now += microseconds(100);
            return kv::MouseMoveEvent{moves % 800, 300};
        },
        [&](const kv::InputEvent&) { ++moves; },
        [&] { return now; },
    });
    EXPECT_GE(ticks, 63);
    EXPECT_LE(ticks, 64);
    EXPECT_GE(moves, 9900);
}

}  // namespace
