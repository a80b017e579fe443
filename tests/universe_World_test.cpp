#include "universe/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace {

class WorldTest : public ::testing::Test {
protected:
    const kv::GoodsTable goods = kv::GoodsCatalogue();
    std::unique_ptr<kv::Galaxies> world = std::make_unique<kv::Galaxies>();
};

bool IsVowel(char c)
{
    return std::string_view("euioa").find(c) != std::string_view::npos;
}

void ExpectPlanetName(const std::string& name)
{
    ASSERT_EQ(name.size(), 5u) << name;
    for (std::size_t i = 0; i < name.size(); ++i) {
        ASSERT_TRUE(name[i] >= 'a' && name[i] <= 'z') << name;
        ASSERT_NE(name[i], 'm') << name;
        ASSERT_EQ(IsVowel(name[i]), i % 2 == 1) << name;
    }
}

void ExpectStarName(const kv::kvStar& star, std::size_t j)
{
    const std::string& name = star.Name;
    ASSERT_GE(name.size(), 4u) << name;
    ASSERT_TRUE(name[0] >= 'A' && name[0] <= 'Y') << name;
    ASSERT_TRUE(name[1] >= 'A' && name[1] <= 'Y') << name;
    ASSERT_EQ(name.substr(2), "-" + std::to_string(j));
}

void ExpectPlanet(const kv::kvPlanet& planet, std::size_t p)
{
    ExpectPlanetName(planet.Name);
    ASSERT_GE(planet.OrbitRadius, 9.0 * static_cast<double>(p));
    ASSERT_LE(planet.OrbitRadius, 9.0 * static_cast<double>(p) + 9.0);
    ASSERT_GE(planet.OrbitSpeed, 0.1);
    ASSERT_LT(planet.OrbitSpeed, 1.1);
    ASSERT_GE(planet.Radius, 0.0);
    ASSERT_LT(planet.Radius, 3.0);
    ASSERT_GE(planet.OrbitTilt, -0.5);
    ASSERT_LT(planet.OrbitTilt, 0.5);
}

void ExpectMarket(const kv::kvStar& star, const kv::GoodsTable& goods)
{
    const double t = star.TechLevel;
    for (std::size_t k = 1; k <= kv::GoodsCount; ++k) {
        const kv::PriceListItem& row = star.PriceList[k];
        const double base = goods[k].BasePrice;
        ASSERT_GE(row.BuyPrice, std::floor((1 - 0.05 * t) * base));
        ASSERT_LE(row.BuyPrice, std::ceil((1.24 - 0.05 * t) * base));
        ASSERT_GE(row.SellPrice, row.BuyPrice);
        ASSERT_LE(row.Quantity, 5000);
        ASSERT_GE(row.Quantity, 7);
    }
}

void ExpectStar(const kv::kvGalaxy& galaxy, std::size_t j, const kv::GoodsTable& goods)
{
    const kv::kvStar& star = galaxy.Stars[j];
    ASSERT_EQ(star.Number, j);
    ASSERT_GE(star.TechLevel, 1);
    ASSERT_LE(star.TechLevel, 10);
    ASSERT_GE(star.SpectralClass, 1);
    ASSERT_LE(star.SpectralClass, 69);  // never "O0"
    ASSERT_GE(star.Size, 5);
    ASSERT_LE(star.Size, 12);
    ASSERT_LE(star.Government, 4);
    const double r = std::hypot(star.X, star.Y);
    ASSERT_GE(r, 60.2);  // 61..132 before x and y are rounded
    ASSERT_LE(r, 132.8);
    ASSERT_GE(star.Z, -39.0);
    ASSERT_LE(star.Z, 40.0);
    ASSERT_EQ(star.X, std::trunc(star.X));
    ASSERT_EQ(star.Y, std::trunc(star.Y));
    for (std::size_t i = 1; i < j; ++i) {
        const kv::kvStar& other = galaxy.Stars[i];
        const double d = std::sqrt(std::pow(star.X - other.X, 2) + std::pow(star.Y - other.Y, 2) +
                                   std::pow(star.Z - other.Z, 2));
        ASSERT_GE(d, 30.0) << "stars " << i << " and " << j;
    }
    ExpectMarket(star, goods);
}

