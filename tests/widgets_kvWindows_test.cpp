#include "widgets/kvWindows.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/LoadError.h"
#include "sound/kvSound.h"
#include "support/Pictures.h"

namespace {

using kv::Bitmap;
using kv::Rgb;

constexpr Rgb Purple{128, 0, 128};
constexpr Rgb Grey{100, 100, 100};
constexpr Rgb Paint{40, 80, 200};
const std::string Click = "res\\sfx\\hud\\btn_click.wav";
const std::string Refusal = "res\\sfx\\hud\\btn_disabled.wav";

Bitmap Filled(int w, int h, Rgb c)
{
    Bitmap b(w, h);
    b.Fill(c);
    return b;
}

std::string SaveImage(const std::string& name, const Bitmap& b)
{
    const std::string path = (std::filesystem::path(::testing::TempDir()) / name).string();
    kv::SaveBmpFile(path, b);
    return path;
}

// Columns of row y that differ from `background`.
std::vector<int> ChangedColumns(const Bitmap& b, int y, Rgb background)
{
    std::vector<int> cols;
    for (int x = 0; x < b.Width(); ++x)
        if (b.Pixel(x, y) != background) cols.push_back(x);
    return cols;
}

kv::kvWindow Panel(int w, int h, Rgb c, uint16_t alpha)
{
    kv::kvWindow win;
    win.Create(static_cast<uint16_t>(w), static_cast<uint16_t>(h));
    win.Face.Fill(c);
    win.Alpha = alpha;
    return win;
}

TEST(WidgetWindowDraw, ClipsToTheFrame)
{
    Bitmap frame = Filled(800, 600, Grey);
    kv::kvWindow win = Panel(200, 10, Paint, 256);
    win.Left = -200;
    win.DrawTo(frame);
    EXPECT_TRUE(ChangedColumns(frame, 0, Grey).empty());
    win.Left = 795;
    win.DrawTo(frame);
    EXPECT_EQ(ChangedColumns(frame, 0, Grey), (std::vector<int>{795, 796, 797, 798, 799}));
    EXPECT_TRUE(ChangedColumns(frame, 10, Grey).empty());
}

TEST(WidgetWindowDraw, FarPositionsAndShortFacesDrawNothingOutside)
{
    Bitmap frame = Filled(100, 100, Grey);
    frame.brush.SetColour(Paint);
    kv::kvWindow win = Panel(50, 50, Paint, 256);
    kv::kvEdit edit;
    edit.Create(0, 0, 50, SaveImage("far_edit.bmp", Filled(50, 20, Paint)));
    edit.Text = "FAR";
    for (const auto& [left, top] : std::vector<std::pair<int, int>>{
             {INT_MAX, 0}, {INT_MIN, 0}, {0, INT_MAX}, {0, INT_MIN}, {INT_MAX - 10, INT_MAX - 10}, {100, 100}}) {
        win.Left = edit.Left = left;
        win.Top = edit.Top = top;
        win.DrawTo(frame);
        edit.DrawTo(frame);
    }
    for (int y = 0; y < 100; ++y) ASSERT_TRUE(ChangedColumns(frame, y, Grey).empty()) << y;
    win.Left = win.Top = 0;
    win.Width = win.Height = 80;  // a face smaller than its window is drawn as far as it goes
    win.DrawTo(frame);
    EXPECT_EQ(ChangedColumns(frame, 49, Grey).size(), 50u);
    EXPECT_TRUE(ChangedColumns(frame, 50, Grey).empty());
}

TEST(WidgetWindowDraw, AlphaBlendsAndKeyPixelsNeverShow)
{
    const Rgb dst{201, 100, 3};
    const Rgb src{51, 250, 7};
    for (const uint16_t alpha : std::vector<uint16_t>{0, 128, 256, 300}) {
        Bitmap frame = Filled(4, 1, dst);
        kv::kvWindow win = Panel(4, 1, src, alpha);
        win.Face.SetPixel(2, 0, kv::ColourKey);
        win.DrawTo(frame);
        EXPECT_EQ(frame.Pixel(2, 0), dst) << alpha;
        // Alpha 128: dst shr 1 + src shr 1 per channel.
        const Rgb expected = alpha == 0 ? dst : alpha == 128 ? Rgb{125, 175, 4} : src;
        EXPECT_EQ(frame.Pixel(0, 0), expected) << alpha;
        EXPECT_EQ(frame.Pixel(3, 0), expected) << alpha;
    }
}

TEST(WidgetButton, CreateTakesOnlyAPictureOfItsOwnSize)
{
    const std::string path = SaveImage("button_20x10.bmp", Filled(20, 10, Paint));
    kv::kvButton button;
    button.Create(5, 6, 25, 16, "Go!", path);
    EXPECT_EQ(button.Width, 20);
    EXPECT_EQ(button.Height, 10);
    EXPECT_EQ(button.Alpha, 256);
    EXPECT_EQ(button.Enabled, 1);
    EXPECT_EQ(button.Face.Pixel(19, 9), Paint);
    try {
        button.Create(0, 0, 21, 10, "", path);
        FAIL() << "a 20 x 10 picture was taken for a 21 x 10 button";
    } catch (const kv::LoadError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    EXPECT_EQ(button.Left, 5);  // a refused picture leaves the button alone
    EXPECT_EQ(button.Width, 20);
    EXPECT_THROW(button.Create(25, 16, 5, 6, "", path), kv::LoadError);
}

TEST(WidgetButton, DrawSkipsPurpleAndKeyAndTheTargetsLastColumnAndRow)
{
    Bitmap image = Filled(10, 10, Paint);
    image.SetPixel(3, 0, Purple);
    image.SetPixel(4, 0, kv::ColourKey);
    kv::kvButton button;
    button.Create(0, 0, 10, 10, "", SaveImage("button_10x10.bmp", image));
    Bitmap target = Filled(10, 10, Grey);
    kv::DrawItem(button, target);
    EXPECT_EQ(ChangedColumns(target, 0, Grey), (std::vector<int>{0, 1, 2, 5, 6, 7, 8}));
    EXPECT_EQ(ChangedColumns(target, 8, Grey).size(), 9u);
    EXPECT_TRUE(ChangedColumns(target, 9, Grey).empty());

    button.Left = 8;
    Bitmap narrow = Filled(10, 10, Grey);
    button.DrawTo(narrow);
    EXPECT_EQ(ChangedColumns(narrow, 1, Grey), std::vector<int>{8});
}

TEST(WidgetButton, CaptionIsCentredByTheButtonsFontInTheTargetsFontAndBrush)
{
    kv::kvButton button;
    button.Create(10, 20, 50, 40, "AB", SaveImage("button_40x20.bmp", Filled(40, 20, kv::ColourKey)));
    Bitmap target = Filled(100, 100, Grey);
    target.font = kv::Font{"Arial", 9, Rgb{255, 0, 0}};
    target.brush.SetColour(Paint);
    button.DrawTo(target);
    // Placed by two 8 x 16 Fixedsys cells centred in 40 x 20, at (22, 22),
    // then written in the window's own font over its brush.
    ASSERT_FALSE(ChangedColumns(target, 22, Grey).empty());
    EXPECT_EQ(ChangedColumns(target, 22, Grey).front(), 22);
    EXPECT_EQ(target.Pixel(22, 22), Paint);
    EXPECT_TRUE(ChangedColumns(target, 21, Grey).empty());
    int red = 0;
    for (int y = 22; y < 38; ++y)
        for (int x = 22; x < 38; ++x) red += target.Pixel(x, y) == Rgb{255, 0, 0};
    EXPECT_GT(red, 0);
}

// A disabled button lets more of its panel through and writes its caption
// in dark green; an enabled one is drawn as before.
TEST(WidgetButton, DisabledButtonsAreDrawnDimmed)
{
    kv::kvButton button;
    button.Create(0, 0, 40, 20, "Go!", SaveImage("button_dim_40x20.bmp", Filled(40, 20, Rgb{200, 200, 200})));
    Bitmap lit = Filled(50, 30, Rgb{0, 0, 0});
    lit.font.Colour = kv::HudTextColour;
    Bitmap dim = lit;
    button.DrawTo(lit);
    button.Enabled = 0;
    button.DrawTo(dim);
    EXPECT_EQ(lit.Pixel(1, 1), (Rgb{200, 200, 200}));
    EXPECT_EQ(dim.Pixel(1, 1), (Rgb{75, 75, 75}));
    EXPECT_GT(kv::testing::Count(lit, kv::HudTextColour), 10);
    EXPECT_EQ(kv::testing::Count(dim, kv::HudTextColour), 0);
    EXPECT_EQ(kv::testing::Count(dim, kv::DisabledTextColour), kv::testing::Count(lit, kv::HudTextColour));
    EXPECT_EQ(dim.font.Colour, kv::HudTextColour) << "the panel's own font is left as it was";
}

TEST(WidgetEdit, CreateFramesTheFieldAndFrameEditShowsTheImage)
{
    const std::string path = SaveImage("edit_30x20.bmp", Filled(30, 20, Paint));
    kv::kvEdit edit;
    EXPECT_THROW(edit.Create(3, 4, 30, SaveImage("edit_wrong.bmp", Filled(12, 7, Paint))), kv::LoadError);
    EXPECT_EQ(edit.Width, 0) << "a picture of another size leaves the field as it was";
    edit.Create(3, 4, 30, path);
    EXPECT_EQ(edit.Face.Width(), 30);
    EXPECT_EQ(edit.Face.Height(), 20);
    EXPECT_EQ(edit.Alpha, 230);
    EXPECT_EQ(edit.Face.Pixel(0, 0), kv::HudTextColour);
    EXPECT_EQ(edit.Face.Pixel(29, 19), kv::HudTextColour);
    EXPECT_EQ(edit.Face.Pixel(1, 1), kv::ColourKey);
    EXPECT_EQ(edit.Face.brush.Style, kv::BrushStyle::Clear);
    kv::FrameEdit(edit);
    EXPECT_EQ(edit.Face.Pixel(29, 10), kv::HudTextColour);
    EXPECT_EQ(edit.Face.Pixel(1, 1), Paint);
}

TEST(WidgetEdit, DrawSkipsOnlyKeyAndWritesTextInsideTheField)
{
    kv::kvEdit edit;
    edit.Create(0, 0, 30, SaveImage("edit_30x20b.bmp", Filled(30, 20, Paint)));
    edit.Face.Fill(Purple);
    edit.Face.SetPixel(1, 0, kv::ColourKey);
    edit.Alpha = 256;
    edit.Text = " ";
    Bitmap target = Filled(40, 40, Grey);
    target.brush.SetColour(kv::White);
    kv::DrawItem(edit, target);
    EXPECT_EQ(target.Pixel(0, 0), Purple);
    EXPECT_EQ(target.Pixel(1, 0), Grey);
    EXPECT_EQ(target.Pixel(2, 1), kv::White);  // the text box starts at (Left + 2, Top + 1)
    EXPECT_EQ(target.Pixel(1, 1), Purple);
}

std::string Typed(uint16_t width, std::string_view typed)
{
    kv::kvEdit edit;
    edit.Width = width;
    edit.TypeText(typed);
    return edit.Text;
}

TEST(WidgetTyping, FieldsTakeTheCharactersTheFontDrawsAndKeysOnlyEdit)
{
    EXPECT_EQ(Typed(740, "Abc 7, z!"), "Abc 7, z!");
    EXPECT_EQ(Typed(740, "Zoë Жук ґ"), "Zoë Жук ґ");
    // Control characters, the soft hyphen, Greek, CJK and emoji are not in
    // the HUD's font; a broken UTF-8 sequence is no character at all.
    EXPECT_EQ(Typed(740, "a\tb\x7f\u00ad\u03a9\u4e2d\U0001F600c\xc3(d\xe2\x82"), "abc(d");
    kv::kvEdit edit;
    edit.Width = 740;
    edit.Text = "Жé";
    for (const uint16_t key : {uint16_t{'A'}, uint16_t{' '}, kv::vk::Left, uint16_t{190}}) edit.KeyPress(key);
    EXPECT_EQ(edit.Text, "Жé") << "letter keys type nothing: the text input does";
    edit.KeyPress(kv::vk::Back);
    EXPECT_EQ(edit.Text, "Ж") << "Backspace takes a whole character";
    edit.KeyPress(kv::vk::Back);
    edit.KeyPress(kv::vk::Back);
    EXPECT_EQ(edit.Text, "");
}

TEST(WidgetTyping, FieldsHoldWhatTheirWidthAllowsInCharacters)
{
    EXPECT_EQ(Typed(740, std::string(120, 'x')).size(), 92u);
    EXPECT_EQ(Typed(160, std::string(120, 'x')).size(), 19u);
    std::string cyrillic;
    for (int i = 0; i < 30; ++i) cyrillic += "Ж";
    EXPECT_EQ(Typed(160, cyrillic).size(), 19u * 2) << "19 characters of two bytes each";
}

TEST(WidgetTyping, EveryCharacterAFieldTakesIsInTheHudFont)
{
    kv::Font hud{"Fixedsys", 9, {0, 249, 0}};
    for (char32_t c = 0; c < 0x500; ++c)
        if (kv::HudFontDraws(c)) {
            EXPECT_TRUE(kv::FontHasGlyph(hud, c)) << static_cast<uint32_t>(c);
        }
}

TEST(WidgetKeyPress, EnterSubmitsOnlyWhenAsked)
{
    kv::kvEdit edit;
    edit.Width = 740;
    std::vector<std::string> lines;
    edit.OnSubmit = [&](const std::string& line) {
        lines.push_back(line);
        edit.Text = "echo";
    };
    edit.Text = "cash 5";
    edit.KeyPress(kv::vk::Return);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(edit.Text, "cash 5");
    edit.SubmitOnEnter = 1;
    edit.KeyPress(kv::vk::Return);
    EXPECT_EQ(lines, std::vector<std::string>{"cash 5"});
    EXPECT_EQ(edit.Text, "");
    edit.OnSubmit = nullptr;
    edit.Text = "x";
    edit.KeyPress(kv::vk::Return);
    EXPECT_EQ(edit.Text, "");
}

class WidgetClick : public ::testing::Test {
protected:
    void SetUp() override
    {
        sound_.SoundEnabled = 1;
        window_.Create(100, 100);
        window_.OnClick = [this](int16_t x, int16_t y, uint8_t b) { Log("window", x, y, b); };
    }

    // A 20 x 20 button at (10, 10) whose pixel (5, 5) has the given colour.
    kv::kvButton& AddButton(const std::string& name, uint8_t enabled, Rgb at55 = Paint)
    {
        Bitmap image = Filled(20, 20, Paint);
        image.SetPixel(5, 5, at55);
        kv::kvButton& b = buttons_.emplace_back();
        b.Create(10, 10, 30, 30, "", SaveImage("click_" + name + ".bmp", image));
        b.Enabled = enabled;
        b.OnClick = [this, name](int16_t x, int16_t y, uint8_t button) { Log(name, x, y, button); };
        window_.AddItem(b);
        return b;
    }

    void Log(const std::string& who, int16_t x, int16_t y, uint8_t b)
    {
        calls_.push_back(who + "@" + std::to_string(x) + "," + std::to_string(y) + "/" + std::to_string(b) +
                         " after " + std::to_string(sound_.EffectRequests()) + " " + sound_.RequestedEffect());
    }

    void ClickAt(int16_t x, int16_t y) { kv::ClickItemAt(window_, x, y, 1, focused_, sound_); }

    kv::kvSound sound_;
    kv::kvWindow window_;
    std::deque<kv::kvButton> buttons_;
    std::vector<std::string> calls_;
    kv::kvWindow* focused_ = &window_;
};

TEST_F(WidgetClick, DisabledButtonRefusesAndTheNextOneBelowTakesTheClick)
{
    AddButton("off", 0);
    kv::kvButton& on = AddButton("on", 1);
    ClickAt(15, 15);
    EXPECT_EQ(calls_, std::vector<std::string>{"on@15,15/1 after 2 " + Click});
    EXPECT_EQ(focused_, &on);
    buttons_.back().Enabled = 0;
    ClickAt(15, 15);
    EXPECT_EQ(sound_.RequestedEffect(), Refusal);
    EXPECT_EQ(sound_.EffectRequests(), 4u);
    EXPECT_EQ(calls_.back(), "window@15,15/1 after 4 " + Refusal);
}

TEST_F(WidgetClick, PurpleFallsThroughAndMagentaPresses)
{
    AddButton("purple", 1, Purple);
    kv::kvButton& magenta = AddButton("magenta", 1, kv::ColourKey);
    ClickAt(15, 15);
    EXPECT_EQ(calls_, std::vector<std::string>{"magenta@15,15/1 after 1 " + Click});
    EXPECT_EQ(focused_, &magenta);
    buttons_.back().Face.SetPixel(5, 5, Purple);
    ClickAt(15, 15);
    EXPECT_EQ(calls_.back(), "window@15,15/1 after 1 " + Click);
    EXPECT_EQ(focused_, &window_);
}

TEST_F(WidgetClick, SkippedItemsAndInclusiveBounds)
{
    window_.ItemCount = 1;  // an empty entry
    AddButton("hidden", 1).Visible = 0;
    AddButton("silent", 1).OnClick = nullptr;
    AddButton("edge", 1).Face.SetSize(5, 5);  // a face short of its button is hit-tested safely
    ClickAt(29, 29);
    ClickAt(30, 29);
    ClickAt(10, 9);
    EXPECT_EQ(calls_, (std::vector<std::string>{"edge@29,29/1 after 1 " + Click, "window@30,29/1 after 1 " + Click,
                                                "window@10,9/1 after 1 " + Click}));
}

TEST_F(WidgetClick, EditTakesTheClickSilentlyAndPlainItemsRefuse)
{
    kv::kvWindow plain = Panel(100, 100, Paint, 256);
    plain.OnClick = [this](int16_t x, int16_t y, uint8_t b) { Log("plain", x, y, b); };
    window_.AddItem(plain);
    kv::kvEdit edit;
    edit.Create(0, 0, 50, SaveImage("click_edit.bmp", Filled(50, 20, Paint)));
    edit.OnClick = [this](int16_t x, int16_t y, uint8_t b) { Log("edit", x, y, b); };
    window_.AddItem(edit);
    ClickAt(3, 4);
    EXPECT_EQ(calls_, std::vector<std::string>{"edit@3,4/1 after 1 " + Refusal});
    EXPECT_EQ(focused_, &edit);
}

}  // namespace

namespace {

// A window remembers where its face is transparent; any change of the face,
// through a canvas, a pixel or a reload, must be seen at the next draw.
TEST(WidgetWindowFaceChanges, ShowAtTheNextDraw)
{
    kv::kvWindow w;
    w.Create(10, 10);
    w.Alpha = 256;
    w.ClearToKey();
    kv::Bitmap frame(20, 20);
    frame.Fill(kv::Black);
    w.DrawTo(frame);
    EXPECT_EQ(frame.Pixel(3, 3), kv::Black);

    w.Face.SetPixel(3, 3, kv::White);
    w.DrawTo(frame);
    EXPECT_EQ(frame.Pixel(3, 3), kv::White);

    w.Face.pen.Colour = kv::Rgb{0, 249, 0};
    kv::Canvas(w.Face).Line(0, 6, 10, 6);
    w.DrawTo(frame);
    EXPECT_EQ(frame.Pixel(7, 6), (kv::Rgb{0, 249, 0}));

    w.ClearToKey();
    frame.Fill(kv::Black);
    w.DrawTo(frame);
    EXPECT_EQ(frame.Pixel(3, 3), kv::Black);

    kv::Bitmap other(10, 10);
    other.Fill(kv::Rgb{9, 9, 9});
    w.Face = other;
    w.DrawTo(frame);
    EXPECT_EQ(frame.Pixel(9, 9), (kv::Rgb{9, 9, 9}));
}

// A text too wide for its room is cut at whole characters and ends in an
// ellipsis that fits too; one that fits is left whole.
TEST(FitText, CutsToTheRoomAndEndsInAnEllipsis)
{
    kv::kvWindow w;
    w.Create(200, 20);
    const kv::Canvas canvas(w.Face);
    EXPECT_EQ(kv::FitText(canvas, "Commander", 72), "Commander");
    const std::string cut = kv::FitText(canvas, "Commander Jameson", 96);
    EXPECT_EQ(cut, "Commander J\u2026");
    EXPECT_LE(canvas.TextWidth(cut), 96);
    EXPECT_EQ(kv::FitText(canvas, "12.345 \u043f\u043a", 64), "12.345 \u2026") << "never half a Cyrillic letter";
}

}  // namespace

