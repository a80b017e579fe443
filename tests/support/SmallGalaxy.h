// A built HUD over a galaxy laid out by hand: the navigation tests place a
// few stars where the view rules are easy to follow.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/Game.h"
#include "hud/Hud.h"

namespace kv::testing {

class SmallGalaxy : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildHud(game);
        Galaxy().StarCount = 0;
        game.world.Pilot.Star = 1;
        game.ui.SelectedStar = 0;
        game.ui.map = MapView{};
        game.world.Ship.Fuel = 160.0;
        game.world.Ship.Engine.Consumption = 1.0;
    }

    kvGalaxy& Galaxy() { return (*game.world.galaxies)[game.world.Pilot.Galaxy]; }

    // Appends a star named "S" + its number, with no planets.
    kvStar& AddStar(double x, double y, double z)
    {
        kvGalaxy& g = Galaxy();
        ++g.StarCount;
        kvStar& s = g.Stars[g.StarCount];
        s = kvStar{};
        s.Number = g.StarCount;
        s.Name = "S" + std::to_string(s.Number);
        s.X = x;
        s.Y = y;
        s.Z = z;
        s.Size = 8;
        s.SpectralClass = 28;
        s.Government = 3;
        s.TechLevel = 5;
        return s;
    }

    // The map window's pixel as its face now shows it.
    Rgb MapPixel(int x, int y) const { return game.ui.hud.StarMap.Face.Pixel(x, y); }

    Game game;
};

}  // namespace kv::testing