void ExpectGeneratedStar(const kv::kvStar& star, std::size_t j)
{
    ExpectStarName(star, j);
    ASSERT_GE(star.Marker, 1);
    ASSERT_LE(star.Marker, 20);
    ASSERT_GE(star.PlanetCount, 1);
    ASSERT_LE(star.PlanetCount, 5);
    for (std::size_t p = 1; p <= star.PlanetCount; ++p) ExpectPlanet(star.Planets[p], p);
}

void ExpectSun(const kv::kvStar& sun)
{
    EXPECT_EQ(sun.Name, "Sun");
    EXPECT_EQ(kv::SpectralClassNames()[sun.SpectralClass], "G2");
    EXPECT_EQ(kv::GovernmentNames[sun.Government], "Democracy");
    EXPECT_EQ(sun.Marker, 99);
    ASSERT_EQ(sun.PlanetCount, 6);
    const char* names[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn"};
    for (std::size_t p = 1; p <= 6; ++p) EXPECT_EQ(sun.Planets[p].Name, names[p - 1]);
    EXPECT_EQ(sun.Planets[3].Radius, 0.28);
    EXPECT_EQ(sun.Planets[3].OrbitRadius, 19.0);
    EXPECT_EQ(sun.Planets[6].OrbitSpeed, 0.2);
    EXPECT_EQ(sun.Planets[6].OrbitTilt, -0.078);
}

TEST(WorldNames, SpectralClassesRunFromM9ToO0)
{
    const kv::SpectralClassTable& names = kv::SpectralClassNames();
    EXPECT_EQ(names[1], "M9");
    EXPECT_EQ(names[10], "M0");
    EXPECT_EQ(names[11], "K9");
    EXPECT_EQ(names[28], "G2");
    EXPECT_EQ(names[61], "O9");
    EXPECT_EQ(names[70], "O0");
    EXPECT_EQ(kv::GovernmentNames[0], "Anarchy");
    EXPECT_EQ(kv::GovernmentNames[4], "Democracy");
}

TEST_F(WorldTest, EveryGeneratedWorldKeepsTheRules)
{
    for (uint32_t seed : {0u, 1u, 42u, 99991u, 0x80000000u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(seed);
        kv::Random random(seed);
        kv::GenerateGalaxies(*world, goods, random);
        for (std::size_t g = 1; g <= kv::GalaxyCount; ++g) {
            const kv::kvGalaxy& galaxy = (*world)[g];
            ASSERT_GE(galaxy.StarCount, 15);
            ASSERT_LE(galaxy.StarCount, 49);
            for (double extra : galaxy.Extras) {
                ASSERT_GE(extra, 0.0);
                ASSERT_LE(extra, 199.0);
            }
            for (std::size_t j = 1; j <= galaxy.StarCount; ++j) {
                ExpectStar(galaxy, j, goods);
                if (g != 1 || j != 1) ExpectGeneratedStar(galaxy.Stars[j], j);
            }
        }
        ExpectSun((*world)[1].Stars[1]);
    }
}

// The bounds test above would pass with draws that never reach the ends of
// their ranges; over many worlds every end must be reached.
TEST_F(WorldTest, DrawsReachBothEndsOfEveryRange)
{
    std::string letters, consonants;
    uint8_t lowClass = 255, highClass = 0, lowTech = 255, highTech = 0, lowSize = 255, highSize = 0;
    uint8_t lowGovernment = 255, highGovernment = 0, lowPlanets = 255, highPlanets = 0;
    uint8_t lowStars = 255, highStars = 0;
    kv::Random random(77);
    for (int w = 0; w < 20; ++w) {
        kv::GenerateGalaxies(*world, goods, random);
        for (std::size_t g = 2; g <= kv::GalaxyCount; ++g) {
            const kv::kvGalaxy& galaxy = (*world)[g];
            lowStars = std::min(lowStars, galaxy.StarCount);
            highStars = std::max(highStars, galaxy.StarCount);
            for (std::size_t j = 1; j <= galaxy.StarCount; ++j) {
                const kv::kvStar& star = galaxy.Stars[j];
                letters += star.Name.substr(0, 2);
                lowClass = std::min(lowClass, star.SpectralClass);
                highClass = std::max(highClass, star.SpectralClass);
                lowTech = std::min(lowTech, star.TechLevel);
                highTech = std::max(highTech, star.TechLevel);
                lowSize = std::min(lowSize, star.Size);
                highSize = std::max(highSize, star.Size);
                lowGovernment = std::min(lowGovernment, star.Government);
                highGovernment = std::max(highGovernment, star.Government);
                lowPlanets = std::min(lowPlanets, star.PlanetCount);
                highPlanets = std::max(highPlanets, star.PlanetCount);
                for (std::size_t p = 1; p <= star.PlanetCount; ++p) consonants += star.Planets[p].Name.substr(0, 1);
            }
        }
    }
    EXPECT_NE(letters.find('A'), std::string::npos);
    EXPECT_NE(letters.find('Y'), std::string::npos);
    EXPECT_EQ(letters.find('Z'), std::string::npos);
    EXPECT_NE(consonants.find('q'), std::string::npos);
    EXPECT_NE(consonants.find('n'), std::string::npos);
    EXPECT_EQ(consonants.find('m'), std::string::npos);
    EXPECT_EQ(lowStars, 15);
    EXPECT_EQ(highStars, 49);
    EXPECT_EQ(lowClass, 1);
    EXPECT_EQ(highClass, 69);
    EXPECT_EQ(lowTech, 1);
    EXPECT_EQ(highTech, 10);
    EXPECT_EQ(lowSize, 5);
    EXPECT_EQ(highSize, 12);
    EXPECT_EQ(lowGovernment, 0);
    EXPECT_EQ(highGovernment, 4);
    EXPECT_EQ(lowPlanets, 1);
    EXPECT_EQ(highPlanets, 5);
}

TEST_F(WorldTest, TheSunKeepsItsGeneratedPlaceAndMarket)
{
    kv::Random random(2024);
    kv::Random replay(2024);
    kv::GenerateGalaxies(*world, goods, random);
    const kv::kvStar& sun = (*world)[1].Stars[1];
    EXPECT_EQ((*world)[1].StarCount, replay.Next(35) + 15);
    const uint32_t angle = replay.Next(360);
    const uint32_t d = replay.Next(65) + 135;
    const double r = std::nearbyint(d * d / 300.0);
    EXPECT_NEAR(sun.X, std::nearbyint(std::cos(angle * std::numbers::pi / 180) * r), 1.0);
    EXPECT_NEAR(sun.Y, std::nearbyint(std::sin(angle * std::numbers::pi / 180) * r), 1.0);
    EXPECT_EQ(sun.Z, static_cast<double>(replay.Next(80)) - 39.0);
    for (int i = 0; i < 5; ++i) replay.Next(25);  // letters, planets, marker, class
    EXPECT_EQ(sun.TechLevel, replay.Next(10) + 1);
    EXPECT_EQ(sun.Size, replay.Next(8) + 5);
    replay.Next(5);  // government, replaced by Democracy
    const uint32_t r1 = replay.Next(25);
    EXPECT_EQ(sun.PriceList[1].BuyPrice, kv::MarketBuyPrice(500.0, sun.TechLevel, r1));
    ExpectSun(sun);
}

TEST_F(WorldTest, ANewWorldOverwritesTheOldOne)
{
    kv::Random random(5);
    kv::GenerateGalaxies(*world, goods, random);
    const auto first = std::make_unique<kv::Galaxies>(*world);
    (*world)[1].Stars[1].Planets[2].Name = "stale";
    (*world)[1].Stars[1].PlanetCount = 1;
    kv::GenerateGalaxies(*world, goods, random);
    ExpectSun((*world)[1].Stars[1]);
    int differences = 0;
    for (std::size_t g = 1; g <= kv::GalaxyCount; ++g) {
        const kv::kvGalaxy& a = (*first)[g];
        const kv::kvGalaxy& b = (*world)[g];
        if (a.StarCount != b.StarCount) ++differences;
        const std::size_t n = std::min(a.StarCount, b.StarCount);
        for (std::size_t j = 2; j <= n; ++j) {
            if (a.Stars[j].Name != b.Stars[j].Name) ++differences;
            if (a.Stars[j].X != b.Stars[j].X) ++differences;
        }
    }
    EXPECT_GT(differences, 100);
}

}  // namespace
