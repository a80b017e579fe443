#include "combat/Combat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "base/Numbers.h"
#include "combat/Effects.h"
#include "platform/Blit.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/LoadError.h"

namespace kv {

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180;
constexpr int32_t ObstacleDamage = 300;
constexpr double PilotThrust = 0.001;
constexpr double PilotCruise = 3.0;
// Both headings are multiples of 2.8125, so this holds only when they are equal.
constexpr double AimTolerance = 0.6283185307179586;
constexpr Rgb BeamColour{0, 255, 0};
constexpr Rgb BeamGlowColour{0, 110, 40};
constexpr Rgb PelletColour{255, 255, 0};
constexpr Rgb PlasmaColour{164, 65, 210};
constexpr const char* BulletPicture = "res\\gfx\\models\\bullet.bmp";

void HitByBullet(const BattleContext& context, kvCombatShip& ship, kvBullet& bullet)
{
    Battle& b = context.battle;
    b.Append(MakeExplosion(b, static_cast<uint32_t>(ship.Side), NearestInt(bullet.X), NearestInt(bullet.Y)));
    ship.ShipRecord->Hull.HP = static_cast<int32_t>(ship.ShipRecord->Hull.HP - static_cast<int64_t>(bullet.Damage));
    const uint32_t sample = context.random.Next(3) + 1;
    context.sound.PlaySoundEffect("res\\sfx\\weapon\\small_explosion_" + std::to_string(sample) + ".wav");
    bullet.Dead = 1;
}

bool InShipBox(const kvCombatShip& ship, double x, double y)
{
    const double dx = x - ship.X;
    const double dy = y - ship.Y;
    return 0 < dx && dx < ship.Width && 0 < dy && dy < ship.Height;
}

bool BulletHits(const kvCombatShip& ship, const kvBullet& bullet)
{
    if (bullet.Side == ship.Side || !InShipBox(ship, bullet.X, bullet.Y)) return false;
    const double dx = bullet.X - ship.X;
    const double dy = bullet.Y - ship.Y;
    // In the last half pixel of the box the nearest pixel lies past the
    // picture's edge: there is no ship there, so nothing is hit.
    const int px = NearestInt(dx);
    const int py = NearestInt(dy);
    return ship.Image.Contains(px, py) && ship.Image.Pixel(px, py) != ColourKey;
}

// Centres no more than 0.6 of the ship's width apart, whatever the rock's size.
bool ObstacleTouches(const kvCombatShip& ship, const kvObstacle& rock)
{
    const double dx = (ship.Width / 2 + ship.X) - (rock.X + rock.Width / 2);
    const double dy = (ship.Height / 2 + ship.Y) - (rock.Y + rock.Height / 2);
    return 0.6 * ship.Width >= std::sqrt(dx * dx + dy * dy);
}

// Which bullets hit the ship and which asteroids touch it, in list order.
// Deciding a hit changes nothing that another hit depends on, so the
// candidates are tested in any order and only the hits are put in order.
// The box searched holds every point where a bullet can hit (inside the
// ship's box) and every asteroid centre that touches (within 0.6 of the
// ship's width of its centre), widened by a pixel so that rounding never
// leaves one out.
std::vector<uint32_t> FindHits(const Battle& b, const kvCombatShip& ship)
{
    std::vector<uint32_t> hits;
    const double reach = 0.6 * ship.Width;
    const double cx = ship.Width / 2 + ship.X;
    const double cy = ship.Height / 2 + ship.Y;
    b.Hits.ForEachIn(std::min(ship.X, cx - reach) - 1, std::min(ship.Y, cy - reach) - 1,
                       std::max(ship.X + ship.Width, cx + reach) + 1, std::max(ship.Y + ship.Height, cy + reach) + 1,
                       b.CombatObjects.size(), [&](const HitCandidate& c) {
                           // The grid leaves out the ship's own side's
                           // bullets; most others near it are outside its
                           // box, told from the filing alone, without
                           // reading the bullet.
                           if (c.IsBullet && (c.Side == ship.Side || !InShipBox(ship, c.X, c.Y))) return;
                           const kvCombatObject& o = *b.CombatObjects[c.Position];
                           const bool hit = o.Class == ObjectClass::Bullet
                                                ? BulletHits(ship, static_cast<const kvBullet&>(o))
                                                : ObstacleTouches(ship, static_cast<const kvObstacle&>(o));
                           if (hit) hits.push_back(c.Position);
                       },
                       ship.Side);
    std::sort(hits.begin(), hits.end());
    return hits;
}

void RammedObstacle(const BattleContext& context, kvCombatShip& ship, kvObstacle& rock)
{
    Battle& b = context.battle;
    ship.ShipRecord->Hull.HP = ClampToInt32(int64_t{ship.ShipRecord->Hull.HP} - ObstacleDamage);
    b.Append(MakeExplosion(b, static_cast<uint32_t>(ship.Side), NearestInt(rock.X), NearestInt(rock.Y)));
    context.sound.PlaySoundEffect("res\\sfx\\weapon\\collision.wav");
    rock.Dead = 1;
}

// An enemy's loss lowers the count of hostiles, never below 0; the player's
// own loss is not an enemy's and ends the battle by itself.
void ShipDestroyed(Battle& b, kvCombatShip& ship)
{
    ship.Dead = 1;
    if (ship.Side == PlayerSide) return;
    if (b.HostilesLeft > 0) --b.HostilesLeft;
    b.EnemiesDestroyed.push_back({ship.ShipRecord->Hull, ship.ShipRecord->Weapons[1]});
}

double BearingTo(const kvCombatObject& from, const kvCombatObject& to)
{
    const double dy = to.Y - from.Y;
    const double d = (to.X - from.X) + 0.0001;
    if (from.X < to.X) return NormalizeAngle(std::atan(dy / d) / DegreesToRadians);
    if (from.X > to.X) return NormalizeAngle((std::atan(dy / d) - std::numbers::pi) / DegreesToRadians);
    return to.Y >= from.Y ? 90 : 270;
}

// Plain comparisons, with no shortest way across 0/360: a ship at 357.1875
// aiming at 2.8125 turns the long way round.
bool TurnToward(kvCombatShip& ship)
{
    bool turned = false;
    if (ship.Angle < ship.DesiredAngle) {
        ship.Angle = NormalizeAngle(ship.Angle + HeadingStep);
        turned = true;
    }
    if (ship.Angle > ship.DesiredAngle) {
        ship.Angle = NormalizeAngle(ship.Angle - HeadingStep);
        turned = true;
    }
    return turned;
}

// Adding a zero of either sign leaves a number as it is, except a -0 that
// meets a +0 and becomes +0.
bool KeptAddingZero(double v) { return v != 0 || !std::signbit(v); }

void DrawPlasmaKnot(Canvas& canvas, const kvBullet& bullet, double sx, double sy)
{
    for (int k = 0; k < 3; ++k) {
        const double phi = static_cast<double>(bullet.Age) + k * 2 * std::numbers::pi / 3;
        const double cx = sx + 2 * std::cos(phi);
        const double cy = sy + 2 * std::sin(phi);
        canvas.Ellipse(NearestInt(cx - 2), NearestInt(cy - 2), NearestInt(cx + 2),
                       NearestInt(cy + 2));
    }
}

}  // namespace

