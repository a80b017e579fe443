// Saved games as bytes: a world after trades and jumps comes back field by
// field, and every bad form of a file is refused with a reason, never read
// into a half-filled record.
#include "game/SaveFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "SaveTestWorld.h"

namespace {

using kv::SaveState;

void ExpectSameStar(const kv::kvStar& a, const kv::kvStar& b)
{
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Government, b.Government);
    EXPECT_EQ(a.TechLevel, b.TechLevel);
    EXPECT_EQ(a.SpectralClass, b.SpectralClass);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.Y, b.Y);
    EXPECT_EQ(a.Z, b.Z);
    EXPECT_EQ(a.Number, b.Number);
    EXPECT_EQ(a.Marker, b.Marker);
    EXPECT_EQ(a.Size, b.Size);
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) {
        EXPECT_EQ(a.PriceList[k].Quantity, b.PriceList[k].Quantity);
        EXPECT_EQ(a.PriceList[k].SellPrice, b.PriceList[k].SellPrice);
        EXPECT_EQ(a.PriceList[k].BuyPrice, b.PriceList[k].BuyPrice);
    }
    ASSERT_EQ(a.PlanetCount, b.PlanetCount);
    for (std::size_t p = 1; p <= a.PlanetCount; ++p) {
        EXPECT_EQ(a.Planets[p].Name, b.Planets[p].Name);
        EXPECT_EQ(a.Planets[p].Radius, b.Planets[p].Radius);
        EXPECT_EQ(a.Planets[p].OrbitRadius, b.Planets[p].OrbitRadius);
        EXPECT_EQ(a.Planets[p].OrbitSpeed, b.Planets[p].OrbitSpeed);
        EXPECT_EQ(a.Planets[p].OrbitTilt, b.Planets[p].OrbitTilt);
    }
}

TEST(SaveFile, AWorldAfterTradesAndJumpsComesBackFieldByField)
{
    const kv::SavedGame saved = kvtest::PlayedSave(7);
    const std::string bytes = kv::EncodeSave(saved);
    EXPECT_LT(bytes.size(), 300u * 1024) << "ten galaxies whole stay far below a megabyte";
    const kv::SaveRead read = kv::DecodeSave(bytes);
    ASSERT_EQ(read.State, SaveState::Good) << read.Problem;
    const kv::SavedGame& back = *read.Game;

    const kv::kvPlayer& a = saved.Pilot;
    const kv::kvPlayer& b = back.Pilot;
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Avatar, b.Avatar);
    EXPECT_EQ(a.Cash, b.Cash);
    EXPECT_EQ(a.TradeRank, b.TradeRank);
    EXPECT_EQ(a.CombatRank, b.CombatRank);
    EXPECT_EQ(a.GameDate, b.GameDate);
    EXPECT_EQ(a.Galaxy, b.Galaxy);
    EXPECT_EQ(a.Star, b.Star);
    EXPECT_EQ(a.Reserved, b.Reserved);
    EXPECT_EQ(a.Score, b.Score);
    EXPECT_EQ(a.Class, b.Class);
    EXPECT_EQ(a.TradePoints, b.TradePoints) << "extended points survive exactly";
    EXPECT_EQ(a.CombatPoints, b.CombatPoints);
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) EXPECT_EQ(a.Cargo[k].Quantity, b.Cargo[k].Quantity);
    EXPECT_EQ(saved.Difficulty, back.Difficulty);
    EXPECT_EQ(saved.Fuel, back.Fuel);
    EXPECT_EQ(saved.HullChoice, back.HullChoice);
    EXPECT_EQ(saved.EngineChoice, back.EngineChoice);
    EXPECT_EQ(saved.WeaponChoice, back.WeaponChoice);
    EXPECT_EQ(saved.SelectedStar, back.SelectedStar);
    EXPECT_EQ(saved.MapLevel, back.MapLevel);
    EXPECT_EQ(saved.SavedAt, back.SavedAt);
    for (std::size_t g = 1; g <= kv::GalaxyCount; ++g) {
        const kv::kvGalaxy& ga = (*saved.galaxies)[g];
        const kv::kvGalaxy& gb = (*back.galaxies)[g];
        EXPECT_EQ(ga.Name, gb.Name);
        EXPECT_EQ(ga.Extras, gb.Extras);
        ASSERT_EQ(ga.StarCount, gb.StarCount);
        for (std::size_t j = 1; j <= ga.StarCount; ++j) ExpectSameStar(ga.Stars[j], gb.Stars[j]);
    }
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
    const std::size_t nameLength = kvtest::PlayedSave(3).Pilot.Name.size();
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
    const uint8_t stars = (*base.galaxies)[1].StarCount;
    base.Pilot.Star = static_cast<uint8_t>(stars + 1);
    refused(base, "the pilot beyond the last star");
    base.Pilot.Star = 1;
    base.SelectedStar = static_cast<uint8_t>(stars + 1);
    refused(base, "a selected star beyond the last");
    base.SelectedStar = 0;
    const uint8_t fourth = (*base.galaxies)[4].StarCount;
    (*base.galaxies)[4].StarCount = 200;
    refused(base, "200 stars in a galaxy");
    (*base.galaxies)[4].StarCount = fourth;
    (*base.galaxies)[4].Stars[3].PlanetCount = 0;
    refused(base, "a star without planets");
    (*base.galaxies)[4].Stars[3].PlanetCount = 2;
    (*base.galaxies)[4].Stars[3].SpectralClass = 71;
    refused(base, "a spectral class without a name");
    (*base.galaxies)[4].Stars[3].SpectralClass = 3;
    (*base.galaxies)[4].Stars[3].Government = 5;
    refused(base, "a government without a name");
    (*base.galaxies)[4].Stars[3].Government = 1;
    (*base.galaxies)[2].Stars[1].X = std::numeric_limits<double>::quiet_NaN();
    refused(base, "a star at no number");
    (*base.galaxies)[2].Stars[1].X = 10;
    base.Pilot.TradePoints = -1;
    refused(base, "points below zero");
    base.Pilot.TradePoints = 5;
    base.HullChoice = 0;
    refused(base, "hull 0");
    base.HullChoice = 1;
    EXPECT_EQ(kv::DecodeSave(kv::EncodeSave(base)).State, SaveState::Good) << "mended, it reads again";
}

}  // namespace
