// Saved games as bytes: a world after trades and jumps comes back field by
// field, and every bad form of a file is refused with a reason, never read
// into a half-filled record.
#include "game/SaveFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "universe/Career.h"
#include "universe/CareerNumbers.h"

#include "SaveTestWorld.h"

namespace {

using kv::SaveState;

TEST(SaveFile, AWorldAfterTradesAndJumpsComesBackFieldByField)
{
    const kv::SavedGame saved = kvtest::PlayedSave(7);
    const std::string bytes = kv::EncodeSave(saved);
    EXPECT_LT(bytes.size(), 300u * 1024) << "ten galaxies whole stay far below a megabyte";
    const kv::SaveRead read = kv::DecodeSave(bytes);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    const kv::SavedGame& back = *read.Game;

    kvtest::ExpectSameWorld(saved.world, back.world);
    EXPECT_EQ(saved.HullChoice, back.HullChoice);
    EXPECT_EQ(saved.EngineChoice, back.EngineChoice);
    EXPECT_EQ(saved.WeaponChoice, back.WeaponChoice);
    EXPECT_EQ(saved.SelectedStar, back.SelectedStar);
    EXPECT_EQ(saved.MapLevel, back.MapLevel);
    EXPECT_EQ(saved.SavedAt, back.SavedAt);
    EXPECT_EQ(kv::EncodeSave(back), bytes) << "writing what was read gives the same file";
}

// Replaces `size` bytes at `at` with the little-endian `value` and mends the
// checksum, so that only the reader's own checks can refuse the file.
std::string Forged(std::string bytes, std::size_t at, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    const uint64_t sum = kv::SaveChecksum(std::string_view(bytes).substr(24));
    for (int i = 0; i < 8; ++i) bytes[16 + static_cast<std::size_t>(i)] = static_cast<char>(sum >> (8 * i));
    return bytes;
}

TEST(SaveFile, EveryBadFormIsRefusedWithAReason)
{
    const std::string good = kv::EncodeSave(kvtest::PlayedSave(3));
    // The body starts with the time of saving, then the pilot's name.
    const std::size_t body = 24;
    const std::size_t name = body + 8;
    const std::size_t nameLength = kvtest::PlayedSave(3).world.Pilot.Name.size();
    const std::size_t avatar = name + 2 + nameLength;
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x10;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"zero bytes", ""},
        {"another kind of file", "GIF89a" + good.substr(6)},
        {"cut inside the header", good.substr(0, 20)},
        {"cut inside the body", good.substr(0, good.size() - 100)},
        {"one byte flipped", flipped},
        {"more after the end", good + "x"},
        {"a name longer than the file", Forged(good, name, 0xffff, 2)},
        {"a portrait that does not exist", Forged(good, avatar, 9, 1)},
        {"a control character in the name", Forged(good, name + 2, 7, 1)},
        {"an unknown older version", Forged(good, 8, 0, 4)},
        {"a claimed length beyond the file", Forged(good, 12, good.size(), 4)},
        {"a huge file", good + std::string(kv::MostSaveBytes, '\0')},
    };
    for (const auto& c : cases) {
        const kv::SaveRead read = kv::DecodeSave(c.bytes);
        EXPECT_EQ(read.State, SaveState::Damaged) << c.what;
        EXPECT_FALSE(read.Problem.empty()) << c.what;
        EXPECT_EQ(read.Game, nullptr) << c.what;
    }
    const kv::SaveRead newer = kv::DecodeSave(Forged(good, 8, kv::SaveFormatVersion + 1, 4));
    EXPECT_EQ(newer.State, SaveState::Newer);
    EXPECT_EQ(newer.Game, nullptr);
}

// Counts and places the reader must check against the world it builds, each
// in a file whose checksum is right.
TEST(SaveFile, HostileCountsAndPlacesAreRefused)
{
    kv::SavedGame base = kvtest::PlayedSave(5);
    const auto refused = [](const kv::SavedGame& save, const char* what) {
        const kv::SaveRead read = kv::DecodeSave(kv::EncodeSave(save));
        EXPECT_EQ(read.State, SaveState::Damaged) << what;
    };
    const uint8_t stars = (*base.world.galaxies)[1].StarCount;
    base.world.Pilot.Star = static_cast<uint8_t>(stars + 1);
    refused(base, "the pilot beyond the last star");
    base.world.Pilot.Star = 1;
    base.SelectedStar = static_cast<uint8_t>(stars + 1);
    refused(base, "a selected star beyond the last");
    base.SelectedStar = 0;
    const uint8_t fourth = (*base.world.galaxies)[4].StarCount;
    (*base.world.galaxies)[4].StarCount = 200;
    refused(base, "200 stars in a galaxy");
    (*base.world.galaxies)[4].StarCount = fourth;
    (*base.world.galaxies)[4].Stars[3].PlanetCount = 0;
    refused(base, "a star without planets");
    (*base.world.galaxies)[4].Stars[3].PlanetCount = 2;
    (*base.world.galaxies)[4].Stars[3].SpectralClass = 71;
    refused(base, "a spectral class without a name");
    (*base.world.galaxies)[4].Stars[3].SpectralClass = 3;
    (*base.world.galaxies)[4].Stars[3].Government = 5;
    refused(base, "a government without a name");
    (*base.world.galaxies)[4].Stars[3].Government = 1;
    (*base.world.galaxies)[2].Stars[1].X = std::numeric_limits<double>::quiet_NaN();
    refused(base, "a star at no number");
    (*base.world.galaxies)[2].Stars[1].X = 10;
    base.world.Pilot.TradePoints = -1;
    refused(base, "points below zero");
    base.world.Pilot.TradePoints = 5;
    base.HullChoice = 0;
    refused(base, "hull 0");
    base.HullChoice = 1;
    EXPECT_EQ(kv::DecodeSave(kv::EncodeSave(base)).State, SaveState::Good) << "mended, it reads again";
}

