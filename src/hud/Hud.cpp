#include "hud/Hud.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "hud/Layout.h"
#include "hud/MarketWindow.h"
#include "hud/NewGameWindow.h"
#include "hud/PilotWindows.h"
#include "hud/ContractsWindow.h"
#include "hud/OptionsWindow.h"
#include "hud/SaveWindow.h"
#include "navigation/StarInfo.h"
#include "navigation/StarMap.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/DataPath.h"
#include "platform/LoadError.h"
#include "universe/Career.h"

namespace kv {

namespace {

constexpr Rgb MapPen{0, 255, 0};

ClickHandler Does(Game& game, void (*action)(Game&))
{
    return [&game, action](int16_t, int16_t, uint8_t) { action(game); };
}

const ClickHandler Nothing = [](int16_t, int16_t, uint8_t) {};

// The top bar's icons are 24 pixels square, as the buttons that show them.
constexpr int IconSide = 24;

void LoadIcon(Bitmap& icon, const std::string& path) { LoadBmp(path, icon, Exactly(IconSide, IconSide)); }

// A panel that stands, or is on its way, in a place it shares goes back out
// when another panel is sent there.
void PushOut(kvWindow& window)
{
    if (!window.Visible) return;
    window.SlideIn = 0;
    window.SlideOut = 1;
}

// The right-hand place holds the star information or the ship window, never
// both: the one that slides in sends the other out.
void MakeRoomOnTheRight(Hud& h, const kvWindow& arriving)
{
    const bool coming = arriving.SlideIn && arriving.Left > StarInfoLayout.Shown.Left;
    if (!coming) return;
    PushOut(&arriving == &h.StarInfo ? h.ShipWindow : h.StarInfo);
}

// A hidden sliding panel opens from `hiddenAt`; a visible one reverses.
void ToggleSlide(Game& game, kvWindow& window, int32_t kvWindow::*axis, int32_t hiddenAt)
{
    if (!window.Visible) {
        window.Visible = 1;
        window.*axis = hiddenAt;
        window.SlideIn = 1;
        window.SlideOut = 0;
    } else {
        window.SlideIn = window.SlideIn ? 0 : 1;
        window.SlideOut = window.SlideOut ? 0 : 1;
    }
    game.RepaintNeeded = 1;
}

// A window of the layout, at its starting place, with an empty handler: it
// swallows clicks that reach it.
void MakeWindow(kvWindow& window, const WindowLayout& layout)
{
    window.Create(layout.Width, layout.Height);
    PlaceAtStart(window, layout);
    window.OnClick = Nothing;
}

// The widget that shows an item of a window's table, and what a click on it
// does.
struct Binding {
    std::string_view Name;
    kvWindow& Widget;
    ClickHandler OnClick;
};

const Binding& BindingOf(std::initializer_list<Binding> bindings, const WindowLayout& layout, std::string_view name)
{
    for (const Binding& b : bindings)
        if (b.Name == name) return b;
    throw std::logic_error("nothing is bound to item " + std::string(name) + " of " + std::string(layout.Name));
}

// A button or an edit field, by its widget's kind, as its table row gives it.
void CreateItem(kvWindow& widget, const ItemLayout& row)
{
    const Box& r = row.Rect;
    const std::string picture(row.Picture);
    if (widget.Kind == WidgetKind::Edit)
        static_cast<kvEdit&>(widget).Create(r.Left, r.Top, static_cast<uint16_t>(r.Right - r.Left), picture);
    else static_cast<kvButton&>(widget).Create(r.Left, r.Top, r.Right, r.Bottom, std::string(row.Caption), picture);
    widget.Alpha = row.Alpha;
}

// Creates every item of the window's table, in the table's order, and binds
// it to its widget and handler; every item has one binding and every binding
// one item.
void AddItems(kvWindow& window, const WindowLayout& layout, std::initializer_list<Binding> bindings)
{
    if (bindings.size() != layout.Items.size())
        throw std::logic_error(std::string(layout.Name) + " has " + std::to_string(layout.Items.size()) +
                               " items and " + std::to_string(bindings.size()) + " bindings");
    for (const ItemLayout& row : layout.Items) {
        const Binding& b = BindingOf(bindings, layout, row.Name);
        CreateItem(b.Widget, row);
        b.Widget.OnClick = b.OnClick;
        window.AddItem(b.Widget);
    }
}

void ExitToTitle(Game& game)
{
    if (game.SwitchScene) game.SwitchScene(SceneTitle);
    game.RepaintNeeded = 1;
}

void OpenSlotsToLoad(Game& game) { OpenSaveWindow(game, false); }
void OpenSlotsToSave(Game& game) { OpenSaveWindow(game, true); }

void CancelNewGame(Game& game)
{
    game.ui.hud.NewGame.Visible = 0;
    game.RepaintNeeded = 1;
}

// The top bar names the track that plays.
void ShowTrackName(Game& game)
{
    if (!game.Sound.SoundEnabled || !game.Sound.MusicOn) return;
    game.ui.hud.TrackNameButton.Caption = std::string(game.Sound.CurrentTrackName());
    game.ui.Marked.TopBar = true;
}

void BuildTopBar(Game& game)
{
    Hud& h = game.ui.hud;
    kvWindow& bar = h.TopBar;
    MakeWindow(bar, TopBarLayout);
    h.TopFace = LoadFacePicture(bar, std::string(TopBarLayout.Face));
    LoadIcon(h.SoundPlayingIcon, "res\\gfx\\hud\\menu_sound_play.bmp");
    LoadIcon(h.SoundStoppedIcon, "res\\gfx\\hud\\menu_sound_stop.bmp");
    for (std::size_t step = 1; step <= h.TransparencyIcons.Count; ++step)
        LoadIcon(h.TransparencyIcons[step], "res\\gfx\\hud\\menu_trans_" + std::to_string(step) + ".bmp");
    AddItems(bar, TopBarLayout,
             {{"NewGame", h.NewGameButton, Does(game, OpenNewGameWindow)},
              {"Exit", h.ExitButton, Does(game, ExitToTitle)},
              {"Load", h.LoadButton, Does(game, OpenSlotsToLoad)},
              {"Save", h.SaveButton, Does(game, OpenSlotsToSave)},
              {"Map", h.MapButton, Does(game, ToggleStarMap)},
              {"Goods", h.GoodsButton, Does(game, ToggleMarket)},
              {"Player", h.PlayerButton, Does(game, TogglePlayerWindow)},
              {"Planet", h.PlanetButton, Does(game, ToggleStarInfo)},
              {"Console", h.ConsoleButton, Does(game, ToggleConsole)},
              {"Ship", h.ShipButton, Does(game, ToggleShipWindow)},
              {"SoundPlay", h.SoundPlayButton, Does(game, PauseOrResumeMusic)},
              {"SoundPrevious", h.SoundPrevButton, Does(game, PreviousTrack)},
              {"SoundNext", h.SoundNextButton, Does(game, NextTrack)},
              {"TrackName", h.TrackNameButton, nullptr},
              {"Transparency", h.TransparencyButton, Does(game, CycleTransparency)}});
    ShowTrackName(game);
    h.Transparency = 2;
}

void BuildConsoleWindow(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.ConsoleWindow, ConsoleLayout);
    LoadFace(h.ConsoleWindow, std::string(ConsoleLayout.Face));
    AddItems(h.ConsoleWindow, ConsoleLayout, {{"CommandLine", h.ConsoleEdit, Nothing}});
    h.ConsoleEdit.SubmitOnEnter = 1;
    h.ConsoleEdit.Visible = 0;
    h.ConsoleEdit.OnSubmit = [&game](const std::string& text) { ParseCommandLine(game.ui.Command, text); };
}

void BuildSidePanels(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.PlayerWindow, PlayerWindowLayout);
    h.LeftFace = LoadFacePicture(h.PlayerWindow, std::string(PlayerWindowLayout.Face));
    PaintFace(h.PlayerWindow.Face, h.LeftFace);
    MakeWindow(h.StarInfo, StarInfoLayout);
    h.RightFace = LoadFacePicture(h.StarInfo, std::string(StarInfoLayout.Face));
    PaintFace(h.StarInfo.Face, h.RightFace);
    h.StarInfo.Face.pen.Colour = MapPen;
    AddItems(h.StarInfo, StarInfoLayout, {{"Go", h.GoButton, Does(game, JumpToSelectedStar)}});
}