kvCombatObject::kvCombatObject(ObjectClass objectClass, uint16_t width, uint16_t height)
    : Class(objectClass), Width(width), Height(height), Image(width, height)
{
}

kvBullet::kvBullet(const kvCombatShip& ship, const kvWeapon& weapon, const Bitmap& picture)
    : kvCombatObject(ObjectClass::Bullet, 2, 2)
{
    const double heading = ship.Angle * DegreesToRadians;
    VX = std::cos(heading) * weapon.Speed + ship.VX;
    VY = std::sin(heading) * weapon.Speed + ship.VY;
    X = ship.Width / 2.0 + ship.X;
    Y = ship.Height / 2.0 + ship.Y;
    Angle = ship.Angle;
    Side = ship.Side;
    Damage = static_cast<uint16_t>(weapon.Damage);
    Kind = weapon.WeaponType;
    Length = weapon.Length;
    LoadImage(*this, picture);
}

std::shared_ptr<const OpaqueRuns> Battle::RunsOf(const std::string& path, Rgb key)
{
    auto found = PictureRuns.find(path);
    if (found != PictureRuns.end()) return found->second;
    const std::shared_ptr<const Bitmap> picture = Picture(path);
    auto runs = NamingTheFileWhenMemoryRunsOut(
        path, [&] { return std::make_shared<const OpaqueRuns>(*picture, KeyedBy(key)); });
    PictureRuns.emplace(path, runs);
    return runs;
}

std::shared_ptr<const Bitmap> Battle::Picture(const std::string& path, PictureSize size)
{
    auto found = Pictures.find(path);
    if (found != Pictures.end()) return found->second;
    auto picture = std::make_shared<Bitmap>();
    LoadBmp(path, *picture, size);
    Pictures.emplace(path, picture);
    return picture;
}

