// Seeded runs replay byte for byte: the same script with the same seed gives
// the same frames, and the frames of the game's main roads are compared with
// the checksums stored in tests/golden/roads.txt. After an intended change
// of what these screens show, renew that file with
//
//   KV_RENEW_GOLDEN=1 build/kvspace_tests --gtest_filter=SeededRuns.*
//
// (run in build/game) and look at the new frames before committing it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "shell/Scenario.h"
#include "shell/UnitMain.h"
#include "support/Roads.h"
#include "universe/Career.h"

namespace {

// FNV-1a 64 of rows [top, bottom) of a frame.
uint64_t RowsChecksum(const kv::Bitmap& frame, int top, int bottom)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    const uint8_t* first = frame.Row(top);
    const std::size_t bytes = static_cast<std::size_t>(frame.Stride()) * static_cast<std::size_t>(bottom - top);
    for (std::size_t i = 0; i < bytes; ++i) hash = (hash ^ first[i]) * 0x100000001b3ull;
    return hash;
}

uint64_t FrameChecksum(const kv::Bitmap& frame) { return RowsChecksum(frame, 0, frame.Height()); }

// The panels between the top bar and the console, whose lines differ after
// saving and loading.
uint64_t PanelsChecksum(const kv::Bitmap& frame) { return RowsChecksum(frame, 80, 455); }