void BuildStarMap(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.StarMap, StarMapLayout);
    h.StarMap.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectStarAt(game, x, y, button); };
    h.StarMap.ClearToKey();
    h.StarMap.Face.brush.SetColour(Black);
    const char* pieces[] = {"center_main", "center_left", "center_right", "center_top", "center_bottom"};
    for (std::size_t i = 0; i < h.StarMapImages.size(); ++i)
        LoadBmp(std::string("res\\gfx\\hud\\") + pieces[i] + ".bmp", h.StarMapImages[i]);
    AddItems(h.StarMap, StarMapLayout,
             {{"Ecliptic", h.EclipticButton, Does(game, ToggleEcliptic)},
              {"Axes", h.AxesButton, Does(game, ToggleAxes)},
              {"ZoomIn", h.ZoomInButton, Does(game, ZoomIn)},
              {"ZoomOut", h.ZoomOutButton, Does(game, ZoomOut)}});
}

void BuildShipAndMarket(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.ShipWindow, ShipWindowLayout);
    h.ShipWindow.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectShipRow(game, x, y, button); };
    h.ShipWindow.Face.pen.Colour = MapPen;
    PaintFace(h.ShipWindow.Face, h.RightFace);
    AddItems(h.ShipWindow, ShipWindowLayout,
             {{"NextPart", h.NextPartButton, Does(game, NextShipPart)},
              {"PreviousPart", h.PreviousPartButton, Does(game, PreviousShipPart)}});

    MakeWindow(h.Market, MarketLayout);
    h.CentreFace = LoadFacePicture(h.Market, std::string(MarketLayout.Face));
    h.Market.ClearToKey();
    h.Market.Face.brush.SetColour(Black);
    h.Market.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectMarketRow(game, x, y, button); };
    AddItems(h.Market, MarketLayout,
             {{"Buy", h.BuyButton, Does(game, BuyButtonClick)}, {"Sell", h.SellButton, Does(game, SellButtonClick)}});
}

