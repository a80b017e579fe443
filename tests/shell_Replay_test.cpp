// Seeded runs replay byte for byte: the same script with the same seed gives
// the same frames, so a road of the game can be compared with a stored one.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"

namespace {

uint64_t FrameChecksum(const kv::Bitmap& frame)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    const auto bytes = static_cast<std::size_t>(frame.Stride()) * static_cast<std::size_t>(frame.Height());
    for (std::size_t i = 0; i < bytes; ++i) hash = (hash ^ frame.Data()[i]) * 0x100000001b3ull;
    return hash;
}

// Plays the roads of the game from the launcher on, each step's frame summed
// up by its checksum: a star clicked on the map, a trade, a battle's first
// 60 ticks, then the intro crawl.
std::vector<uint64_t> PlayRoads(uint32_t seed)
{
    kv::Window window;
    kv::TfrmMain form(window);
    form.FormCreate();
    kv::ScenarioRunner runner(form, ::testing::TempDir() + "kvspace_replay");
    std::vector<uint64_t> checksums;
    const auto step = [&](const std::vector<std::string>& script) {
        runner.Run(script);
        checksums.push_back(FrameChecksum(form.ShownFrame()));
    };
    step({"seed " + std::to_string(seed)});
    step(kv::testing::ToSpace);
    step({"click 400 240", "tick 2", "click 300 200", "tick 2"});
    step({"key F5", "tick 30", "click 400 200", "tick", "click 530 205", "tick", "key F5", "tick 30"});
    step({"key Grave", "type combat", "key Enter", "tick", "tick 60"});
    step({"hold Esc", "tick 3", "let Esc", "tick 45"});
    step({"click 230 15", "tick 2", "move 150 400", "tick", "click 150 400", "tick 200"});
    return checksums;
}

TEST(SeededRuns, ReplayByteForByteAndFollowTheSeed)
{
    const std::vector<uint64_t> first = PlayRoads(7);
    EXPECT_EQ(first, PlayRoads(7));
    const std::vector<uint64_t> other = PlayRoads(8);
    EXPECT_NE(first[1], other[1]) << "another seed gives another galaxy and pilot portrait";
}

TEST(SeededRuns, SeedLineNeedsANumber)
{
    kv::Window window;
    kv::TfrmMain form(window);
    form.FormCreate();
    kv::ScenarioRunner runner(form, ::testing::TempDir() + "kvspace_replay");
    EXPECT_THROW(runner.RunLine("seed"), std::invalid_argument);
    EXPECT_THROW(runner.RunLine("seed x"), std::invalid_argument);
    runner.RunLine("seed 42");
    form.game.random.Randomize();
    EXPECT_EQ(form.game.random.CurrentSeed(), 42u);
}

}  // namespace