// An environment variable set for a while, and put back as it was.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
        ::tzset();
    }
    ~ScopedVariable()
    {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
        ::tzset();
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Plays the roads of the game from the launcher on, each step's frame summed
// up by its checksum: a star clicked on the map (in seed 1's galaxy, star 4
// within reach), the jump there, a trade, a battle's first 60 ticks, saving
// into slot 3, another trade and loading slot 3 again, the intro crawl, then
// a career game's road (a contract delivered, a battle won), and there the
// options window, three of its rows changed, and a key bound on its controls
// page and another refused. Saves go to a fresh folder of the run's own,
// never the player's, and their times of saving are shown in UTC.
std::vector<uint64_t> PlayRoads(uint32_t seed)
{
    const std::string folder = ::testing::TempDir() + "kvspace_replay";
    std::filesystem::remove_all(folder + "/saves");
    const ScopedVariable dataHome("XDG_DATA_HOME", folder);
    const ScopedVariable zone("TZ", "UTC");
    kv::Window window;
    kv::TfrmMain form(window);
    form.FormCreate();
    kv::ScenarioRunner runner(form, folder);
    std::vector<uint64_t> checksums;
    const auto step = [&](const std::vector<std::string>& script) {
        runner.Run(script);
        checksums.push_back(FrameChecksum(form.ShownFrame()));
    };
    const auto panels = [&](const std::vector<std::string>& script) {
        runner.Run(script);
        checksums.push_back(PanelsChecksum(form.ShownFrame()));
        return checksums.back();
    };
    step({"seed " + std::to_string(seed)});
    step(kv::testing::ToSpace);
    step({"click 369 319", "tick 2"});
    step({"click 745 152", "tick 2"});
    step({"key F5", "tick 30", "click 400 200", "tick", "click 530 205", "tick", "key F5", "tick 30"});
    step({"key Grave", "type combat", "key Enter", "tick", "tick 60"});
    step({"hold Esc", "tick 3", "let Esc", "tick 45"});
    const uint64_t beforeSaving = panels({"move 790 590", "tick 50"});
    step({"click 238 47", "tick 90", "click 400 220", "tick"});
    step({"key Esc", "tick 90", "key F5", "tick 30", "click 400 200", "tick", "click 530 205", "tick", "key F1",
          "tick 30"});
    step({"click 87 47", "tick 90"});
    const uint64_t afterLoading = panels({"click 400 220", "move 790 590", "tick 90"});
    EXPECT_EQ(afterLoading, beforeSaving) << "the same panels before saving and after loading";
    step({"click 230 15", "tick 2", "move 150 400", "tick", "click 150 400", "tick 200"});
    // A career road: back to space from the crawl, a new career game (on a
    // generator seeded afresh, so that its galaxy is the same whatever came
    // before), a jump that takes days, a trade that moves a price, a weapon
    // bought in the ship window, a contract accepted, a save and a load;
    // the contracts window, two jumps (the second on fuel added with Up) to
    // the contract's star, which delivers it, and a battle won by turning
    // and firing without pause, which pays a bounty.
    // The console prompt is still open from the battle's command, but has
    // lost the keys: closed and opened again, it takes them.
    step({"click 400 300", "tick 2", "move 150 450", "tick", "click 150 450", "tick 45", "seed 7", "key Grave",
          "key Grave", "type newgame Ann 2 1 1 career", "key Enter", "tick 60"});
    step({"click 310 249", "tick 2", "click 745 152", "tick 2"});
    step({"key F5", "tick 30", "click 400 200", "tick", "click 530 205", "tick", "key F5", "tick 30"});
    step({"key F3", "tick 30", "key F4", "tick 90", "click 640 275", "tick", "click 777 277", "tick 2"});
    step({"key Grave", "key Grave", "type contracts", "key Enter", "tick 2", "type accept 1", "key Enter", "tick 2",
          "type save 4", "key Enter", "tick 2", "type set money 5", "key Enter", "tick 2", "type load 4",
          "key Enter", "key Grave", "tick 30"});
    step({"key F7", "tick 2"});
    step({"key F7", "key F1", "tick 30", "click 344 280", "tick 2", "key F3", "tick 60", "click 745 152", "tick 2",
          "key Up", "key Up", "tick 2", "click 387 311", "tick 2", "click 745 152", "tick 30"});
    step({"key Grave", "type combat", "key Enter", "key Grave", "hold Space", "hold Left", "tick 600"});
    step({"tick 300", "let Space", "let Left", "tick 120"});
    // The career's galaxy is the same for every seed, but its first offers
    // follow what the classic road drew before: seed 1's offer goes to the
    // star of these two jumps.
    const kv::CareerState& career = form.game.world.Career;
    if (seed == 1) {
        EXPECT_EQ(career.Deliveries, 1u) << "the contract was delivered";
        EXPECT_EQ(career.Kills, 1u) << "the battle was won";
        EXPECT_EQ(form.game.CurrentScene, kv::SceneSpace) << "and left for space";
    }
    step({"key F6", "tick 20"});
    step({"click 465 155", "click 465 215", "click 525 320", "tick 2"});
    step({"click 465 345", "click 505 218", "key K", "click 425 174", "key Space", "tick 2"});
    return checksums;
}

TEST(SeededRuns, ReplayByteForByteAndFollowTheSeed)
{
    const std::vector<uint64_t> first = PlayRoads(1);
    EXPECT_EQ(first, PlayRoads(1));
    const std::vector<uint64_t> other = PlayRoads(2);
    EXPECT_NE(first[1], other[1]) << "another seed gives another galaxy and pilot portrait";
}

std::vector<uint64_t> ReadChecksums(const std::string& path)
{
    std::vector<uint64_t> checksums;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#') checksums.push_back(std::stoull(line, nullptr, 16));
    }
    return checksums;
}

void WriteChecksums(const std::string& path, const std::vector<uint64_t>& checksums)
{
    std::ofstream file(path);
    file << "# Frame checksums of the seeded main roads (tests/shell_Replay_test.cpp)\n";
    for (uint64_t checksum : checksums) file << std::hex << checksum << '\n';
}

TEST(SeededRuns, MainRoadsMatchTheStoredFrames)
{
    const std::string golden = std::string(KV_SOURCE_DIR) + "/tests/golden/roads.txt";
    const std::vector<uint64_t> played = PlayRoads(1);
    if (std::getenv("KV_RENEW_GOLDEN") != nullptr) return WriteChecksums(golden, played);
    EXPECT_EQ(played, ReadChecksums(golden)) << "the frames of a main road changed; if that was intended, "
                                                "renew " << golden << " (see this test's head comment)";
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
    form.game.world.random.Randomize();
    EXPECT_EQ(form.game.world.random.CurrentSeed(), 42u);
}

}  // namespace