// The save window's summary: the pilot and the star from a good file, and
// the reader's own refusals of the header and of the places it reads.
TEST(SaveFile, ASummaryIsReadWithoutTheGalaxiesAndRefusesWhatTheReaderRefuses)
{
    kv::SavedGame save = kvtest::PlayedSave(9);
    save.world.Pilot.Galaxy = 3;
    save.world.Pilot.Star = (*save.world.galaxies)[3].StarCount;
    const std::string good = kv::EncodeSave(save);
    const kv::SummaryRead read = kv::SummariseSave(good);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    const kv::kvPlayer& pilot = save.world.Pilot;
    EXPECT_EQ(read.Summary.PilotName, pilot.Name);
    EXPECT_EQ(read.Summary.Cash, pilot.Cash);
    EXPECT_EQ(read.Summary.TradeRank, pilot.TradeRank);
    EXPECT_EQ(read.Summary.Galaxy, 3);
    EXPECT_EQ(read.Summary.StarName, (*save.world.galaxies)[3].Stars[pilot.Star].Name);
    EXPECT_EQ(read.Summary.GameDate, pilot.GameDate);
    EXPECT_EQ(read.Summary.SavedAt, save.SavedAt);

    std::string flipped = good;
    flipped[good.size() - 5] ^= 0x10;
    EXPECT_EQ(kv::SummariseSave(flipped).State, SaveState::Damaged) << "the checksum covers the galaxies";
    EXPECT_EQ(kv::SummariseSave(Forged(good, 8, kv::SaveFormatVersion + 1, 4)).State, SaveState::Newer);
    save.world.Pilot.Star = static_cast<uint8_t>((*save.world.galaxies)[3].StarCount + 1);
    EXPECT_EQ(kv::SummariseSave(kv::EncodeSave(save)).State, SaveState::Damaged) << "the pilot beyond the last star";
}

// One record read into again and again, as the save fuzzer does: what one
// file (or a refused one, read halfway) left in it never shows in the next.
TEST(SaveFile, ARecordReadBeforeTakesTheNextFileWhole)
{
    kv::SavedGame bigger = kvtest::PlayedSave(11);
    kv::SavedGame smaller = kvtest::PlayedSave(12);
    ASSERT_GT((*bigger.world.galaxies)[3].StarCount, 15);
    (*smaller.world.galaxies)[3].StarCount = 15;
    smaller.world.Pilot.Name = "Mary";
    const std::string first = kv::EncodeSave(bigger);
    const std::string last = kv::EncodeSave(smaller);
    kv::SavedGame record;
    ASSERT_EQ(kv::DecodeSave(first, record).State, SaveState::Good);
    EXPECT_EQ(kv::DecodeSave(Forged(last, last.size() - 1, 0x7f, 1), record).State, SaveState::Damaged);

    const kv::SaveRead read = kv::DecodeSave(last, record);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    EXPECT_EQ(read.Game, nullptr) << "the save is in the record";
    EXPECT_EQ(kv::EncodeSave(record), last);
    kvtest::ExpectSameWorld(kv::DecodeSave(last).Game->world, record.world);
}

// A save as an earlier version of the game wrote it, kept in the sources:
// it loads as a classic game, and writes back to the same bytes.
TEST(SaveFile, AVersionOneFileLoadsAsAClassicGame)
{
    std::ifstream file(std::string(KV_SOURCE_DIR) + "/tests/golden/version1.sav", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty());
    const kv::SaveRead read = kv::DecodeSave(bytes);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    EXPECT_EQ(read.Game->Version, 1u);
    EXPECT_EQ(read.Game->world.Rules, kv::RuleSet::Classic);
    EXPECT_EQ(read.Game->world.Career.Markets, nullptr);
    EXPECT_EQ(read.Game->world.Pilot.Name, "Ann Bonny 2");
    EXPECT_EQ(kv::EncodeSave(*read.Game), bytes);
}

