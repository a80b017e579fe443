// The launcher's controls in the game's 6-pixel letters: the display-mode
// texts must still read to their last letter.
#include "shell/Launcher.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Canvas.h"
#include "support/Pictures.h"

namespace {

using kv::Bitmap;
using kv::Launcher;

const std::string TwoDigitRate = "800х600 32 бит/пиксел 85 Гц";
const std::string ThreeDigitRate = "800х600 32 бит/пиксел 144 Гц";

// The launcher's frame with `mode` as the second item, chosen or shown in
// the open list.
Bitmap LauncherShowing(const std::string& mode, bool chosen)
{
    Launcher launcher;
    launcher.SetItems({"     Window mode", mode});
    if (chosen) launcher.Select(1);
    else launcher.MouseDown(Launcher::ComboBox.Left + 5, Launcher::ComboBox.Top + 5);
    Bitmap frame;
    launcher.Compose(kv::testing::Blank(285, 100, kv::Black), frame);
    return frame;
}

int DifferingPixels(const Bitmap& a, const Bitmap& b)
{
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) == b.Pixel(x, y) ? 0 : 1;
    return n;
}

// A text's last letter is seen whole when blanking it changes as many
// pixels as the letter has.
bool LastLetterShows(const std::string& mode, bool chosen)
{
    const std::string last = "ц";
    Bitmap letter = kv::testing::Blank(20, 20, kv::Black);
    letter.font = kv::Font{"MS Sans Serif", 8, kv::White};
    letter.brush.Style = kv::BrushStyle::Clear;
    kv::Canvas(letter).TextOut(2, 2, last);
    const std::string cut = mode.substr(0, mode.size() - last.size()) + " ";
    const Bitmap whole = LauncherShowing(mode, chosen);
    const Bitmap blanked = LauncherShowing(cut, chosen);
    return whole.Height() == blanked.Height() &&
           DifferingPixels(whole, blanked) == kv::testing::Count(letter, kv::White);
}

TEST(Launcher, ModeTextsReadToTheirLastLetter)
{
    EXPECT_TRUE(LastLetterShows(TwoDigitRate, true)) << "the closed list beside its arrow";
    EXPECT_TRUE(LastLetterShows(TwoDigitRate, false)) << "the open list";
    EXPECT_TRUE(LastLetterShows(ThreeDigitRate, false)) << "the open list";
}

}  // namespace
