// The equipment catalogues as read from the game folder's INI files.
#include "universe/SpaceCraft.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// A game folder of its own with the catalogue files a test writes, entered
// as the working directory for the test and left afterwards.
class CatalogueFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        home_ = fs::current_path();
        folder_ = fs::path(::testing::TempDir()) / "kvspace_catalogue";
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "Objects" / "Spacecraft");
        fs::current_path(folder_);
    }
    void TearDown() override { fs::current_path(home_); }
    void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder_ / "Objects" / "Spacecraft" / name, std::ios::binary) << text;
    }

    kv::ShipCatalogue c;

private:
    fs::path home_, folder_;
};

TEST_F(CatalogueFiles, MissingFilesGiveEmptyCatalogues)
{
    kv::LoadShipCatalogue(c);
    EXPECT_EQ(c.HullCount, 0);
    EXPECT_EQ(c.EngineCount, 0);
    EXPECT_EQ(c.WeaponCount, 0);
    EXPECT_EQ(c.HullCatalogue[1].Name, "");
}

TEST_F(CatalogueFiles, EntriesBeyondTheCountAreIgnoredAndBadValuesTakeDefaults)
{
    Write("ships.ini",
          "[GENERAL]\nItemsCount=2\n"
          "[SHIP1]\nName=Sparrow\nMass=abc\nPrice=70000\n"
          "[SHIP2]\nname=Viper\nHP=0x200\n"
          "[SHIP3]\nName=Hidden\n");
    Write("engines.ini", "[general]\nitemscount=$1\n[engine1]\nMass=abc\nConsumption=2\n");
    Write("Weapon.ini", "[GENERAL]\nItemsCount=1\n[WEAPON1]\ntype=300\nReload=-1\nSpeed=12\n");
    kv::LoadShipCatalogue(c);

    ASSERT_EQ(c.HullCount, 2);
    EXPECT_EQ(c.HullCatalogue[1].Mass, 150);
    EXPECT_EQ(c.HullCatalogue[1].Price, 4464);
    EXPECT_EQ(c.HullCatalogue[1].Volume, 500);
    EXPECT_EQ(c.HullCatalogue[2].Name, "Viper");
    EXPECT_EQ(c.HullCatalogue[2].HP, 512);
    EXPECT_EQ(c.HullCatalogue[3].Name, "");

    ASSERT_EQ(c.EngineCount, 1);
    EXPECT_EQ(c.EngineCatalogue[1].Name, "NONAME");
    EXPECT_EQ(c.EngineCatalogue[1].Mass, 10.0);
    EXPECT_EQ(c.EngineCatalogue[1].Consumption, 2.0);
    EXPECT_EQ(c.EngineCatalogue[1].MaxSpeed, 10.0);

    ASSERT_EQ(c.WeaponCount, 1);
    EXPECT_EQ(c.WeaponCatalogue[1].WeaponType, 44);  // 300 kept in 8 bits
    EXPECT_EQ(c.WeaponCatalogue[1].Reload, -1);
    EXPECT_EQ(c.WeaponCatalogue[1].Speed, 12.0);
    EXPECT_EQ(c.WeaponCatalogue[1].Damage, 10);
    EXPECT_EQ(c.WeaponCatalogue[1].ReloadCounter, 0);
}

TEST_F(CatalogueFiles, CountsAreKeptInEightBitsAndCutToTheRoomOfTen)
{
    Write("ships.ini", "[GENERAL]\nItemsCount=12\n[SHIP10]\nName=Last\n[SHIP11]\nName=Beyond\n");
    Write("engines.ini", "[GENERAL]\nItemsCount=258\n");
    Write("Weapon.ini", "[GENERAL]\nItemsCount=-1\n");
    kv::LoadShipCatalogue(c);
    EXPECT_EQ(c.HullCount, 10);
    EXPECT_EQ(c.HullCatalogue[10].Name, "Last");
    EXPECT_EQ(c.EngineCount, 2);
    EXPECT_EQ(c.WeaponCount, 10);
    EXPECT_EQ(c.WeaponCatalogue[10].Name, "NONAME");
}

TEST(GameCatalogue, TheShippedFilesFillEveryEntryTheyAnnounce)
{
    kv::ShipCatalogue c;
    kv::LoadShipCatalogue(c);  // the tests run in the game folder
    ASSERT_EQ(c.HullCount, 5);
    ASSERT_EQ(c.EngineCount, 3);
    ASSERT_EQ(c.WeaponCount, 4);
    for (std::size_t i = 1; i <= c.HullCount; ++i) {
        EXPECT_NE(c.HullCatalogue[i].Name, "NONAME");
        EXPECT_TRUE(std::filesystem::exists("res/gfx/models/" + c.HullCatalogue[i].Name + "_g.bmp"));
    }
    EXPECT_EQ(c.EngineCatalogue[1].Consumption, 1.0);
    EXPECT_EQ(c.WeaponCatalogue[1].Name, "Laser");
}

TEST(FitShip, CopiesTheChosenPartsAndLeavesTheRestOfTheShip)
{
    kv::ShipCatalogue c;
    c.HullCatalogue[3].Name = "Barge";
    c.EngineCatalogue[2].Name = "Ion";
    c.WeaponCatalogue[4].Name = "Plasma";
    c.WeaponCatalogue[4].ReloadCounter = 7;
    kv::kvShip ship;
    ship.Fuel = 12.5;
    ship.Weapons[2].Name = "Spare";
    ship.Weapons[1].ReloadCounter = 30;

    kv::FitShip(ship, c, {.Hull = 3, .Engine = 2, .Weapon = 4});

    EXPECT_EQ(ship.Hull, c.HullCatalogue[3]);
    EXPECT_EQ(ship.Engine, c.EngineCatalogue[2]);
    EXPECT_EQ(ship.Weapons[1], c.WeaponCatalogue[4]);
    EXPECT_EQ(ship.Weapons[2].Name, "Spare");
    EXPECT_EQ(ship.Fuel, 12.5);
    EXPECT_EQ(ship.WeaponSlot, 0);
}

}  // namespace