kv::SavedGame CareerSave()
{
    kv::SavedGame save = kvtest::PlayedSave(9);
    save.world.Goods = kv::GoodsCatalogue();
    kv::StartCareer(save.world);
    kv::World& w = save.world;
    // Not in a save: the running game's catalogue and generator.
    w.Goods = kv::GoodsTable{};
    w.random = kv::Random{};
    (*w.Career.Markets)[3][7].Rows[4].Pressure = -0.37;
    (*w.Career.Markets)[3][7].Rows[4].NewsFactor = 1.7;
    (*w.Career.Markets)[3][7].Rows[4].NewsUntil = kv::StartDate + 30;
    w.Career.CostPaid[2] = 1234.5;
    w.Career.BoughtAt[2] = 256 + 4;
    w.Career.Kills = 12;
    w.Career.Deliveries = 3;
    w.Career.ShipsLost = 1;
    w.Career.GalaxiesReached = 0b101;
    w.Career.Offers = {kv::Contract{5, 10, 1, 2, kv::StartDate + 30, 900, 120}};
    w.Career.Accepted = {kv::Contract{7, 5, 1, 4, kv::StartDate + 9, 300, 600},
                         kv::Contract{1, 20, 1, 6, kv::StartDate + 19, 800, 3000}};
    return save;
}

TEST(SaveFile, ACareerComesBackWithItsMarketsContractsAndTallies)
{
    const kv::SavedGame saved = CareerSave();
    const std::string bytes = kv::EncodeSave(saved);
    EXPECT_LT(bytes.size(), kv::MostSaveBytes);
    const kv::SaveRead read = kv::DecodeSave(bytes);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    const kv::World& back = read.Game->world;
    kvtest::ExpectSameWorld(saved.world, back);
    EXPECT_EQ(back.Rules, kv::RuleSet::Career);
    ASSERT_NE(back.Career.Markets, nullptr);
    for (std::size_t g = 1; g <= kv::GalaxyCount; ++g)
        for (std::size_t j = 1; j <= (*back.galaxies)[g].StarCount; ++j)
            EXPECT_EQ((*back.Career.Markets)[g][j], (*saved.world.Career.Markets)[g][j]) << g << " " << j;
    EXPECT_EQ(back.Career.CostPaid, saved.world.Career.CostPaid);
    EXPECT_EQ(back.Career.BoughtAt, saved.world.Career.BoughtAt);
    EXPECT_EQ(back.Career.Offers, saved.world.Career.Offers);
    EXPECT_EQ(back.Career.Accepted, saved.world.Career.Accepted);
    EXPECT_EQ(back.Career.Kills, 12u);
    EXPECT_EQ(back.Career.Deliveries, 3u);
    EXPECT_EQ(back.Career.ShipsLost, 1u);
    EXPECT_EQ(back.Career.GalaxiesReached, 0b101);
    EXPECT_EQ(kv::EncodeSave(*read.Game), bytes);

    kv::SavedGame record;
    ASSERT_EQ(kv::DecodeSave(bytes, record).State, SaveState::Good);
    ASSERT_EQ(kv::DecodeSave(kv::EncodeSave(kvtest::PlayedSave(3)), record).State, SaveState::Good);
    EXPECT_EQ(record.world.Rules, kv::RuleSet::Classic) << "a classic file read over a career leaves no career";
    EXPECT_EQ(record.world.Career.Markets, nullptr);
}

TEST(SaveFile, HostileCareerFieldsAreRefused)
{
    const auto refused = [](const kv::SavedGame& save, const char* what) {
        EXPECT_EQ(kv::DecodeSave(kv::EncodeSave(save)).State, SaveState::Damaged) << what;
    };
    kv::SavedGame save = CareerSave();
    save.world.Career.Accepted[0].Star = 200;
    refused(save, "a contract to a star that does not exist");
    save.world.Career.Accepted[0].Star = 4;
    save.world.Career.Accepted[1].Deposit = -1;
    refused(save, "a deposit below zero");
    save.world.Career.Accepted[1].Deposit = 5;
    save.world.Career.Accepted.resize(kv::career::MostContracts + 1);
    refused(save, "more contracts than a pilot can hold");
    save.world.Career.Accepted.resize(2);
    (*save.world.Career.Markets)[2][3].Rows[9].NewsFactor = 0;
    refused(save, "news that zeroes a price");
    (*save.world.Career.Markets)[2][3].Rows[9].NewsFactor = 1;
    (*save.world.Career.Markets)[2][3].Rows[9].GenSell = -4;
    refused(save, "a generated price below zero");
    (*save.world.Career.Markets)[2][3].Rows[9].GenSell = 400;
    (*save.world.Career.Markets)[2][3].Rows[9].GenBuy = 390;
    save.world.Rules = static_cast<kv::RuleSet>(2);
    refused(save, "rules the game does not have");
    save.world.Rules = kv::RuleSet::Career;
    EXPECT_EQ(kv::DecodeSave(kv::EncodeSave(save)).State, SaveState::Good) << "mended, it reads again";
}

}  // namespace
