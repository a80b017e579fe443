#include "hud/Hud.h"

#include <utility>

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

// Where the star information and ship windows rest on screen.
constexpr int32_t RightPanelLeft = 600;

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
    const bool coming = arriving.SlideIn && arriving.Left > RightPanelLeft;
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

// A window with an empty handler: it swallows clicks that reach it.
void MakeWindow(kvWindow& window, uint16_t width, uint16_t height, int32_t left = 0, int32_t top = 0)
{
    window.Create(width, height);
    window.Left = left;
    window.Top = top;
    window.OnClick = Nothing;
}

void MakeButton(kvWindow& owner, kvButton& button, int x1, int y1, int x2, int y2, const std::string& caption,
                const std::string& image, ClickHandler handler)
{
    button.Create(x1, y1, x2, y2, caption, image);
    button.OnClick = std::move(handler);
    owner.AddItem(button);
}

void BuildTopBar(Game& game)
{
    Hud& h = game.ui.hud;
    kvWindow& bar = h.TopBar;
    MakeWindow(bar, 800, 115);
    h.TopFace = LoadFacePicture(bar, "Res\\gfx\\hud\\top.bmp");
    LoadIcon(h.SoundPlayingIcon, "res\\gfx\\hud\\menu_sound_play.bmp");
    LoadIcon(h.SoundStoppedIcon, "res\\gfx\\hud\\menu_sound_stop.bmp");
    for (std::size_t step = 1; step <= h.TransparencyIcons.Count; ++step)
        LoadIcon(h.TransparencyIcons[step], "res\\gfx\\hud\\menu_trans_" + std::to_string(step) + ".bmp");
    const std::string btn1 = "res\\gfx\\hud\\btn1.bmp";
    MakeButton(bar, h.NewGameButton, 12, 5, 162, 29, "New game", btn1, Does(game, OpenNewGameWindow));
    MakeButton(bar, h.ExitButton, 163, 5, 313, 29, "Exit", btn1, [&game](int16_t, int16_t, uint8_t) {
        if (game.SwitchScene) game.SwitchScene(SceneTitle);
        game.RepaintNeeded = 1;
    });
    MakeButton(bar, h.LoadButton, 12, 35, 162, 59, "Load", btn1,
               [&game](int16_t, int16_t, uint8_t) { OpenSaveWindow(game, false); });
    MakeButton(bar, h.SaveButton, 163, 35, 313, 59, "Save", btn1,
               [&game](int16_t, int16_t, uint8_t) { OpenSaveWindow(game, true); });
    MakeButton(bar, h.MapButton, 487, 5, 511, 29, "", "res\\gfx\\hud\\menu_map.bmp", Does(game, ToggleStarMap));
    MakeButton(bar, h.GoodsButton, 517, 5, 541, 29, "", "res\\gfx\\hud\\menu_goods.bmp", Does(game, ToggleMarket));
    MakeButton(bar, h.PlayerButton, 547, 5, 571, 29, "", "res\\gfx\\hud\\menu_player.bmp",
               Does(game, TogglePlayerWindow));
    MakeButton(bar, h.PlanetButton, 577, 5, 601, 29, "", "res\\gfx\\hud\\menu_planet.bmp",
               Does(game, ToggleStarInfo));
    MakeButton(bar, h.ConsoleButton, 607, 5, 631, 29, "", "res\\gfx\\hud\\menu_console.bmp",
               Does(game, ToggleConsole));
    MakeButton(bar, h.ShipButton, 637, 5, 661, 29, "", "res\\gfx\\hud\\menu_ship.bmp", Does(game, ToggleShipWindow));
    MakeButton(bar, h.SoundPlayButton, 517, 35, 541, 59, "", "res\\gfx\\hud\\menu_sound_play.bmp",
               Does(game, PauseOrResumeMusic));
    MakeButton(bar, h.SoundPrevButton, 487, 35, 511, 59, "", "res\\gfx\\hud\\menu_sound_prev.bmp",
               Does(game, PreviousTrack));
    MakeButton(bar, h.SoundNextButton, 547, 35, 571, 59, "", "res\\gfx\\hud\\menu_sound_next.bmp",
               Does(game, NextTrack));
    const bool playing = game.Sound.SoundEnabled && game.Sound.MusicOn;
    const std::string trackName = playing ? std::string(game.Sound.CurrentTrackName()) : "disabled";
    MakeButton(bar, h.TrackNameButton, 577, 35, 757, 59, trackName, "res\\gfx\\hud\\menu_sound_name.bmp", nullptr);
    MakeButton(bar, h.TransparencyButton, 763, 35, 787, 59, "", "res\\gfx\\hud\\menu_trans_2.bmp",
               Does(game, CycleTransparency));
    h.Transparency = 2;
}