void Battle::GiveStrip(const std::string& path, kvCombatObject& object)
{
    const Bitmap& image = object.Image;
    const std::string key = path + "@" + std::to_string(image.Width()) + "x" + std::to_string(image.Height());
    auto found = Strips.find(key);
    if (found == Strips.end()) {
        const TurningPicture made = NamingTheFileWhenMemoryRunsOut(path, [&] {
            auto strip = std::make_shared<const Bitmap>(MakeRotationStrip(image, StripFrames));
            return TurningPicture{strip, std::make_shared<const OpaqueRuns>(*strip, KeyedBy(ColourKey))};
        });
        found = Strips.emplace(key, made).first;
    }
    object.Frames = found->second.Frames;
    object.FrameRuns = found->second.Runs;
}

kvCombatObject* Battle::TargetObject(ShipTarget target) const
{
    switch (target) {
    case ShipTarget::PlayerShip: return PlayerCombatShip;
    case ShipTarget::Attractor: return TheAttractor;
    case ShipTarget::None: break;
    }
    return nullptr;
}

double NormalizeAngle(double a)
{
    // A heading that is no number (the bearing of a zero vector) faces 360.
    // Steps are counted modulo a whole turn first, so that no size of input
    // can keep the loops below from ending; the result is the same.
    if (!std::isfinite(a)) return 360;
    double c = std::fmod(std::nearbyint(a * 128 / 360), 128.0) * HeadingStep;
    while (c > 360) c -= 360;
    while (c <= 0) c += 360;
    return c;
}

double VectorLength(double a, double b) { return std::sqrt(a * a + b * b); }

int FrameForHeading(double angle)
{
    const auto f = Nearest(angle * 128 / 360);
    return static_cast<int>(((f - 1) % StripFrames + StripFrames) % StripFrames + 1);
}

void LoadImage(kvCombatObject& object, const Bitmap& picture)
{
    Canvas canvas(object.Image);
    object.Image.Fill(ColourKey);
    canvas.Draw((object.Width - picture.Width()) / 2, (object.Height - picture.Height()) / 2, picture);
}

// Most objects move without thrust: the thrust's share is a zero then, so
// the heading's cosine and sine are needed only where that zero could flip
// the sign of a zero velocity or a heading that is no number could spoil it.
void MotionStep(kvCombatObject& object)
{
    if (object.Thrust == 0 && std::isfinite(object.Angle) && KeptAddingZero(object.VX) && KeptAddingZero(object.VY)) {
        object.X += object.VX;
        object.Y += object.VY;
        return;
    }
    const double heading = object.Angle * DegreesToRadians;
    object.VX += std::cos(heading) * object.Thrust;
    object.VY += std::sin(heading) * object.Thrust;
    object.X += object.VX;
    object.Y += object.VY;
    object.Thrust = 0;
}

bool StripHasFrame(const kvCombatObject& object, int frame)
{
    if (!object.Frames) return false;
    const int h = object.Image.Height();
    const int first = (frame - 1) * h;
    return first >= 0 && first + h <= object.Frames->Height() && object.Frames->Width() == object.Image.Width();
}

void ShowFrame(kvCombatObject& object, int frame)
{
    if (object.ShownFrame == frame || !StripHasFrame(object, frame)) return;
    const int h = object.Image.Height();
    const int first = (frame - 1) * h;
    std::memcpy(object.Image.Data(), object.Frames->Row(first), static_cast<std::size_t>(h) * object.Image.Stride());
    object.ShownFrame = frame;
}

void DrawImage(const Bitmap& image, int sx, int sy, uint16_t alpha, Rgb key, Bitmap& target)
{
    Blit(target, sx, sy, image, BlitStyle().Keyed(KeyedBy(key)).Blended(alpha).ShortOfLastColumnAndRow());
}

// The frame, Width x Height, is read from the strip with the strip's drawn
// runs, which give the same pixels as the keyed copy of the image without
// looking at each.
void DrawFrame(const kvCombatObject& object, int sx, int sy, Rgb key, Bitmap& target)
{
    if (!object.FrameRuns || object.ShownFrame == 0) {
        DrawImage(object.Image, sx, sy, object.Alpha, key, target);
        return;
    }
    const SourceArea frame{0, int64_t{object.ShownFrame - 1} * object.Height, object.Width, object.Height};
    Blit(target, sx, sy, *object.Frames,
         BlitStyle().From(frame).Keyed(KeyedBy(key)).Blended(object.Alpha).ShortOfLastColumnAndRow().WithRuns(
             object.FrameRuns.get()));
}

