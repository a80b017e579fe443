#include "shell/CombatScene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "base/Numbers.h"
#include "combat/Combat.h"
#include "combat/Effects.h"
#include "game/Game.h"
#include "game/SaveGames.h"
#include "hud/Hud.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/DataPath.h"
#include "platform/Fonts.h"
#include "platform/LoadError.h"
#include "universe/Career.h"

namespace kv {

namespace {

constexpr double PlayerThrust = 0.01;
constexpr double TurnKeyStep = 2;
constexpr int32_t HullPointsKey = 1000;
constexpr uint16_t AsteroidKey = 'N';
constexpr uint16_t RepairKey = 'M';
constexpr uint16_t ShipSize = 92;
constexpr Rgb RadarColour{0, 255, 0};
constexpr Rgb BlipColour{255, 204, 0};
constexpr Rgb BlipRimColour{255, 255, 0};
// The radar's blips by side: the player's ship, the enemies, the asteroids.
constexpr Rgb PlayerBlipColour{80, 220, 255};
constexpr Rgb EnemyBlipColour{255, 70, 50};
constexpr Rgb AsteroidBlipColour{150, 150, 150};
// The brackets that mark the player's ship apart from enemies of its hull.
constexpr Rgb PlayerMarkColour{80, 220, 255};
// The readout of hull points and weapon, top right.
constexpr Rgb ReadoutBacking{0, 24, 12};
constexpr Rgb ReadoutFrame{0, 150, 60};
constexpr Rgb ReadoutText{0, 249, 0};
constexpr Rgb BarEmpty{0, 60, 20};
constexpr Rgb HullGood{0, 220, 60};
constexpr Rgb HullLow{240, 200, 0};
constexpr Rgb HullCritical{240, 50, 30};
constexpr Rgb ReloadColour{80, 220, 255};
constexpr Rgb WonColour{252, 210, 69};
constexpr Rgb LostColour{255, 80, 60};

std::string ModelPicture(const std::string& hullName) { return "res\\gfx\\models\\" + hullName + ".bmp"; }

std::unique_ptr<kvCombatShip> MakeCombatShip(Battle& battle, kvShip& record)
{
    const std::string path = ModelPicture(record.Hull.Name);
    auto ship = std::make_unique<kvCombatShip>(ShipSize, ShipSize);
    LoadImage(*ship, *battle.Picture(path));
    ship->ShipRecord = &record;
    battle.GiveStrip(path, *ship);
    return ship;
}

// An enemy's record holds only what a battle uses: the hull, and the weapon
// in slot 1. The set-up's enemy also carries the hull's name.
std::unique_ptr<kvShip> EnemyRecord(const ShipCatalogue& catalogue, std::size_t hull, std::size_t weapon, bool named)
{
    auto record = std::make_unique<kvShip>();
    record->Hull = catalogue.HullCatalogue[hull];
    if (named) record->Name = record->Hull.Name;
    record->WeaponSlot = 1;
    record->Weapons[1] = catalogue.WeaponCatalogue[weapon];
    return record;
}

void AddEnemy(Game& game, std::unique_ptr<kvShip> record, ShipTarget target)
{
    Battle& b = game.battle;
    auto ship = MakeCombatShip(b, *record);
    ship->X = game.world.random.Next(800);
    ship->Y = game.world.random.Next(600);
    ship->OwnRecord = std::move(record);
    ship->Target = target;
    ship->Side = EnemySide;
    ship->Autopilot = ChaseTarget;
    b.Append(std::move(ship));
    ++b.HostilesLeft;
}

void AddPlayerShip(Game& game)
{
    Battle& b = game.battle;
    auto ship = MakeCombatShip(b, game.world.Ship);
    ship->Side = PlayerSide;
    ship->X = 400;
    ship->Y = 300;
    b.PlayerCombatShip = &b.Append(std::move(ship));
}

// Why the battle cannot be fought, if it cannot: the player's hull and the
// set-up enemy's (catalogue entry 2) must exist and have their pictures.
std::optional<std::string> MissingShips(const Game& game)
{
    const ShipCatalogue& c = game.world.Equipment;
    if (c.HullCount < 2) return "the hull catalogue has fewer than two ships";
    for (const std::string& hull : {game.world.Ship.Hull.Name, c.HullCatalogue[2].Name})
        if (hull.empty() || !DataFileExists(ModelPicture(hull))) return "no picture of the hull \"" + hull + "\"";
    return std::nullopt;
}

void HideHudWindows(Hud& hud)
{
    for (kvWindow* w : hud.WindowTable)
        if (w != nullptr) w->Visible = 0;
}

void ReportSpawnFault(Game& game, uint16_t key, const std::string& why)
{
    if (game.battle.ReportedSpawnKeys.test(key)) return;
    game.battle.ReportedSpawnKeys.set(key);
    game.ui.Console.Add(std::string("No enemy for key ") + static_cast<char>(key) + ": " + why, MessageKind::Alert);
}

// A key whose catalogue entry is missing, or whose picture cannot be read,
// adds nothing and is reported once per battle, however long it is held.
void SpawnEnemy(Game& game, uint16_t key, std::size_t hull, std::size_t weapon)
{
    const ShipCatalogue& c = game.world.Equipment;
    if (hull > c.HullCount || c.HullCatalogue[hull].Name.empty()) {
        ReportSpawnFault(game, key, "hull " + std::to_string(hull) + " is not in the catalogue");
        return;
    }
    if (weapon > c.WeaponCount) {
        ReportSpawnFault(game, key, "weapon " + std::to_string(weapon) + " is not in the catalogue");
        return;
    }
    try {
        AddEnemy(game, EnemyRecord(c, hull, weapon, false), ShipTarget::PlayerShip);
    } catch (const LoadError& e) {
        ReportSpawnFault(game, key, e.what());
    }
}

void SpawnHeldKeys(Game& game)
{
    for (std::size_t h = 0; h < SpawnKeys.size(); ++h)
        for (std::size_t w = 0; w < SpawnKeys[h].size(); ++w)
            if (game.Keys.IsDown(SpawnKeys[h][w])) SpawnEnemy(game, SpawnKeys[h][w], h + 1, w + 1);
}

// A career's battle pays for every enemy destroyed, and a lost ship costs
// its cargo and repairs.
void PayForBattle(Game& game)
{
    for (const DestroyedEnemy& enemy : game.battle.EnemiesDestroyed) PayForKill(game.world, enemy.Hull, enemy.Weapon);
    if (game.battle.PlayerLost) LoseShip(game.world);
    game.ui.Marked.PlayerWindow = game.ui.Marked.Market = true;
}

void SteerPlayer(const Bindings& controls, const KeyState& keys, const PadState& pads, kvCombatShip& player)
{
    if (controls.Held(Action::Reverse, keys, pads)) player.Thrust = -PlayerThrust;
    if (controls.Held(Action::TurnLeft, keys, pads)) player.Angle = NormalizeAngle(player.Angle - TurnKeyStep);
    if (controls.Held(Action::TurnRight, keys, pads)) player.Angle = NormalizeAngle(player.Angle + TurnKeyStep);
    if (controls.Held(Action::Thrust, keys, pads)) player.Thrust = PlayerThrust;
}

void EndBattle(Game& game)
{
    LeaveCombat(game);
    game.SwitchScene(SceneSpace);
    Autosave(game);
}

// Black is all zero bytes, and the rows lie end to end.
void ClearToBlack(Bitmap& frame)
{
    frame.pen.Colour = Black;
    frame.pen.Style = PenStyle::Solid;
    frame.brush.SetColour(Black);
    std::memset(frame.Data(), 0, static_cast<std::size_t>(frame.Height()) * frame.Stride());
}

void StepShip(Game& game, kvCombatShip& ship)
{
    if (ship.Autopilot != nullptr) ship.Autopilot(BattleContextOf(game), ship);
    CheckCollisions(BattleContextOf(game), ship);
    game.battle.Append(std::make_unique<kvExhaust>(ship));
    CountDownReload(ship);
}

void StepObject(Game& game, kvCombatObject& o)
{
    Battle& b = game.battle;
    switch (o.Class) {
    case ObjectClass::Ship: StepShip(game, static_cast<kvCombatShip&>(o)); break;
    case ObjectClass::Attractor: UpdateAttractor(b, static_cast<kvAttractor&>(o)); break;
    case ObjectClass::Exhaust: UpdateExhaust(static_cast<kvExhaust&>(o)); break;
    case ObjectClass::Obstacle: UpdateObstacle(b, static_cast<kvObstacle&>(o)); break;
    case ObjectClass::Bullet:
    case ObjectClass::Explosion: break;
    }
}

// Four corner brackets round the player's ship, a little inside its
// picture's box, so that it stands apart from enemies of the same hull.
void DrawPlayerMark(const kvCombatObject& ship, Bitmap& frame, int32_t cameraX, int32_t cameraY)
{
    constexpr int Inset = 14, Arm = 10;
    const int x1 = ClampToInt32(Nearest(ship.X) - cameraX) + Inset;
    const int y1 = ClampToInt32(Nearest(ship.Y) - cameraY) + Inset;
    const int x2 = x1 + ship.Width - 2 * Inset, y2 = y1 + ship.Height - 2 * Inset;
    Canvas canvas(frame);
    const Rgb pen = frame.pen.Colour;
    const int width = frame.pen.Width;
    frame.pen.Colour = PlayerMarkColour;
    frame.pen.Width = 1;
    for (const auto& [x, y, dx, dy] : {std::array{x1, y1, 1, 1}, std::array{x2, y1, -1, 1}, std::array{x1, y2, 1, -1},
                                       std::array{x2, y2, -1, -1}}) {
        canvas.Line(x, y, x + dx * Arm, y);
        canvas.Line(x, y, x, y + dy * Arm);
    }
    frame.pen.Colour = pen;
    frame.pen.Width = width;
}

void DrawByClass(Game& game, kvCombatObject& o)
{
    Battle& b = game.battle;
    Bitmap& frame = game.BackBuffer;
    switch (o.Class) {
    case ObjectClass::Explosion: UpdateAndDrawExplosion(b, static_cast<kvExplosion&>(o), frame); break;
    case ObjectClass::Bullet: DrawBullet(static_cast<kvBullet&>(o), frame, b.CameraX, b.CameraY); break;
    case ObjectClass::Exhaust: DrawExhaust(b, static_cast<kvExhaust&>(o), frame); break;
    case ObjectClass::Obstacle: DrawObject(o, frame, b.CameraX, b.CameraY); break;
    case ObjectClass::Ship:
        DrawObject(o, frame, b.CameraX, b.CameraY);
        if (&o == b.PlayerCombatShip) DrawPlayerMark(o, frame, b.CameraX, b.CameraY);
        break;
    case ObjectClass::Attractor: break;
    }
}

void FollowPlayer(Battle& b)
{
    const kvCombatShip* p = b.PlayerCombatShip;
    if (p == nullptr) return;
    b.CameraX = NearestInt(p->X - 400);
    b.CameraY = NearestInt(p->Y - 300);
}

// The objects lie wherever they were allocated, one by one: in a crowded
// battle most of a step's time would go into waiting for its object's
// memory. So the walk asks for the object a few steps ahead, every cache
// line of it, while it works on this one. The asking is always inlined: a
// function of this file that only prefetches changes nothing the compiler
// must keep, and it drops every call to it.
constexpr std::size_t ObjectsAhead = 12;
constexpr std::size_t CacheLine = 64;

[[gnu::always_inline]] inline void FetchAhead(const Battle& b, std::size_t i)
{
    if (i + ObjectsAhead >= b.CombatObjects.size()) return;
    const auto* object = reinterpret_cast<const char*>(b.CombatObjects[i + ObjectsAhead].get());
    for (std::size_t line = 0; line < sizeof(kvCombatShip); line += CacheLine) __builtin_prefetch(object + line);
}

// The list's length is read again at every step, so the exhaust, bullets
// and explosions appended during the walk are moved and drawn in this tick.
// The hit grid follows the walk: an object is filed again where it moved
// to, so each ship's hit test sees every bullet and asteroid where it is at
// that moment.
void WalkObjects(Game& game)
{
    Battle& b = game.battle;
    const FiledHits filed(b.Hits, b.CombatObjects);
    for (std::size_t i = 0; i < b.CombatObjects.size(); ++i) {
        FetchAhead(b, i);
        kvCombatObject& o = *b.CombatObjects[i];
        StepObject(game, o);
        MotionStep(o);
        b.Hits.File(i, o);
        FollowPlayer(b);
        DrawByClass(game, o);
        game.BackBuffer.pen.Colour = BlipRimColour;
        if (o.Class == ObjectClass::Bullet) AgeBullet(static_cast<kvBullet&>(o));
    }
}

// Once the player's destroyed ship is swept away nothing may refer to it:
// the camera, stars, attractor, radar, keys and pilots all see no player.
void SweepDead(Battle& b)
{
    if (b.PlayerCombatShip != nullptr && b.PlayerCombatShip->Dead == 1) {
        b.PlayerCombatShip = nullptr;
        b.PlayerLost = true;
    }
    std::erase_if(b.CombatObjects, [](const std::unique_ptr<kvCombatObject>& o) { return o->Dead == 1; });
}

void DrawRadarFrame(Battle& b, Bitmap& frame)
{
    Canvas canvas(frame);
    frame.pen.Colour = RadarColour;
    canvas.Ellipse(0, 0, 100, 100);
    const int64_t x = -int64_t{b.CameraX}, y = -int64_t{b.CameraY};
    canvas.Ellipse(ClampToInt32(x - 5), ClampToInt32(y - 5), ClampToInt32(x + 5), ClampToInt32(y + 5));
    frame.brush.SetColour(BlipColour);
    frame.pen.Colour = BlipColour;
}

// An object's place on the screen scaled down 200 times; one beyond radius
// 50 is pulled in to radius 40 on the same bearing.
Point BlipPlace(const kvCombatObject& object, const kvCombatShip& player)
{
    auto u = Nearest((object.X - player.X + 400) / 200);
    auto t = Nearest((object.Y - player.Y + 300) / 200);
    if (u * u + t * t > 2500) {
        const double d = std::sqrt(static_cast<double>(u * u + t * t));
        u = Nearest(static_cast<double>(u) * 40 / d);
        t = Nearest(static_cast<double>(t) * 40 / d);
    }
    return {static_cast<int>(u), static_cast<int>(t)};
}

void DrawBlip(const kvCombatShip& ship, const kvCombatShip& player, Canvas& canvas)
{
    const Point at = BlipPlace(ship, player);
    canvas.Ellipse(at.X + 49, at.Y + 49, at.X + 51, at.Y + 51);
}

// Asteroids first, as single grey pixels, so that the ships' blips lie over
// them; then every ship in its side's colour, the player's own last.
void DrawBlips(Battle& b, Bitmap& frame)
{
    const kvCombatShip* player = b.PlayerCombatShip;
    if (player == nullptr) return;
    Canvas canvas(frame);
    for (std::size_t i = 1; i < b.CombatObjects.size(); ++i) {
        const kvCombatObject& o = *b.CombatObjects[i];
        if (o.Class != ObjectClass::Obstacle) continue;
        const Point at = BlipPlace(o, *player);
        frame.SetPixel(at.X + 50, at.Y + 50, AsteroidBlipColour);
    }
    for (std::size_t i = 1; i < b.CombatObjects.size(); ++i) {
        const kvCombatObject& o = *b.CombatObjects[i];
        if (o.Class != ObjectClass::Ship || &o == player) continue;
        frame.pen.Colour = EnemyBlipColour;
        frame.brush.SetColour(EnemyBlipColour);
        DrawBlip(static_cast<const kvCombatShip&>(o), *player, canvas);
    }
    frame.pen.Colour = PlayerBlipColour;
    frame.brush.SetColour(PlayerBlipColour);
    DrawBlip(*player, *player, canvas);
}

// A bar of `fill` (0..1) of its width over a dark groove.
void DrawBar(Canvas& canvas, Bitmap& frame, int x, int y, int width, int height, double fill, Rgb colour)
{
    frame.brush.SetColour(BarEmpty);
    canvas.FillRect(x, y, x + width, y + height);
    frame.brush.SetColour(colour);
    canvas.FillRect(x, y, x + static_cast<int>(width * std::clamp(fill, 0.0, 1.0)), y + height);
}

Rgb HullColour(double fill)
{
    if (fill > 0.5) return HullGood;
    if (fill > 0.25) return HullLow;
    return HullCritical;
}

// One line of the readout: a label at the left, its value at the right,
// and a bar under both.
void ReadoutLine(Canvas& canvas, Bitmap& frame, int top, const std::string& label, const std::string& value,
                 double fill, Rgb colour)
{
    constexpr int Left = 602, Right = 788;
    frame.brush.Style = BrushStyle::Clear;
    canvas.TextOut(Left, top, label);
    canvas.TextOut(Right - canvas.TextWidth(value), top, value);
    DrawBar(canvas, frame, Left, top + 18, Right - Left, 6, fill, colour);
    frame.brush.Style = BrushStyle::Clear;
}

// Top right: the hull points as a number and a bar, and the weapon with the
// part of its reload still to go.
void DrawReadout(Game& game, Bitmap& frame)
{
    Canvas canvas(frame);
    frame.pen.Colour = ReadoutFrame;
    frame.pen.Width = 1;
    frame.pen.Style = PenStyle::Solid;
    frame.brush.SetColour(ReadoutBacking);
    canvas.Rectangle(596, 4, 794, 70);
    frame.font = Font{"Fixedsys", 9, ReadoutText};

    const kvShip& ship = game.world.Ship;
    const int32_t full = std::max<int32_t>(1, game.world.Equipment.HullCatalogue[1].HP);
    const int32_t hp = game.battle.PlayerCombatShip != nullptr ? std::max<int32_t>(0, ship.Hull.HP) : 0;
    const double hull = static_cast<double>(hp) / full;
    ReadoutLine(canvas, frame, 7, "Hull", std::to_string(hp), hull, HullColour(hull));

    const kvWeapon& weapon = ship.Weapons[1];
    const bool ready = weapon.ReloadCounter == 0;
    const double loaded = weapon.Reload > 0 ? 1.0 - static_cast<double>(weapon.ReloadCounter) / weapon.Reload : 1.0;
    ReadoutLine(canvas, frame, 39, weapon.Name, ready ? "ready" : "loading", loaded, ready ? HullGood : ReloadColour);
    frame.font = Font{"Fixedsys", 10, RadarColour};
}

// "Victory" or "Ship lost" across the middle of the view, on a dark band,
// while the battle's last frames run on.
void DrawEndingBanner(Battle& b, Bitmap& frame)
{
    if (b.Ending == BattleEnding::None) return;
    const bool won = b.Ending == BattleEnding::Won;
    const char* text = won ? "Victory" : "Ship lost";
    Canvas canvas(frame);
    frame.pen.Colour = won ? WonColour : LostColour;
    frame.pen.Width = 1;
    frame.pen.Style = PenStyle::Solid;
    frame.brush.SetColour(ReadoutBacking);
    canvas.Rectangle(250, 262, 550, 322);
    frame.font = Font{"Arial Black", 24, won ? WonColour : LostColour};
    frame.brush.Style = BrushStyle::Clear;
    const TextExtent size = canvas.TextSize(text);
    canvas.TextOut(400 - size.Width / 2, 292 - size.Height / 2, text);
    frame.font = Font{"Fixedsys", 10, RadarColour};
}

}  // namespace

void SetUpBattle(Game& game)
{
    if (const std::optional<std::string> why = MissingShips(game)) {
        game.ui.Console.Add("The battle is called off: " + *why, MessageKind::Alert);
        return;
    }
    game.CurrentScene = SceneCombat;
    game.battle = Battle{};
    Battle& b = game.battle;
    InitStarField(b.Stars, game.world.random);
    game.world.Ship.Hull.HP = game.world.Equipment.HullCatalogue[1].HP;
    CreateAttractor(BattleContextOf(game));
    game.world.random.Randomize();
    HideHudWindows(game.ui.hud);
    LoadBmp("res\\gfx\\backgrounds\\combat_tiles1.bmp", b.CombatTiles);
    game.BackBuffer.pen.Mode = PenMode::Copy;
    AddPlayerShip(game);
    AddEnemy(game, EnemyRecord(game.world.Equipment, 2, 2, true), ShipTarget::Attractor);
    AddSetUpObstacles(BattleContextOf(game));
    game.ui.hud.Scanner.Visible = 1;
    game.Sound.PlayMusic("res\\sfx\\sndtr\\combat.mod");
}

void CombatInput(Game& game)
{
    const KeyState& keys = game.Keys;
    const PadState& pads = game.Pads;
    const Bindings& controls = game.ui.Controls;
    if (controls.Held(Action::Leave, keys, pads)) {
        EndBattle(game);
        return;
    }
    // Once the battle is over only Esc counts: the banner shows what happened.
    if (game.battle.Ending != BattleEnding::None) return;
    kvCombatShip* player = game.battle.PlayerCombatShip;
    if (player != nullptr) SteerPlayer(controls, keys, pads, *player);
    if (controls.Held(Action::Fire, keys, pads) && player != nullptr && player->Dead == 0) FireWeapon(BattleContextOf(game), *player, 1);
    SpawnHeldKeys(game);
    if (keys.IsDown(AsteroidKey)) AddRandomObstacle(BattleContextOf(game));
    if (keys.IsDown(RepairKey)) game.world.Ship.Hull.HP = ClampToInt32(int64_t{game.world.Ship.Hull.HP} + HullPointsKey);
}

void ComposeCombatFrame(Game& game)
{
    Battle& b = game.battle;
    if (b.Ending == BattleEnding::None && (b.PlayerLost || b.HostilesLeft == 0)) {
        if (b.PlayerLost) game.ui.Console.Add(PlayerLostText, MessageKind::Alert);
        b.Ending = b.PlayerLost ? BattleEnding::Lost : BattleEnding::Won;
        b.EndingFramesLeft = EndingBannerFrames;
    }
    if (b.Ending != BattleEnding::None && b.EndingFramesLeft-- == 0) {
        EndBattle(game);
        return;
    }
    Bitmap& frame = game.BackBuffer;
    ClearToBlack(frame);
    const kvCombatShip* player = b.PlayerCombatShip;
    DrawStarField(b.Stars, frame, player ? player->VX : 0, player ? player->VY : 0);
    frame.font.Colour = RadarColour;
    frame.font.Size = 10;
    frame.brush.Style = BrushStyle::Clear;
    WalkObjects(game);
    SweepDead(b);
    DrawRadarFrame(b, frame);
    DrawVisibleWindows(game.ui.hud, game.BackBuffer);
    DrawBlips(b, frame);
    DrawReadout(game, frame);
    DrawEndingBanner(b, frame);
    frame.pen.Style = PenStyle::Clear;
}

void LeaveCombat(Game& game)
{
    if (IsCareer(game.world)) PayForBattle(game);
    game.ui.hud.Scanner.Visible = 0;
    game.battle = Battle{};
}

}  // namespace kv