void BuildConsoleWindow(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.ConsoleWindow, 800, 150);
    LoadFace(h.ConsoleWindow, "Res\\gfx\\hud\\bottom.bmp");
    h.ConsoleEdit.Create(30, 122, 740, "res\\gfx\\hud\\console.bmp");
    h.ConsoleEdit.SubmitOnEnter = 1;
    h.ConsoleEdit.Visible = 0;
    h.ConsoleEdit.OnClick = Nothing;
    h.ConsoleEdit.OnSubmit = [&game](const std::string& text) { ParseCommandLine(game.ui.Command, text); };
    h.ConsoleWindow.AddItem(h.ConsoleEdit);
}

void BuildSidePanels(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.PlayerWindow, 200, 375);
    h.LeftFace = LoadFacePicture(h.PlayerWindow, "Res\\gfx\\hud\\left.bmp");
    PaintFace(h.PlayerWindow.Face, h.LeftFace);
    MakeWindow(h.StarInfo, 200, 375);
    h.RightFace = LoadFacePicture(h.StarInfo, "Res\\gfx\\hud\\right.bmp");
    PaintFace(h.StarInfo.Face, h.RightFace);
    h.StarInfo.Face.pen.Colour = MapPen;
    MakeButton(h.StarInfo, h.GoButton, 105, 62, 185, 82, "Go!", "res\\gfx\\hud\\btn2.bmp", Does(game, JumpToSelectedStar));
    h.GoButton.Enabled = 0;
}

void BuildStarMap(Game& game)
{
    Hud& h = game.ui.hud;
    MakeWindow(h.StarMap, 350, 350, 225, 80);
    h.StarMap.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectStarAt(game, x, y, button); };
    h.StarMap.ClearToKey();
    h.StarMap.Face.brush.SetColour(Black);
    const char* pieces[] = {"center_main", "center_left", "center_right", "center_top", "center_bottom"};
    for (std::size_t i = 0; i < h.StarMapImages.size(); ++i)
        LoadBmp(std::string("res\\gfx\\hud\\") + pieces[i] + ".bmp", h.StarMapImages[i]);
    const std::string btn3 = "res\\gfx\\hud\\btn3.bmp";
    MakeButton(h.StarMap, h.EclipticButton, 20, 20, 35, 35, "E", btn3, Does(game, ToggleEcliptic));
    MakeButton(h.StarMap, h.AxesButton, 40, 20, 55, 35, "C", btn3, Does(game, ToggleAxes));
    MakeButton(h.StarMap, h.ZoomInButton, 14, 323, 59, 346, "", "res\\gfx\\hud\\btn_zoom_in.bmp", Does(game, ZoomIn));
    MakeButton(h.StarMap, h.ZoomOutButton, 61, 323, 106, 346, "", "res\\gfx\\hud\\btn_zoom_out.bmp",
               Does(game, ZoomOut));
    h.ZoomInButton.Alpha = 154;
    h.ZoomOutButton.Alpha = 154;
}

void BuildShipAndMarket(Game& game)
{
    Hud& h = game.ui.hud;
    const std::string btn3 = "res\\gfx\\hud\\btn3.bmp";
    MakeWindow(h.ShipWindow, 200, 375, 800, 80);
    h.ShipWindow.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectShipRow(game, x, y, button); };
    h.ShipWindow.Face.pen.Colour = MapPen;
    PaintFace(h.ShipWindow.Face, h.RightFace);
    MakeButton(h.ShipWindow, h.NextPartButton, 170, 130, 185, 145, ">", btn3, Does(game, NextShipPart));
    MakeButton(h.ShipWindow, h.PreviousPartButton, 150, 130, 165, 145, "<", btn3, Does(game, PreviousShipPart));

    MakeWindow(h.Market, 350, 350, 225, 80);
    h.CentreFace = LoadFacePicture(h.Market, "Res\\gfx\\hud\\center.bmp");
    h.Market.ClearToKey();
    h.Market.Face.brush.SetColour(Black);
    h.Market.OnClick = [&game](int16_t x, int16_t y, uint8_t button) { SelectMarketRow(game, x, y, button); };
    MakeButton(h.Market, h.BuyButton, 300, 45, 315, 60, "+", btn3, Does(game, BuyButtonClick));
    MakeButton(h.Market, h.SellButton, 320, 45, 335, 60, "-", btn3, Does(game, SellButtonClick));
}

