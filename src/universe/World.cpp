#include "universe/World.h"

#include <cmath>
#include <numbers>

namespace kv {

namespace {

constexpr std::string_view SpectralLetters = "MKGFABO";

constexpr std::array<char, 2 * SpectralClassCount> SpectralText = [] {
    std::array<char, 2 * SpectralClassCount> text{};
    for (std::size_t i = 0; i < SpectralClassCount; ++i) {
        text[2 * i] = SpectralLetters[i / 10];
        text[2 * i + 1] = static_cast<char>('9' - i % 10);
    }
    return text;
}();

SpectralClassTable MakeSpectralClassNames()
{
    SpectralClassTable names;
    for (std::size_t i = 1; i <= SpectralClassCount; ++i) {
        names[i] = std::string_view(SpectralText.data() + 2 * (i - 1), 2);
    }
    return names;
}

// Only the first twenty consonants are ever drawn, so 'm' never appears.
constexpr std::string_view Consonants = "qwrtypsdfghjklzxcvbnm";
constexpr std::string_view Vowels = "euioa";
constexpr double MinStarDistance = 30.0;

struct Position {
    double X, Y, Z;
};

// A point of the flattened disc: 61..132 from the axis, -39..40 off the plane.
Position DrawPosition(Random& random)
{
    const long double angle = random.Next(360) * std::numbers::pi_v<long double> / 180.0L;
    const uint32_t d = random.Next(65) + 135;
    const long double r = static_cast<long double>(NearestExtended(static_cast<long double>(d * d) / 300.0L));
    const double x = static_cast<double>(NearestExtended(std::cos(angle) * r));
    const double y = static_cast<double>(NearestExtended(std::sin(angle) * r));
    const double z = static_cast<double>(static_cast<int32_t>(random.Next(80)) - 39);
    return {x, y, z};
}

bool TooClose(const kvGalaxy& galaxy, std::size_t count, const Position& p)
{
    for (std::size_t i = 1; i <= count; ++i) {
        const kvStar& other = galaxy.Stars[i];
        const double dx = other.X - p.X, dy = other.Y - p.Y, dz = other.Z - p.Z;
        if (dx * dx + dy * dy + dz * dz < MinStarDistance * MinStarDistance) return true;
    }
    return false;
}

// Draws candidates until one is at least 30 from every earlier star. The
// disc has room for far more than 49 stars, so this ends after a few tries.
void PlaceStar(kvGalaxy& galaxy, std::size_t j, Random& random)
{
    Position p = DrawPosition(random);
    while (TooClose(galaxy, j - 1, p)) p = DrawPosition(random);
    kvStar& star = galaxy.Stars[j];
    star.X = p.X;
    star.Y = p.Y;
    star.Z = p.Z;
}

char StarLetter(Random& random)
{
    return static_cast<char>('A' + random.Next(25));
}

std::string StarName(std::size_t j, Random& random)
{
    const char first = StarLetter(random);
    const char second = StarLetter(random);
    return std::string{first, second} + "-" + std::to_string(j);
}

std::string PlanetName(Random& random)
{
    std::string name(5, ' ');
    for (std::size_t i = 0; i < name.size(); ++i) {
        name[i] = i % 2 == 0 ? Consonants[random.Next(20)] : Vowels[random.Next(5)];
    }
    return name;
}

void GeneratePlanet(kvPlanet& planet, std::size_t p, Random& random)
{
    planet.Name = PlanetName(random);
    planet.OrbitRadius = static_cast<double>(random.Next(10) + 9 * p);
    planet.OrbitSpeed = random.NextReal() + 0.1;
    const double a = random.NextReal();
    const double b = random.NextReal();
    const double c = random.NextReal();
    planet.Radius = a + b + c;
    planet.OrbitTilt = random.NextReal() - 0.5;
}

uint8_t Draw8(Random& random, uint32_t n, uint32_t offset)
{
    return static_cast<uint8_t>(random.Next(n) + offset);
}

void GenerateStar(kvGalaxy& galaxy, std::size_t j, const GoodsTable& goods, Random& random)
{
    kvStar& star = galaxy.Stars[j];
    star.Number = static_cast<uint8_t>(j);
    PlaceStar(galaxy, j, random);
    star.Name = StarName(j, random);
    star.PlanetCount = Draw8(random, 5, 1);
    star.Marker = Draw8(random, 20, 1);
    star.SpectralClass = Draw8(random, 69, 1);
    star.TechLevel = Draw8(random, 10, 1);
    star.Size = Draw8(random, 8, 5);
    star.Government = Draw8(random, 5, 0);
    for (std::size_t k = 1; k <= GoodsCount; ++k) {
        GenerateMarketRow(star.PriceList[k], goods[k], star.TechLevel, random);
    }
    for (std::size_t p = 1; p <= star.PlanetCount; ++p) GeneratePlanet(star.Planets[p], p, random);
    for (double& extra : galaxy.Extras) extra = random.Next(200);
}

void GenerateGalaxy(kvGalaxy& galaxy, const GoodsTable& goods, Random& random)
{
    galaxy.StarCount = Draw8(random, 35, 15);
    for (std::size_t j = 1; j <= galaxy.StarCount; ++j) GenerateStar(galaxy, j, goods, random);
}

// The home system keeps its generated place, number, tech level, size and
// market; everything else is the Sun's own.
void InstallSun(kvStar& sun)
{
    sun.Name = "Sun";
    sun.PlanetCount = 6;
    sun.Marker = 99;
    sun.SpectralClass = 28;  // G2
    sun.Government = 4;      // Democracy
    sun.Planets[1] = {"Mercury", 0.1, 10.0, 1.1, 0.0};
    sun.Planets[2] = {"Venus", 0.3, 14.0, 0.8, 0.057};
    sun.Planets[3] = {"Earth", 0.28, 19.0, 0.7, -0.02};
    sun.Planets[4] = {"Mars", 0.23, 24.0, 0.64, 0.06};
    sun.Planets[5] = {"Jupiter", 1.0, 37.0, 0.3, 0.09};
    sun.Planets[6] = {"Saturn", 1.4, 42.0, 0.2, -0.078};
}

}  // namespace

const SpectralClassTable& SpectralClassNames()
{
    static const SpectralClassTable names = MakeSpectralClassNames();
    return names;
}

void GenerateGalaxies(Galaxies& galaxies, const GoodsTable& goods, Random& random)
{
    for (kvGalaxy& galaxy : galaxies) GenerateGalaxy(galaxy, goods, random);
    InstallSun(galaxies[1].Stars[1]);
}

void LoadCatalogues(World& world)
{
    world.Goods = GoodsCatalogue();
    LoadShipCatalogue(world.Equipment);
}

void StartWorld(World& world)
{
    world.Rules = RuleSet::Classic;
    world.Career = CareerState{};
    InitPlayer(world);
    GenerateGalaxies(*world.galaxies, world.Goods, world.random);
}

}  // namespace kv