void BuildNewGameWindow(Game& game)
{
    Hud& h = game.ui.hud;
    kvWindow& w = h.NewGame;
    MakeWindow(w, NewGameLayout);
    PaintFace(w.Face, h.CentreFace);
    AddItems(w, NewGameLayout,
             {{"NextAvatar", h.NextAvatarButton, Does(game, NextAvatar)},
              {"PreviousAvatar", h.PreviousAvatarButton, Does(game, PreviousAvatar)},
              {"PilotName", h.NameEdit, Nothing},
              {"NextDifficulty", h.NextDifficultyButton, Does(game, NextDifficulty)},
              {"PreviousDifficulty", h.PreviousDifficultyButton, Does(game, PreviousDifficulty)},
              {"NextSpecialisation", h.NextSpecialisationButton, Does(game, NextSpecialisation)},
              {"PreviousSpecialisation", h.PreviousSpecialisationButton, Does(game, PreviousSpecialisation)},
              {"Start", h.StartButton, Does(game, StartNewGame)},
              {"Cancel", h.CancelButton, Does(game, CancelNewGame)},
              {"NextRules", h.NextRulesButton, Does(game, ToggleRules)},
              {"PreviousRules", h.PreviousRulesButton, Does(game, ToggleRules)}});
    w.Visible = 0;
    game.ui.newGameChoices.AvatarChoice = 1;
    for (std::size_t avatar = 1; avatar <= h.Portraits.Count; ++avatar)
        LoadBmp("Res\\gfx\\avatar\\avatar" + std::to_string(avatar) + ".bmp", h.Portraits[avatar]);
}

void BuildScannerAndSheets(Hud& h)
{
    MakeWindow(h.Scanner, ScannerLayout);
    LoadFace(h.Scanner, std::string(ScannerLayout.Face));
    h.Scanner.Alpha = 150;
    h.Scanner.Visible = 0;
    MakeWindow(h.OutroSheet, OutroSheetLayout);
    h.OutroSheet.Visible = 0;
}

void FillTables(Hud& h)
{
    for (kvWindow*& slot : h.WindowTable) slot = nullptr;
    kvWindow* const windows[] = {&h.StarMap, &h.TopBar, &h.ConsoleWindow, &h.PlayerWindow, &h.StarInfo,
                                 &h.ShipWindow, &h.Market, &h.NewGame, &h.OutroSheet, &h.Scanner,
                                 &h.SaveWindow, &h.OptionsWindow, &h.ContractsWindow};
    for (std::size_t i = 0; i < std::size(windows); ++i) h.WindowTable[i + 1] = windows[i];
    for (kvSprite*& slot : h.SpriteTable) slot = nullptr;
    h.SpriteTable[1] = &h.CursorSprite;
}

// A catalogue file that is missing leaves its catalogue empty; the player
// is told once, in the console, rather than left wondering.
void ReportMissingCatalogues(Game& game)
{
    for (const char* file : {HullFile, EngineFile, WeaponFile})
        if (!DataFileExists(file))
            game.ui.Console.Add(std::string("Equipment catalogue missing: ") + file, MessageKind::Alert);
}

void StartFirstWorld(Game& game)
{
    kvPlayer& pilot = game.world.Pilot;
    pilot.Name = "Noname";
    pilot.Avatar = static_cast<uint8_t>(game.world.random.Next(7) + 1);
    pilot.Class = 1;
    game.ui.shipChoices = ShipChoices{};
    BeginWorld(game);
}

