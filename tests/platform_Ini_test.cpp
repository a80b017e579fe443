// Reading the equipment catalogue files: syntax, lookup and whole numbers.
#include "platform/Ini.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using kv::IniFile;
using kv::ParseIniInteger;

TEST(Ini, SectionsAndKeysMatchWithoutCaseAndTheFirstOccurrenceWins)
{
    const IniFile ini = IniFile::Parse(
        "stray=before any section\n"
        "; a comment=1\n"
        "[General]\r\n"
        "  ItemsCount = 3  \r\n"
        "itemscount=9\n"
        "Name =  \"Sparrow Mk II\" \n"
        "no equals sign here\n"
        "Path=a=b\n"
        "[GENERAL]\n"
        "Other=2\n");
    EXPECT_EQ(ini.ReadInteger("GENERAL", "ITEMSCOUNT", 0), 3);
    EXPECT_EQ(ini.ReadString("general", "name", "x"), "Sparrow Mk II");
    EXPECT_EQ(ini.ReadString("General", "Path", "x"), "a=b");
    EXPECT_EQ(ini.ReadInteger("GENERAL", "Other", 7), 7);  // in the second, ignored section
    EXPECT_EQ(ini.ReadString("", "stray", "none"), "none");
    EXPECT_EQ(ini.ReadString("GENERAL", "; a comment", "none"), "none");
    EXPECT_EQ(ini.ReadString("Missing", "Name", "NONAME"), "NONAME");
}

TEST(Ini, EmptyValuesAndMissingFilesGiveDefaults)
{
    const IniFile ini = IniFile::Parse("[S]\nEmpty=\nName=\n");
    EXPECT_EQ(ini.ReadInteger("S", "Empty", 42), 42);
    EXPECT_EQ(ini.ReadString("S", "Name", "NONAME"), "");
    const IniFile missing = IniFile::Load("Objects\\no such folder\\none.ini");
    EXPECT_EQ(missing.ReadInteger("GENERAL", "ItemsCount", 0), 0);
}

TEST(Ini, WholeNumbersAreDecimalOrHexadecimalWithinThirtyTwoBits)
{
    EXPECT_EQ(ParseIniInteger("70000"), 70000);
    EXPECT_EQ(ParseIniInteger("-12"), -12);
    EXPECT_EQ(ParseIniInteger("+5"), 5);
    EXPECT_EQ(ParseIniInteger("0x1F"), 31);
    EXPECT_EQ(ParseIniInteger("0X1f"), 31);
    EXPECT_EQ(ParseIniInteger("$ff"), 255);
    EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseIniInteger("-$10"), -16);
    EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseIniInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"abc", "", "-", "0x", "$", "12abc", "1 2", "2147483648", "-2147483649", "$100000000",
                            "99999999999999999999999", "1.5", "0x-1"})
        EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << bad;
}

TEST(Ini, JunkAndBinaryNoiseNeverBreakReading)
{
    std::mt19937 noise(7);
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk.push_back(static_cast<char>(noise()));
    junk += "\n[GENERAL]\nItemsCount=2\n[";
    const IniFile ini = IniFile::Parse(junk);
    EXPECT_EQ(ini.ReadInteger("GENERAL", "ItemsCount", 0), 2);
    const IniFile unclosed = IniFile::Parse("[SHIP1\nName=Open\n[]\n=value only\n");
    EXPECT_EQ(unclosed.ReadString("SHIP1", "Name", ""), "Open");
    EXPECT_EQ(unclosed.ReadString("", "", "default"), "value only");
}

}  // namespace
