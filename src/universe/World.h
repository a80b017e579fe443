// The universe: ten galaxies of 15 to 49 star systems, each with planets and
// a market, generated afresh for every new world. Star 1 of galaxy 1 is
// always the home system, the Sun with its six planets from Mercury to
// Saturn, where every pilot starts.
//
// The World record holds everything a new game (or a loaded save) replaces:
// the galaxies, the pilot, the pilot's ship, the goods and equipment
// catalogues, the difficulty and the one random generator. It is plain data
// with no part of the interface in it, so the rules can run, and tests can
// make a world, without a window.
//
// Positions and lengths are in map units (one pixel of the star map at zoom
// 1); the galactic plane is z = 0. All tables count from 1, except the
// governments, which count from 0.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/OneBased.h"
#include "base/Random.h"
#include "universe/Career.h"
#include "universe/Player.h"
#include "universe/SpaceCraft.h"
#include "universe/Wares.h"

namespace kv {

struct kvPlanet {
    std::string Name;          // five lower-case letters: consonant, vowel, consonant, vowel, consonant
    double Radius = 0.0;       // drawn sphere at zoom 1
    double OrbitRadius = 0.0;  // from the star's surface: the drawn ring is the star's Size plus this
    double OrbitSpeed = 0.0;   // radians of orbit angle per day of game date
    double OrbitTilt = 0.0;    // added to the map's spin when the ring is drawn
};

constexpr std::size_t MaxPlanets = 10;
constexpr std::size_t MaxStars = 256;
constexpr std::size_t GalaxyCount = 10;

struct kvStar {
    std::string Name;            // two capitals A..Y, a hyphen and the star's number: "KQ-7"
    uint8_t Government = 0;      // 0..4, index into GovernmentNames
    uint8_t TechLevel = 0;       // 1..10: drives prices and stock
    uint8_t SpectralClass = 0;   // 1..70, index into SpectralClassNames; generation gives 1..69
    uint8_t PlanetCount = 0;     // valid entries of Planets: 1..5, the Sun 6
    OneBased<kvPlanet, MaxPlanets> Planets;
    double X = 0.0, Y = 0.0, Z = 0.0;
    uint8_t Number = 0;          // the star's own index in its galaxy
    uint8_t Marker = 0;          // 1..20 at generation, 99 for the Sun; no rule reads it
    uint8_t Size = 0;            // 5..12, the drawn radius
    PriceTable PriceList;        // the market: row k is catalogue goods k
};

struct kvGalaxy {
    std::string Name;       // never filled
    uint8_t StarCount = 0;  // 15..49; entries of Stars beyond it are stale
    OneBased<kvStar, MaxStars> Stars;
    std::array<double, 3> Extras{};  // whole numbers 0..199 that no rule reads
};

// The whole universe, overwritten in place by each new world. It is large
// (a few megabytes): hold it in long-lived storage, not on the stack.
using Galaxies = OneBased<kvGalaxy, GalaxyCount>;

constexpr std::array<std::string_view, 5> GovernmentNames{
    "Anarchy", "Monarchy", "Communism", "Republic", "Democracy"};

// "M9" .. "M0", "K9" .. "K0", and on through G, F, A, B to "O0": index i has
// the letter (i - 1) div 10 of MKGFABO and the digit 9 - (i - 1) mod 10.
constexpr std::size_t SpectralClassCount = 70;
using SpectralClassTable = OneBased<std::string_view, SpectralClassCount>;
const SpectralClassTable& SpectralClassNames();

// Fills every galaxy that the game reads (star counts, stars, planets, names,
// prices and stock) with fresh draws from the given generator, then installs
// the Sun as star 1 of galaxy 1. Fields beyond the new counts keep their old
// values. The caller resets the star map's axis cross.
void GenerateGalaxies(Galaxies& galaxies, const GoodsTable& goods, Random& random);

static_assert(CareerGalaxyCount == GalaxyCount);

// Which rules a game is played by: the classic ones, or the career's
// (universe/Career.h). Chosen per new game and kept in the save.
enum class RuleSet : uint8_t { Classic = 0, Career = 1 };

struct World {
    // The galaxies are a few megabytes, so they live on the heap.
    std::unique_ptr<Galaxies> galaxies = std::make_unique<Galaxies>();
    kvPlayer Pilot;
    // The player's ship.
    kvShip Ship;
    // The catalogues, read once when the HUD is built.
    GoodsTable Goods;
    ShipCatalogue Equipment;
    uint8_t Difficulty = 1;  // 1 easy, 2 normal, 3 hardcore
    // Every draw of the game comes from here.
    Random random;
    RuleSet Rules = RuleSet::Classic;
    // The career's state; left empty in a classic game.
    CareerState Career;
};

// Fills the goods and equipment catalogues, once, before the first world.
void LoadCatalogues(World& world);

// A new world played by the classic rules: InitPlayer, then fresh galaxies.
// StartCareer (universe/Career.h) makes it a career.
void StartWorld(World& world);

}  // namespace kv
