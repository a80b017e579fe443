// The quit signals: each arrives as a quit event, so the game ends through
// its normal path (which gives the desktop its own display mode back), and
// the handlers the process had before are back once the window is gone.
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <variant>

namespace {

volatile std::sig_atomic_t caughtOutside = 0;

extern "C" void CountOutside(int) { caughtOutside = caughtOutside + 1; }

TEST(QuitSignals, EachArrivesAsAQuitEventAndTheOldHandlersReturn)
{
    constexpr int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    struct sigaction counting {};
    counting.sa_handler = CountOutside;
    sigemptyset(&counting.sa_mask);
    struct sigaction before[4];
    for (int i = 0; i < 4; ++i) sigaction(signals[i], &counting, &before[i]);
    {
        kv::Window window;
        for (const int signal : signals) {
            std::raise(signal);
            const auto event = window.WaitEvent(0);
            ASSERT_TRUE(event.has_value()) << signal;
            EXPECT_TRUE(std::holds_alternative<kv::QuitEvent>(*event)) << signal;
            EXPECT_FALSE(window.WaitEvent(0).has_value()) << "one quit for one signal";
        }
        EXPECT_EQ(caughtOutside, 0);
    }
    for (const int signal : signals) std::raise(signal);
    EXPECT_EQ(caughtOutside, 4);
    for (int i = 0; i < 4; ++i) sigaction(signals[i], &before[i], nullptr);
}

}  // namespace