void BuildNewGameWindow(Game& game)
{
    Hud& h = game.ui.hud;
    kvWindow& w = h.NewGame;
    MakeWindow(w, 350, 350, 225, 80);
    PaintFace(w.Face, h.CentreFace);
    MakeButton(w, h.NextAvatarButton, 280, 90, 300, 150, "", "res\\gfx\\hud\\new_right.bmp", Does(game, NextAvatar));
    MakeButton(w, h.PreviousAvatarButton, 200, 90, 220, 150, "", "res\\gfx\\hud\\new_left.bmp", Does(game, PreviousAvatar));
    h.NameEdit.Create(170, 50, 160, "res\\gfx\\hud\\edit.bmp");
    h.NameEdit.OnClick = Nothing;
    w.AddItem(h.NameEdit);
    const std::string right = "res\\gfx\\hud\\new_right_low.bmp";
    const std::string left = "res\\gfx\\hud\\new_left_low.bmp";
    MakeButton(w, h.NextDifficultyButton, 310, 170, 330, 190, "", right, Does(game, NextDifficulty));
    MakeButton(w, h.PreviousDifficultyButton, 170, 170, 190, 190, "", left, Does(game, PreviousDifficulty));
    MakeButton(w, h.NextSpecialisationButton, 310, 210, 330, 230, "", right,
               Does(game, NextSpecialisation));
    MakeButton(w, h.PreviousSpecialisationButton, 170, 210, 190, 230, "", left,
               Does(game, PreviousSpecialisation));
    for (kvButton* arrow : {&h.NextAvatarButton, &h.PreviousAvatarButton, &h.NextDifficultyButton,
                            &h.PreviousDifficultyButton, &h.NextSpecialisationButton, &h.PreviousSpecialisationButton})
        arrow->Alpha = 230;
    MakeButton(w, h.StartButton, 10, 250, 160, 274, "Start", "res\\gfx\\hud\\btn1.bmp", Does(game, StartNewGame));
    MakeButton(w, h.CancelButton, 190, 250, 340, 274, "Cancel", "res\\gfx\\hud\\btn1.bmp",
               [&game](int16_t, int16_t, uint8_t) {
                   game.ui.hud.NewGame.Visible = 0;
                   game.RepaintNeeded = 1;
               });
    MakeButton(w, h.NextRulesButton, 310, 295, 330, 315, "", right, Does(game, ToggleRules));
    MakeButton(w, h.PreviousRulesButton, 170, 295, 190, 315, "", left, Does(game, ToggleRules));
    h.NextRulesButton.Alpha = h.PreviousRulesButton.Alpha = 230;
    w.Visible = 0;
    game.ui.newGameChoices.AvatarChoice = 1;
    for (std::size_t avatar = 1; avatar <= h.Portraits.Count; ++avatar)
        LoadBmp("Res\\gfx\\avatar\\avatar" + std::to_string(avatar) + ".bmp", h.Portraits[avatar]);
}

void BuildScannerAndSheets(Hud& h)
{
    MakeWindow(h.Scanner, 101, 101, 1, 1);
    LoadFace(h.Scanner, "res\\gfx\\hud\\scanner.bmp");
    h.Scanner.Alpha = 150;
    h.Scanner.Visible = 0;
    MakeWindow(h.OutroSheet, 800, 2100);
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

// The top bar names the track that plays.
void ShowTrackName(Game& game)
{
    if (!game.Sound.SoundEnabled || !game.Sound.MusicOn) return;
    game.ui.hud.TrackNameButton.Caption = std::string(game.Sound.CurrentTrackName());
    game.ui.Marked.TopBar = true;
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

void MakeCentreWindow(Game& game, kvWindow& window, int top, std::function<void(int16_t, int16_t, uint8_t)> onClick)
{
    window.Create(350, 350);
    PaintFace(window.Face, game.ui.hud.CentreFace);
    window.Left = 225;
    window.Top = top;
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

    LoadBmp("res\\gfx\\Loadscreen.bmp", h.TitlePicture, Exactly(800, 600));
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
    MakeWindow(h.TitleWindow, 800, 600);
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
    if (marked.StarMap || marked.StarInfo || marked.Market || marked.ShipWindow || marked.PlayerWindow ||
        marked.TopBar || marked.NewGame || marked.Options || marked.Contracts)
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

void TogglePlayerWindow(Game& game) { ToggleSlide(game, game.ui.hud.PlayerWindow, &kvWindow::Left, -200); }
void ToggleStarInfo(Game& game)
{
    ToggleSlide(game, game.ui.hud.StarInfo, &kvWindow::Left, 800);
    MakeRoomOnTheRight(game.ui.hud, game.ui.hud.StarInfo);
}

void ToggleShipWindow(Game& game)
{
    ToggleSlide(game, game.ui.hud.ShipWindow, &kvWindow::Left, 800);
    MakeRoomOnTheRight(game.ui.hud, game.ui.hud.ShipWindow);
}
void ToggleConsole(Game& game) { ToggleSlide(game, game.ui.hud.ConsoleWindow, &kvWindow::Top, 575); }

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
