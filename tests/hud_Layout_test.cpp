// The HUD's layout tables, walked whole: every item lies on its window, no
// two items of a window overlap, and every picture they name is in the
// game's data at the size the table gives it.
#include "hud/Layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/BmpFile.h"
#include "platform/DataPath.h"

namespace {

using kv::Box;
using kv::ItemLayout;
using kv::WindowLayout;

std::string Where(const WindowLayout& window, const ItemLayout& item)
{
    return std::string(window.Name) + "." + std::string(item.Name);
}

bool Overlap(const Box& a, const Box& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// The picture's size, or (-1, -1) when it cannot be loaded; the failure is
// reported against `who`.
std::pair<int, int> PictureSize(std::string_view picture, const std::string& who)
{
    if (!kv::DataFileExists(std::string(picture))) {
        ADD_FAILURE() << who << ": no picture " << picture << " in the game's data";
        return {-1, -1};
    }
    kv::Bitmap bitmap;
    kv::LoadBmp(std::string(picture), bitmap);
    return {bitmap.Width(), bitmap.Height()};
}

TEST(HudLayout, ItemsLieInsideTheirWindowsAndApartFromEachOther)
{
    for (const WindowLayout* window : kv::EveryWindowLayout()) {
        std::set<std::string_view> names;
        for (const ItemLayout& item : window->Items) {
            const Box& r = item.Rect;
            EXPECT_TRUE(names.insert(item.Name).second) << Where(*window, item) << " is named twice";
            EXPECT_LT(r.Left, r.Right) << Where(*window, item);
            EXPECT_LT(r.Top, r.Bottom) << Where(*window, item);
            EXPECT_GE(r.Left, 0) << Where(*window, item);
            EXPECT_GE(r.Top, 0) << Where(*window, item);
            EXPECT_LE(r.Right, window->Width) << Where(*window, item);
            EXPECT_LE(r.Bottom, window->Height) << Where(*window, item);
        }
        for (std::size_t i = 0; i < window->Items.size(); ++i)
            for (std::size_t j = i + 1; j < window->Items.size(); ++j)
                EXPECT_FALSE(Overlap(window->Items[i].Rect, window->Items[j].Rect))
                    << Where(*window, window->Items[i]) << " overlaps " << window->Items[j].Name;
    }
}

TEST(HudLayout, EveryPictureIsInTheDataAtItsSize)
{
    for (const WindowLayout* window : kv::EveryWindowLayout()) {
        if (!window->Face.empty()) {
            EXPECT_EQ(PictureSize(window->Face, std::string(window->Name)),
                      std::make_pair(int{window->Width}, int{window->Height}))
                << window->Name << "'s face " << window->Face;
        }
        for (const ItemLayout& item : window->Items) {
            const Box& r = item.Rect;
            EXPECT_EQ(PictureSize(item.Picture, Where(*window, item)),
                      std::make_pair(r.Right - r.Left, r.Bottom - r.Top))
                << Where(*window, item) << "'s picture " << item.Picture;
        }
    }
}

// Every item of a window that is out lies on the 800 x 600 frame, where it
// can be clicked. The windows themselves may reach past the edge: the
// console rests with its last 5 rows below it.
TEST(HudLayout, ItemsStandOnTheScreenWhenTheirWindowIsOut)
{
    for (const WindowLayout* window : kv::EveryWindowLayout())
        for (const ItemLayout& item : window->Items) {
            const Box& r = item.Rect;
            EXPECT_GE(window->Shown.Left + r.Left, 0) << Where(*window, item);
            EXPECT_GE(window->Shown.Top + r.Top, 0) << Where(*window, item);
            EXPECT_LE(window->Shown.Left + r.Right, 800) << Where(*window, item);
            EXPECT_LE(window->Shown.Top + r.Bottom, 600) << Where(*window, item);
        }
}

TEST(HudLayout, AnItemIsFoundByItsName)
{
    EXPECT_EQ(kv::ItemNamed(kv::StarInfoLayout, "Go").Caption, "Go!");
    EXPECT_THROW(kv::ItemNamed(kv::StarInfoLayout, "Stop"), std::logic_error);
}

}  // namespace
