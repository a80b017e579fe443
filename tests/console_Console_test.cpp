#include "console/Console.h"

#include <gtest/gtest.h>

#include <vector>

#include <string>

#include "platform/BmpFile.h"
#include "sound/kvSound.h"

namespace kv {
namespace {

constexpr int LogX = 30;
constexpr int LogY = 50;
constexpr int FirstLine = 36;
const std::string Clock = "14:05:09";
const std::string AlertWave = "res\\sfx\\hud\\message_alert.wav";
const std::string InfoWave = "res\\sfx\\hud\\message_info.wav";

// A console with the game's icons and a black panel to draw the log on, with
// the panel's font, so every green pixel is text and every other colour an icon.
class ConsoleLog : public testing::Test {
protected:
    void SetUp() override
    {
        console.Create();
        panel.Create(800, 150);
        panel.Face.Fill(Black);
        sound.SoundEnabled = 1;
    }

    void Add(MessageKind kind, const std::string& text = "Message") { console.Add(text, kind, Clock); }
    void Draw() { console.DrawLog(LogX, LogY, panel.Face, sound); }

    static int LineTop(int line) { return FirstLine + line * kvConsole::LineHeight; }

    // Text glyphs of a line: lit pixels right of the icon column, in the
    // rows of the line that the neighbouring lines cannot reach.
    bool TextOn(int lineY) const { return TextColourOn(lineY) != Black; }
    Rgb TextColourOn(int lineY) const
    {
        for (int y = lineY + 2; y < lineY + 12; ++y)
            for (int x = LogX + 16; x < 800; ++x)
                if (panel.Face.Pixel(x, y) != Black) return panel.Face.Pixel(x, y);
        return Black;
    }

    // The icon of `kind` sits in the 12 x 12 box at (LogX, lineY + 1): its
    // opaque pixels copied, its transparent ones leaving the panel black.
    bool IconOn(int lineY, MessageKind kind) const
    {
        const Bitmap& icon = console.Icons[static_cast<std::size_t>(kind)];
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const Rgb source = icon.Pixel(x, y);
                const Rgb expected = source == ColourKey ? Black : source;
                if (panel.Face.Pixel(LogX + x, lineY + 1 + y) != expected) return false;
            }
        return true;
    }

    bool IconBoxBlank(int lineY) const
    {
        for (int y = lineY + 1; y < lineY + 13; ++y)
            for (int x = LogX; x < LogX + 12; ++x)
                if (panel.Face.Pixel(x, y) != Black) return false;
        return true;
    }

