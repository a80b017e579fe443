#include "combat/Effects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "base/Numbers.h"
#include "platform/Blit.h"
#include "platform/Canvas.h"

namespace kv {

namespace {

constexpr const char* ExplosionPicture = "res\\gfx\\models\\explosion1.bmp";
constexpr uint16_t TicksPerExplosionFrame = 5;
constexpr double TwoPi = 2 * std::numbers::pi;

std::string AsteroidPicture(uint32_t number) { return "res\\gfx\\models\\aster" + std::to_string(number) + ".bmp"; }

// An asteroid is turned in a strip of 128 frames of its own size, so its
// picture is held to a size whose strip stays small (25 MB at 256 x 256, a
// rock a third of the view high).
constexpr PictureSize AsteroidSize = AtMost(256, 256);

double RandomDrift(Random& random) { return 2 * random.NextReal() - 1; }

void AddObstacle(const BattleContext& context, double x, double y, double spin)
{
    const double vx = RandomDrift(context.random);
    const double vy = RandomDrift(context.random);
    context.battle.Append(MakeObstacle(context, x, y, spin, vx, vy));
}

// The view is the 800 x 600 window of the world at the camera; a rock that
// leaves it on one side comes back on the other in the same tick.
double WrappedToView(double v, int32_t camera, int32_t extent)
{
    if (v - camera < 0) v = camera + extent;
    if (v - camera > extent) v = camera;
    return v;
}

// Discs of the battle's own sizes and pens are drawn once and copied; any
// other (a pen that inverts, a particle with a lifetime of its own) is drawn
// by the canvas as it comes.
constexpr int LargestCopiedRadius = 16;
constexpr int WidestCopiedPen = 8;

bool Copied(const Pen& pen, int radius)
{
    return pen.Mode == PenMode::Copy && pen.Width <= WidestCopiedPen && radius >= -LargestCopiedRadius &&
           radius <= LargestCopiedRadius;
}

// The ellipse rule gives the same pixels wherever its box stands (its
// centre and edges move by whole pixels with the box), so a disc drawn in
// a picture of its own matches the one the canvas draws on the frame.
const Battle::Disc& DiscOf(Battle& battle, int radius, Rgb colour, int penWidth)
{
    const int width = std::max(penWidth, 1);
    const uint64_t key = (uint64_t(radius + LargestCopiedRadius) << 32) | (uint64_t(colour.G) << 16) |
                         (uint64_t(colour.B) << 8) | uint64_t(width);
    auto found = battle.Discs.find(key);
    if (found != battle.Discs.end()) return found->second;
    Battle::Disc disc;
    disc.Margin = std::abs(radius) + width + 1;
    disc.Picture.SetSize(2 * disc.Margin + 1, 2 * disc.Margin + 1);
    disc.Picture.Fill(ColourKey);
    disc.Picture.pen = Pen{colour, width, PenStyle::Solid, PenMode::Copy};
    disc.Picture.brush.SetColour(colour);
    Canvas(disc.Picture).Ellipse(disc.Margin - radius, disc.Margin - radius, disc.Margin + radius, disc.Margin + radius);
    disc.Runs.Refresh(disc.Picture, KeyedBy(ColourKey));
    return battle.Discs.emplace(key, std::move(disc)).first->second;
}

}  // namespace

kvExhaust::kvExhaust(const kvCombatShip& ship) : kvCombatObject(ObjectClass::Exhaust, 0, 0)
{
    const double behind = ship.Angle * std::numbers::pi / 180 + std::numbers::pi;
    VX = std::cos(behind);
    VY = std::sin(behind);
    X = (0.4 * std::cos(behind) + 0.5) * ship.Width + ship.X;
    Y = (0.4 * std::sin(behind) + 0.5) * ship.Height + ship.Y;
    Side = static_cast<int16_t>(ship.Side);
    Angle = ship.Angle;
    Alpha = 150;
}

// An explosion is drawn from its strip; it gets an image of its own only
// when it has to be drawn without the strip's runs. Thousands of them may
// crowd a battle, and an image each would be thousands of pictures made
// and filled for nothing.
kvExplosion::kvExplosion(uint32_t side, std::shared_ptr<const Bitmap> strip)
    : kvCombatObject(ObjectClass::Explosion, 0, 0), Side(side)
{
    Width = static_cast<uint16_t>(strip->Width());
    Height = Width;
    FrameCount = static_cast<uint16_t>(strip->Width() > 0 ? strip->Height() / strip->Width() : 0);
    Frames = std::move(strip);
}

kvObstacle::kvObstacle(double x, double y, double spin, double vx, double vy, const Bitmap& picture)
    : kvCombatObject(ObjectClass::Obstacle, static_cast<uint16_t>(picture.Width()), static_cast<uint16_t>(picture.Height())),
      Spin(spin)
{
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
    Image = picture;
    Angle = 0;
}

kvCombatShip* FindShipBySide(const Battle& battle, int32_t side)
{
    for (const auto& o : battle.CombatObjects) {
        if (o->Class != ObjectClass::Ship) continue;
        auto& ship = static_cast<kvCombatShip&>(*o);
        if (ship.Side == side) return &ship;
    }
    return nullptr;
}

void UpdateExhaust(kvExhaust& exhaust)
{
    ++exhaust.Age;
    if (exhaust.Age > exhaust.Lifetime) exhaust.Dead = 1;
    exhaust.X += exhaust.VX;
    exhaust.Y += exhaust.VY;
}

void DrawExhaust(Battle& battle, const kvExhaust& exhaust, Bitmap& target)
{
    const int sx = ClampToInt32(Nearest(exhaust.X) - battle.CameraX);
    const int sy = ClampToInt32(Nearest(exhaust.Y) - battle.CameraY);
    const auto n = static_cast<int>(exhaust.Age % 256);
    const Rgb colour{0, static_cast<uint8_t>((255 - 25 * n) & 0xFF), static_cast<uint8_t>((255 - 5 * n) & 0xFF)};
    target.brush.SetColour(colour);
    target.pen.Colour = colour;
    target.pen.Style = PenStyle::Solid;
    const auto r = static_cast<int>((exhaust.Lifetime - exhaust.Age + 1) / 2);
    if (Copied(target.pen, r)) {
        const Battle::Disc& disc = DiscOf(battle, r, colour, target.pen.Width);
        Blit(target, int64_t{sx} - disc.Margin, int64_t{sy} - disc.Margin, disc.Picture,
             BlitStyle().Keyed(KeyedBy(ColourKey)).WithRuns(&disc.Runs));
    } else {
        Canvas(target).Ellipse(sx - r, sy - r, sx + r, sy + r);
    }
    target.brush.Style = BrushStyle::Clear;
}

// Until its first update places it on its ship, the explosion stands at the
// impact point.
std::unique_ptr<kvExplosion> MakeExplosion(Battle& battle, uint32_t side, int32_t x0, int32_t y0)
{
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    if (const kvCombatShip* anchor = FindShipBySide(battle, static_cast<int32_t>(side))) {
        offsetX = NearestInt(anchor->X - x0);
        offsetY = NearestInt(anchor->Y - y0);
    }
    auto explosion = std::make_unique<kvExplosion>(side, battle.Picture(ExplosionPicture));
    explosion->FrameRuns = battle.RunsOf(ExplosionPicture, Black);
    explosion->OffsetX = offsetX;
    explosion->OffsetY = offsetY;
    explosion->X = x0;
    explosion->Y = y0;
    return explosion;
}

// The fade subtracts in 16 bits: once it passes below 0 the value wraps far
// above 256 and is cut back to opaque, so the fade is a saw-tooth.
void UpdateAndDrawExplosion(Battle& battle, kvExplosion& explosion, Bitmap& target)
{
    if (const kvCombatShip* anchor = FindShipBySide(battle, static_cast<int32_t>(explosion.Side))) {
        explosion.X = static_cast<double>(Nearest(anchor->X - explosion.OffsetX));
        explosion.Y = static_cast<double>(Nearest(anchor->Y - explosion.OffsetY));
    }
    if (explosion.Tick >= TicksPerExplosionFrame * explosion.FrameCount) {
        explosion.Dead = 1;
        return;
    }
    explosion.Alpha = static_cast<uint16_t>(explosion.Alpha - 60 / explosion.FrameCount);
    if (explosion.Alpha > 256) explosion.Alpha = 256;
    // An explosion drawn by its strip's runs names its frame, which the
    // strip holds while the explosion lives; only one without them copies
    // the frame into an image of its own.
    const int frame = explosion.Tick / TicksPerExplosionFrame + 1;
    if (explosion.FrameRuns) {
        explosion.ShownFrame = frame;
    } else {
        if (explosion.Image.Empty()) explosion.Image.SetSize(explosion.Width, explosion.Height);
        ShowFrame(explosion, frame);
    }
    const int sx = NearestInt(explosion.X - battle.CameraX - explosion.Width / 2);
    const int sy = NearestInt(explosion.Y - battle.CameraY - explosion.Height / 2);
    DrawFrame(explosion, sx, sy, Black, target);
    ++explosion.Tick;
}

void CreateAttractor(const BattleContext& context)
{
    auto attractor = std::make_unique<kvAttractor>();
    attractor->Phase = context.random.Next(3);
    context.battle.TheAttractor = &context.battle.Append(std::move(attractor));
}

void UpdateAttractor(const Battle& battle, kvAttractor& attractor)
{
    attractor.Phase += attractor.AngularSpeed;
    if (attractor.Phase < 0) attractor.Phase = TwoPi;
    if (attractor.Phase > TwoPi) attractor.Phase = 0;
    const kvCombatShip* player = battle.PlayerCombatShip;
    if (player == nullptr) return;
    attractor.X = std::cos(attractor.Phase) * attractor.Radius + player->X;
    attractor.Y = std::sin(attractor.Phase) * attractor.Radius + player->Y;
    attractor.VX = player->VX;
    attractor.VY = player->VY;
    attractor.CurrentSpeed = VectorLength(attractor.VY, attractor.VX);
}

std::unique_ptr<kvObstacle> MakeObstacle(const BattleContext& context, double x, double y, double spin, double vx,
                                         double vy)
{
    const std::string path = AsteroidPicture(context.random.Next(2) + 1);
    auto obstacle = std::make_unique<kvObstacle>(x, y, spin, vx, vy, *context.battle.Picture(path, AsteroidSize));
    context.battle.GiveStrip(path, *obstacle);
    return obstacle;
}

void UpdateObstacle(const Battle& battle, kvObstacle& obstacle)
{
    obstacle.Angle = NormalizeAngle(obstacle.Angle + obstacle.Spin);
    obstacle.X = WrappedToView(obstacle.X + obstacle.VX, battle.CameraX, 800);
    obstacle.Y = WrappedToView(obstacle.Y + obstacle.VY, battle.CameraY, 600);
}

void AddSetUpObstacles(const BattleContext& context)
{
    context.battle.Append(MakeObstacle(context, 0, 0, 5, 1, 1));
    const double x2 = context.random.Next(40);
    const double y2 = context.random.Next(30);
    AddObstacle(context, x2, y2, -2);
    const double x3 = context.random.Next(40) + 760.0;
    const double y3 = context.random.Next(30) + 570.0;
    AddObstacle(context, x3, y3, 2);
}

void AddRandomObstacle(const BattleContext& context)
{
    const double x = context.random.Next(40);
    const double y = context.random.Next(30);
    const double spin = static_cast<int>(context.random.Next(10)) - 5;
    AddObstacle(context, x, y, spin);
}

}  // namespace kv