// Every panel is composed once before the first frame.
void ComposeFirstScreens(Game& game)
{
    game.ui.ShownStar = game.world.Pilot.Star;
    UpdateSoundButton(game);
    game.ui.Marked = PanelMarks{.StarMap = true,
                                .StarInfo = true,
                                .Market = true,
                                .ShipWindow = true,
                                .PlayerWindow = true,
                                .TopBar = true,
                                .NewGame = true};
    ComposeMarkedPanels(game);
}

// What the career rules told the player goes to the console.
void PostNotices(Game& game)
{
    for (const Notice& n : TakeNotices(game.world)) game.ui.Console.Add(n.Text, static_cast<MessageKind>(n.Kind));
}

}  // namespace

Bitmap LoadFacePicture(const kvWindow& window, const std::string& path)
{
    Bitmap picture;
    LoadBmp(path, picture);
    if (picture.Width() != window.Width || picture.Height() != window.Height)
        throw LoadError(path, "the picture is " + std::to_string(picture.Width()) + " x " +
                                  std::to_string(picture.Height()) + ", its window " + std::to_string(window.Width) +
                                  " x " + std::to_string(window.Height));
    return picture;
}

void LoadFace(kvWindow& window, const std::string& path) { PaintFace(window.Face, LoadFacePicture(window, path)); }

void PlaceAtStart(kvWindow& window, const WindowLayout& layout)
{
    window.Left = layout.Start.Left;
    window.Top = layout.Start.Top;
}

void MakeCentreWindow(Game& game, kvWindow& window, const WindowLayout& layout, ClickHandler onClick)
{
    MakeWindow(window, layout);
    PaintFace(window.Face, game.ui.hud.CentreFace);
    window.Visible = 0;
    window.OnClick = std::move(onClick);
}

void BuildHud(Game& game)
{
    Hud& h = game.ui.hud;
    game.ui.Command.Code = command::None;
    game.ui.map.MapLevel = 1;
    game.ui.SelectedGoods = 1;
    game.world.Difficulty = 1;
    game.ui.Console.Create();

    LoadBmp(std::string(TitleWindowLayout.Face), h.TitlePicture,
            Exactly(TitleWindowLayout.Width, TitleWindowLayout.Height));
    PaintFace(game.BackBuffer, h.TitlePicture);
    game.world.random.Randomize();
    LoadCatalogues(game.world);
    ReportMissingCatalogues(game);

    LoadBmp("res\\gfx\\hud\\logo.bmp", h.Logo);
    h.Logo.brush.Style = BrushStyle::Clear;
    h.CursorSprite.Create(16, 16, "res\\gfx\\hud\\cursor.bmp");
    BuildTopBar(game);
    BuildConsoleWindow(game);
    BuildSidePanels(game);
    MakeWindow(h.TitleWindow, TitleWindowLayout);
    BuildStarMap(game);
    BuildShipAndMarket(game);
    LoadHullPictures(h, game.world.Equipment);
    BuildNewGameWindow(game);
    BuildScannerAndSheets(h);
    BuildSaveWindow(game);
    BuildOptionsWindow(game);
    BuildContractsWindow(game);
    FillTables(h);

    game.BackBuffer.SetSize(800, 600);
    game.BackBuffer.Fill(Black);

    StartFirstWorld(game);
    ComposeFirstScreens(game);
    game.BackBuffer.brush.Style = BrushStyle::Clear;
    game.RepaintNeeded = 1;
}

const Bitmap& Portrait(const Hud& hud, int avatar)
{
    static const Bitmap none;
    return avatar >= 1 && avatar <= static_cast<int>(hud.Portraits.Count) ? hud.Portraits[static_cast<std::size_t>(avatar)]
                                                                          : none;
}

void DrawVisibleWindows(const Hud& hud, Bitmap& frame)
{
    for (kvWindow* w : hud.WindowTable)
        if (w != nullptr && w->Visible == 1) w->DrawTo(frame);
}