void DrawObject(kvCombatObject& object, Bitmap& target, int32_t cameraX, int32_t cameraY)
{
    ShowFrame(object, FrameForHeading(object.Angle));
    const int sx = ClampToInt32(Nearest(object.X) - cameraX);
    const int sy = ClampToInt32(Nearest(object.Y) - cameraY);
    DrawFrame(object, sx, sy, ColourKey, target);
}

void FireWeapon(const BattleContext& context, kvCombatShip& ship, std::size_t slot)
{
    kvWeapon& weapon = ship.ShipRecord->Weapons[slot];
    if (weapon.ReloadCounter != 0) return;
    context.sound.PlaySoundEffect("res\\sfx\\weapon\\" + weapon.Name + ".wav");
    Battle& b = context.battle;
    b.Append(std::make_unique<kvBullet>(ship, weapon, *b.Picture(BulletPicture)));
    weapon.ReloadCounter = static_cast<uint16_t>(weapon.Reload);
}

void CountDownReload(kvCombatShip& ship)
{
    uint16_t& counter = ship.ShipRecord->Weapons[1].ReloadCounter;
    if (counter > 0) --counter;
}

void DrawBullet(const kvBullet& bullet, Bitmap& target, int32_t cameraX, int32_t cameraY)
{
    const double sx = bullet.X - cameraX;
    const double sy = bullet.Y - cameraY;
    Canvas canvas(target);
    switch (bullet.Kind) {
    case 0: {
        // A beam: a dim glow 4 pixels wide under its 2-pixel core.
        const int x1 = ClampToInt32(static_cast<int64_t>(sx)), y1 = NearestInt(sy);
        const int x2 = ClampToInt32(static_cast<int64_t>(sx + bullet.VX * bullet.Length));
        const int y2 = NearestInt(sy + bullet.VY * bullet.Length);
        target.pen.Colour = BeamGlowColour;
        target.pen.Width = 4;
        canvas.Line(x1, y1, x2, y2);
        target.pen.Colour = BeamColour;
        target.pen.Width = 2;
        canvas.Line(x1, y1, x2, y2);
        break;
    }
    case 1:
        target.pen.Colour = PelletColour;
        target.pen.Width = 1;
        canvas.Ellipse(NearestInt(sx - 1), NearestInt(sy - 1), NearestInt(sx + 1),
                       NearestInt(sy + 1));
        break;
    case 2:
        target.pen.Colour = PlasmaColour;
        target.pen.Width = 1;
        DrawPlasmaKnot(canvas, bullet, sx, sy);
        break;
    default: break;
    }
}

void AgeBullet(kvBullet& bullet)
{
    if (bullet.Lifetime > bullet.Age) ++bullet.Age;
    else bullet.Dead = 1;
}

// Only the objects in the list on entry are examined, so the explosions this
// test appends are not. A bullet that hit a ship earlier in the tick is
// already dead but can still hit a ship examined later.
void CheckCollisions(const BattleContext& context, kvCombatShip& ship)
{
    Battle& b = context.battle;
    const FiledHits filed(b.Hits, b.CombatObjects);
    for (uint32_t i : FindHits(b, ship)) {
        kvCombatObject& o = *b.CombatObjects[i];
        if (o.Class == ObjectClass::Bullet) HitByBullet(context, ship, static_cast<kvBullet&>(o));
        else RammedObstacle(context, ship, static_cast<kvObstacle&>(o));
    }
    if (ship.ShipRecord->Hull.HP <= 0) ShipDestroyed(b, ship);
}

void ChaseTarget(const BattleContext& context, kvCombatShip& ship)
{
    kvCombatObject* target = context.battle.TargetObject(ship.Target);
    if (target == nullptr) return;
    ship.CurrentSpeed = VectorLength(ship.VY, ship.VX);
    target->CurrentSpeed = VectorLength(target->VY, target->VX);
    ship.DesiredAngle = BearingTo(ship, *target);
    const bool turned = TurnToward(ship);
    if (std::abs(ship.Angle - ship.DesiredAngle) < AimTolerance) FireWeapon(context, ship, 1);
    ship.Thrust = 0;
    if (ship.CurrentSpeed < PilotCruise) ship.Thrust = PilotThrust;
    if (turned) ship.Thrust = PilotThrust;
}

}  // namespace kv