    kvConsole console;
    kvWindow panel;
    kvSound sound;
};

TEST_F(ConsoleLog, FirstMessageSitsOnTheTopLineAndSoundsOnce)
{
    Add(MessageKind::Information, "World initialised");
    Draw();
    EXPECT_TRUE(IconOn(FirstLine, MessageKind::Information));
    EXPECT_TRUE(TextOn(FirstLine));
    EXPECT_FALSE(TextOn(LineTop(1)));
    EXPECT_EQ(sound.EffectRequests(), 1u);
    EXPECT_EQ(sound.RequestedEffect(), InfoWave);
    EXPECT_EQ(console.Entries[1].Shown, 1);

    Draw();
    EXPECT_EQ(sound.EffectRequests(), 1u);
}

TEST_F(ConsoleLog, SevenMessagesShowTheNewestSixOldestOnTop)
{
    Add(MessageKind::Alert);  // pushed out before any tick drew it
    Add(MessageKind::Audio);
    for (int i = 0; i < 4; ++i) Add(MessageKind::Mail);
    Add(MessageKind::Alien);
    Draw();

    EXPECT_TRUE(IconOn(LineTop(0), MessageKind::Audio));
    for (int line = 1; line <= 4; ++line) EXPECT_TRUE(IconOn(LineTop(line), MessageKind::Mail)) << line;
    EXPECT_TRUE(IconOn(LineTop(5), MessageKind::Alien));
    EXPECT_EQ(LineTop(5), 106);
    for (int line = 0; line <= 5; ++line) EXPECT_TRUE(TextOn(LineTop(line))) << line;
    EXPECT_FALSE(TextOn(LineTop(-1)));
    EXPECT_FALSE(TextOn(LineTop(6)));
    EXPECT_EQ(sound.EffectRequests(), 0u);
    EXPECT_EQ(console.Entries[1].Shown, 0);
}

// Every kind of message is written in its own colour, information in the
// HUD's green.
TEST_F(ConsoleLog, EachKindHasItsOwnColour)
{
    for (MessageKind kind : {MessageKind::Alert, MessageKind::Information, MessageKind::Audio, MessageKind::Mail,
                             MessageKind::Alien})
        Add(kind);
    Draw();
    std::vector<Rgb> colours;
    for (int line = 0; line < 5; ++line) colours.push_back(TextColourOn(LineTop(line)));
    EXPECT_EQ(colours[1], HudTextColour);
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (std::size_t j = i + 1; j < colours.size(); ++j) EXPECT_NE(colours[i], colours[j]) << i << " " << j;
}

TEST_F(ConsoleLog, AKindBeyondAlienDrawsItsTextWithoutIconOrSound)
{
    Add(static_cast<MessageKind>(5));
    Draw();
    EXPECT_TRUE(IconBoxBlank(FirstLine));
    EXPECT_TRUE(TextOn(FirstLine));
    EXPECT_EQ(sound.EffectRequests(), 0u);
}

using ConsoleRing = ConsoleLog;

TEST_F(ConsoleRing, TheThousandAndFirstOverwritesEntryOneAndOnlyEntriesFromOneAreDrawn)
{
    for (int i = 1; i <= 1000; ++i) console.Add("m" + std::to_string(i), MessageKind::Mail, Clock);
    EXPECT_EQ(console.Count, 1000);
    Add(MessageKind::Alien, "m1001");
    EXPECT_EQ(console.Count, 1);
    EXPECT_EQ(console.Entries[1].Text, Clock + " m1001");
    EXPECT_EQ(console.Entries[2].Text, Clock + " m2");

    Add(MessageKind::Audio);
    Draw();
    EXPECT_TRUE(IconOn(LineTop(0), MessageKind::Alien));
    EXPECT_TRUE(IconOn(LineTop(1), MessageKind::Audio));
    for (int line = 2; line <= 5; ++line) EXPECT_FALSE(TextOn(LineTop(line))) << line;

    for (int i = 0; i < 4; ++i) Add(MessageKind::Mail);
    panel.Face.Fill(Black);
    Draw();
    for (int line = 0; line <= 5; ++line) EXPECT_TRUE(TextOn(LineTop(line))) << line;
    EXPECT_TRUE(IconOn(LineTop(0), MessageKind::Alien));
}

using ConsoleText = ConsoleLog;

TEST_F(ConsoleText, StampedAndCutToNinetyOneCharacters)
{
    const std::string longText(120, 'x');
    console.Add(longText, MessageKind::Mail, Clock);
    EXPECT_EQ(console.Entries[1].Text, Clock + " " + std::string(82, 'x'));

    console.Add("Arriving in system: Tiroz", MessageKind::Information, Clock);
    EXPECT_EQ(console.Entries[2].Text, "14:05:09 Arriving in system: Tiroz");

    // A name typed in Cyrillic is cut by characters, never inside one.
    std::string cyrillic;
    for (int i = 0; i < 100; ++i) cyrillic += "Ж";
    console.Add(cyrillic, MessageKind::Mail, Clock);
    EXPECT_EQ(console.Entries[3].Text, Clock + " " + cyrillic.substr(0, 82 * 2));
}

TEST_F(ConsoleText, TheLocalTimeLeadsTheText)
{
    console.Add(std::string(100, 'z'), MessageKind::Mail);
    const std::string& text = console.Entries[1].Text;
    ASSERT_EQ(text.size(), 91u);
    EXPECT_EQ(text[2], ':');
    EXPECT_EQ(text[5], ':');
    EXPECT_EQ(text.substr(8), " " + std::string(82, 'z'));
    EXPECT_EQ(console.Dirty, 1);
}

using ConsoleSound = ConsoleLog;

TEST_F(ConsoleSound, TwoAlertsAddedInOneTickBothSoundOnThatTick)
{
    Add(MessageKind::Alert);
    Add(MessageKind::Alert);
    Draw();
    EXPECT_EQ(sound.EffectRequests(), 2u);
    EXPECT_EQ(sound.RequestedEffect(), AlertWave);
    Draw();
    EXPECT_EQ(sound.EffectRequests(), 2u);

    Add(MessageKind::Information);
    Draw();
    EXPECT_EQ(sound.EffectRequests(), 3u);
    EXPECT_EQ(sound.RequestedEffect(), InfoWave);
}

TEST_F(ConsoleSound, AnOverwrittenEntrySoundsAgainAsTheNewMessage)
{
    Add(MessageKind::Alert);
    Draw();
    for (int i = 0; i < 999; ++i) Add(MessageKind::Mail);
    Add(MessageKind::Alert);
    Draw();
    EXPECT_EQ(sound.EffectRequests(), 2u);
}

// The panel as the game builds it: 800 x 150 with the command field at
// (30, 122), 740 wide, hidden until the prompt is opened.
class ConsolePanel : public testing::Test {
protected:
    void SetUp() override
    {
        console.Create();
        window.Create(800, 150);
        edit.Create(30, 122, 740, "res\\gfx\\hud\\console.bmp");
        edit.Visible = 0;
        window.AddItem(edit);
        LoadBmp("Res\\gfx\\hud\\bottom.bmp", background);
        sound.SoundEnabled = 1;
    }