void ComposeMarkedPanels(Game& game)
{
    PostNotices(game);
    const PanelMarks marked = std::exchange(game.ui.Marked, PanelMarks{});
    if (marked.StarMap) DrawStarMap(game);
    if (marked.StarInfo) DrawStarInfo(game, game.ui.ShownStar);
    if (marked.Market) DrawMarket(game);
    if (marked.ShipWindow) ComposeShipWindow(game);
    if (marked.PlayerWindow) ComposePlayerWindow(game);
    if (marked.TopBar) ComposeTopBar(game);
    if (marked.NewGame) ComposeNewGameWindow(game);
    if (marked.Options) ComposeOptionsWindow(game);
    // The contracts follow the pilot as the player window does: an arrival,
    // a trade or a new game changes them.
    if (marked.Contracts || (marked.PlayerWindow && ContractsWindowShown(game))) ComposeContractsWindow(game);
    if (marked.SaveWindow) ComposeSaveWindow(game);
    if (marked.StarMap || marked.StarInfo || marked.Market || marked.ShipWindow || marked.PlayerWindow ||
        marked.TopBar || marked.NewGame || marked.Options || marked.Contracts || marked.SaveWindow)
        game.RepaintNeeded = 1;
}

void ComposeTopBar(Game& game)
{
    kvWindow& bar = game.ui.hud.TopBar;
    PaintFace(bar.Face, game.ui.hud.TopFace);
    DrawVisibleItems(bar);
}

void UpdateSoundButton(Game& game)
{
    const bool playing = game.Sound.SoundEnabled && game.Sound.MusicOn;
    const Hud& h = game.ui.hud;
    PaintFace(game.ui.hud.SoundPlayButton.Face, playing ? h.SoundPlayingIcon : h.SoundStoppedIcon);
}

void ClearCentre(Game& game)
{
    game.ui.hud.NewGame.Visible = 0;
    if (OptionsWindowShown(game)) CloseOptionsWindow(game);
    if (ContractsWindowShown(game)) CloseContractsWindow(game);
    if (!SaveWindowShown(game)) return;
    game.ui.Saves.CoveredMap = false;
    game.ui.Saves.CoveredMarket = false;
    CloseSaveWindow(game);
}

void TakeCentre(Game& game, kvWindow& window)
{
    Hud& h = game.ui.hud;
    ClearCentre(game);
    h.StarMap.Visible = 0;
    h.Market.Visible = 0;
    window.Visible = 1;
    h.FocusedItem = &window;
}

void ToggleStarMap(Game& game)
{
    ClearCentre(game);
    game.ui.hud.StarMap.Visible = game.ui.hud.StarMap.Visible ? 0 : 1;
    game.ui.hud.Market.Visible = 0;
    game.RepaintNeeded = 1;
}

void ToggleMarket(Game& game)
{
    ClearCentre(game);
    game.ui.hud.StarMap.Visible = 0;
    game.ui.hud.Market.Visible = game.ui.hud.Market.Visible ? 0 : 1;
    game.RepaintNeeded = 1;
}

void TogglePlayerWindow(Game& game)
{
    ToggleSlide(game, game.ui.hud.PlayerWindow, &kvWindow::Left, PlayerWindowLayout.Start.Left);
}
void ToggleStarInfo(Game& game)
{
    ToggleSlide(game, game.ui.hud.StarInfo, &kvWindow::Left, StarInfoLayout.Start.Left);
    MakeRoomOnTheRight(game.ui.hud, game.ui.hud.StarInfo);
}

void ToggleShipWindow(Game& game)
{
    ToggleSlide(game, game.ui.hud.ShipWindow, &kvWindow::Left, ShipWindowLayout.Start.Left);
    MakeRoomOnTheRight(game.ui.hud, game.ui.hud.ShipWindow);
}
void ToggleConsole(Game& game) { ToggleSlide(game, game.ui.hud.ConsoleWindow, &kvWindow::Top, ConsoleTuckedTop); }

void PauseOrResumeMusic(Game& game)
{
    if (!game.Sound.SoundEnabled) return;
    if (game.Sound.MusicOn) game.Sound.PauseMusic();
    else game.Sound.ResumeMusic();
    UpdateSoundButton(game);
    game.ui.Marked.TopBar = true;
}

void PreviousTrack(Game& game)
{
    game.Sound.PreviousTrack();
    ShowTrackName(game);
}

void NextTrack(Game& game)
{
    game.Sound.NextTrack();
    ShowTrackName(game);
}

void CycleTransparency(Game& game)
{
    static constexpr uint16_t Alphas[] = {256, 179, 128};
    Hud& h = game.ui.hud;
    h.Transparency = static_cast<uint8_t>(h.Transparency % 3 + 1);
    // The save window stays opaque: its slots are read over the top bar.
    for (kvWindow* w : h.WindowTable)
        if (w != nullptr && w != &h.SaveWindow) w->Alpha = Alphas[h.Transparency - 1];
    PaintFace(h.TransparencyButton.Face, h.TransparencyIcons[h.Transparency]);
    game.ui.Marked.TopBar = true;
}

}  // namespace kv
