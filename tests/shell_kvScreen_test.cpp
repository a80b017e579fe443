#include "shell/kvScreen.h"

#include <gtest/gtest.h>

namespace {

using kv::DisplayMode;

struct FakeDisplay {
    std::vector<DisplayMode> modes;
    std::vector<DisplayMode> refused;

    kv::ScreenModes Enumerate() const
    {
        kv::ScreenModes screen;
        kv::EnumerateDisplayModes(
            screen,
            [this](int i) -> std::optional<DisplayMode> {
                if (i >= static_cast<int>(modes.size())) return std::nullopt;
                return modes[static_cast<std::size_t>(i)];
            },
            [this](const DisplayMode& m) { return std::find(refused.begin(), refused.end(), m) == refused.end(); });
        return screen;
    }
};

TEST(ScreenModes, KeepsOnlyUsableModesInSystemOrder)
{
    FakeDisplay display{{{1024, 768, 32, 60, 1},
                         {799, 600, 32, 60, 1},
                         {800, 600, 16, 60, 2},
                         {800, 600, 32, 56, 1},
                         {800, 600, 32, 85, 1},
                         {800, 600, 32, 60, 1},
                         {800, 600, 24, 75, 3}},
                        {}};
    const kv::ScreenModes screen = display.Enumerate();
    ASSERT_EQ(screen.modeCount, 3);
    EXPECT_EQ(screen.Modes[1].RefreshRate, 85);
    EXPECT_EQ(screen.Modes[2].RefreshRate, 60);
    EXPECT_EQ(screen.Modes[3].BitsPerPixel, 24);
    const auto items = kv::ModeListItems(screen);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0], "     Window mode");
    EXPECT_EQ(items[1], "800х600 32 бит/пиксел 85 Гц");
    EXPECT_EQ(items[3], "800х600 24 бит/пиксел 75 Гц");
}

TEST(ScreenModes, UnknownRefreshRateIsNotHidden)
{
    FakeDisplay display{{{800, 600, 32, 0, 1}}, {}};
    const kv::ScreenModes screen = display.Enumerate();
    ASSERT_EQ(screen.modeCount, 1);
    EXPECT_EQ(kv::ModeListItems(screen)[1], "800х600 32 бит/пиксел");
}

TEST(ScreenModes, NoModesLeavesOnlyWindowMode)
{
    const kv::ScreenModes screen = FakeDisplay{}.Enumerate();
    EXPECT_EQ(screen.modeCount, 0);
    EXPECT_EQ(kv::ModeListItems(screen), std::vector<std::string>{"     Window mode"});
}

TEST(ScreenModes, ModesRefusedByTheTestSwitchAreLeftOut)
{
    const DisplayMode good{800, 600, 32, 60, 1};
    const DisplayMode refused{800, 600, 32, 75, 1};
    FakeDisplay display{{refused, good}, {refused}};
    const kv::ScreenModes screen = display.Enumerate();
    ASSERT_EQ(screen.modeCount, 1);
    EXPECT_EQ(screen.Modes[1], good);
}

TEST(ScreenModes, TheTableHoldsAtMostSevenHundred)
{
    FakeDisplay display{std::vector<DisplayMode>(900, DisplayMode{800, 600, 32, 60, 1}), {}};
    EXPECT_EQ(display.Enumerate().modeCount, 700);
}

}  // namespace