    bool GreenInBox(int x1, int y1, int x2, int y2) const
    {
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                if (window.Face.Pixel(x, y) == HudTextColour) return true;
        return false;
    }

    kvConsole console;
    kvWindow window;
    kvEdit edit;
    kvSound sound;
    Bitmap background;
};

TEST_F(ConsolePanel, ATickAfterAMessageRecomposesAndDrawsTheLog)
{
    console.Add("World initialised", MessageKind::Information, Clock);
    EXPECT_TRUE(ConsoleTick(window, edit, console, sound));
    EXPECT_EQ(console.Dirty, 0);
    EXPECT_EQ(window.Face.Width(), 800);
    EXPECT_EQ(window.Face.Height(), 150);
    EXPECT_EQ(sound.EffectRequests(), 1u);

    // "Console" is 7 cells of 8 pixels, centred: x 372..427 from y 7.
    EXPECT_TRUE(GreenInBox(372, 7, 428, 23));
    EXPECT_FALSE(GreenInBox(0, 7, 372, 23));
    EXPECT_FALSE(GreenInBox(428, 7, 800, 23));
    EXPECT_TRUE(GreenInBox(46, 38, 200, 48));
    EXPECT_FALSE(GreenInBox(46, 52, 200, 62));
    // The hidden command field leaves the background showing.
    EXPECT_EQ(window.Face.Pixel(30, 122), background.Pixel(30, 122));
    EXPECT_EQ(window.Face.Pixel(400, 130), background.Pixel(400, 130));

    EXPECT_FALSE(ConsoleTick(window, edit, console, sound));
}

TEST_F(ConsolePanel, ComposingDrawsTheOpenCommandFieldAndMarksTheLogDirty)
{
    edit.Visible = 1;
    edit.Text = "set money";
    ComposeConsole(window, edit, console);
    EXPECT_EQ(console.Dirty, 1);
    EXPECT_NE(window.Face.Pixel(30, 122), background.Pixel(30, 122));
}

}  // namespace
}  // namespace kv
