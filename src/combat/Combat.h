// Everything that moves in a battle, the battle's own state, and the rules of
// ships, weapons and bullets.
//
// Every moving thing is a kvCombatObject: ships, bullets, exhaust particles,
// explosions, the attractor and asteroids. They live in one ordered list,
// CombatObjects, that the combat frame walks once per tick; code that walks it
// picks each object's operations by its exact class (Class), never by a
// virtual call. The list owns its objects.
//
// Units: world pixels, pixels per tick, pixels per tick per tick. Angles are
// degrees, 0 along +x, growing clockwise on the screen (y points down); the
// headings of ships and asteroids are multiples of 2.8125 (360/128) in
// (0, 360]. Ships and asteroids are placed by the top-left corner of their
// box; bullets, exhaust particles and the attractor are points; an
// explosion's X, Y is its centre. Screen x = Nearest(world x) - CameraX.
#pragma once

#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Random.h"
#include "combat/HitGrid.h"
#include "graphics/Geometry.h"
#include "platform/Bitmap.h"
#include "platform/Blit.h"
#include "platform/BmpFile.h"
#include "sound/kvSound.h"
#include "universe/SpaceCraft.h"

namespace kv {

enum class ObjectClass : uint8_t { Ship, Bullet, Exhaust, Explosion, Attractor, Obstacle };

class kvCombatObject {
public:
    // Made as by Create(W, H): a W x H image, heading 360, opaque, at rest.
    kvCombatObject(ObjectClass objectClass, uint16_t width, uint16_t height);
    virtual ~kvCombatObject() = default;
    kvCombatObject(const kvCombatObject&) = delete;
    kvCombatObject& operator=(const kvCombatObject&) = delete;

    // What every tick's walk reads comes first, so that an object's first
    // cache lines hold it.
    const ObjectClass Class;
    // 1: removed by this tick's sweep. Final.
    uint8_t Dead = 0;
    // 256 or more copies; 0..255 blends.
    uint16_t Alpha = 256;
    uint16_t Width = 0;
    uint16_t Height = 0;
    double X = 0;
    double Y = 0;
    double VX = 0;
    double VY = 0;
    // The length of the velocity, refreshed only by the pilot and the attractor.
    double CurrentSpeed = 0;
    // Acceleration along the heading for the next motion step, which clears it.
    double Thrust = 0;
    double Angle = 360;
    // The strip frame now held in Image; 0 before the first draw.
    int ShownFrame = 0;
    // A turning object's 128-frame rotation strip or an explosion's
    // animation strip; shared by every object made from the same picture.
    std::shared_ptr<const Bitmap> Frames;
    // The drawn runs of a rotation strip's rows.
    std::shared_ptr<const OpaqueRuns> FrameRuns;
    // What is drawn; for a turning object, the frame of its latest draw. An
    // explosion with its strip's runs is drawn from the strip and leaves
    // its image as it was made.
    Bitmap Image;
};

// Which of the battle's two well-known objects a pilot chases. The pilot
// looks the object up every tick, so it follows whatever the battle holds.
enum class ShipTarget : uint8_t { None, PlayerShip, Attractor };

class kvCombatShip;
struct BattleContext;
using AutopilotRoutine = void (*)(const BattleContext&, kvCombatShip&);

class kvCombatShip : public kvCombatObject {
public:
    kvCombatShip(uint16_t width, uint16_t height) : kvCombatObject(ObjectClass::Ship, width, height) {}

    double DesiredAngle = 0;
    // Hull points and weapons: the player's own record, or OwnRecord.
    kvShip* ShipRecord = nullptr;
    ShipTarget Target = ShipTarget::None;
    int32_t Side = 0;  // 1 the player, 2 every enemy
    AutopilotRoutine Autopilot = nullptr;
    // An enemy's record, made for it and gone with it.
    std::unique_ptr<kvShip> OwnRecord;
};

class kvBullet : public kvCombatObject {
public:
    // Fired from the ship's centre along its heading with slot s's weapon,
    // carrying the ship's own velocity.
    kvBullet(const kvCombatShip& ship, const kvWeapon& weapon, const Bitmap& picture);

    int32_t Side = 0;
    int64_t Age = 0;
    int64_t Lifetime = 100;
    uint32_t Damage = 0;
    uint8_t Kind = 0;  // the look: 0 beam, 1 pellet, 2 plasma knot
    double Length = 0;
};

class kvExhaust : public kvCombatObject {
public:
    explicit kvExhaust(const kvCombatShip& ship);

    int16_t Side = 0;
    int64_t Age = 0;
    int64_t Lifetime = 10;
};

class kvExplosion : public kvCombatObject {
public:
    kvExplosion(uint32_t side, std::shared_ptr<const Bitmap> strip);

    uint32_t Side = 0;
    int32_t OffsetX = 0;  // followed ship's X minus the explosion's X
    int32_t OffsetY = 0;
    uint16_t FrameCount = 0;
    uint16_t Tick = 0;
};

class kvAttractor : public kvCombatObject {
public:
    kvAttractor() : kvCombatObject(ObjectClass::Attractor, 0, 0) {}

    double Radius = 100;
    double Phase = 0;  // radians, kept in [0, 2 pi]
    double AngularSpeed = 0.02454369260617026;
};

class kvObstacle : public kvCombatObject {
public:
    kvObstacle(double x, double y, double spin, double vx, double vy, const Bitmap& picture);

    double Spin = 0;  // degrees added to the heading every tick
};

// An enemy the battle saw destroyed, as a career game pays for it.
struct DestroyedEnemy {
    kvFormFactor Hull;
    kvWeapon Weapon;
};

// What a battle owns, from its set-up until it is left.
// How a battle has ended, once it has.
enum class BattleEnding : uint8_t { None, Won, Lost };

struct Battle {
    std::vector<std::unique_ptr<kvCombatObject>> CombatObjects;
    kvCombatShip* PlayerCombatShip = nullptr;
    kvAttractor* TheAttractor = nullptr;
    int32_t CameraX = 0;
    int32_t CameraY = 0;
    // Enemies made less enemies destroyed; the battle is won at 0.
    uint16_t HostilesLeft = 0;
    // Set by the sweep that removes the player's destroyed ship.
    bool PlayerLost = false;
    // Every enemy destroyed, in order.
    std::vector<DestroyedEnemy> EnemiesDestroyed;
    // Once the battle is over, its banner shows for the frames left before
    // the way back to space.
    BattleEnding Ending = BattleEnding::None;
    uint16_t EndingFramesLeft = 0;
    Bitmap CombatTiles;
    StarField Stars;
    // Pictures and rotation strips, each made once per battle and shared by
    // every object that shows it, so a spawn never rebuilds a strip.
    std::map<std::string, std::shared_ptr<const Bitmap>> Pictures;
    struct TurningPicture {
        std::shared_ptr<const Bitmap> Frames;
        std::shared_ptr<const OpaqueRuns> Runs;
    };
    std::map<std::string, TurningPicture> Strips;
    std::map<std::string, std::shared_ptr<const OpaqueRuns>> PictureRuns;
    // Exhaust discs, each drawn once by the canvas's ellipse rule for its
    // radius, colour and pen width, then copied wherever a particle shows it.
    struct Disc {
        Bitmap Picture;
        OpaqueRuns Runs;
        int32_t Margin = 0;  // from the picture's corner to the disc's centre
    };
    std::map<uint64_t, Disc> Discs;
    // Spawn keys already reported as naming no catalogue entry.
    std::bitset<256> ReportedSpawnKeys;
    // The bullets and asteroids by place, for the ships' hit tests.
    HitGrid Hits;

    // Appends an object; while the hit grid is filed, files it too.
    template <typename T>
    T& Append(std::unique_ptr<T> object)
    {
        T& added = *object;
        CombatObjects.push_back(std::move(object));
        if (Hits.Live()) Hits.File(CombatObjects.size() - 1, added);
        return added;
    }
    // The picture at a data path, loaded on first use (a LoadError if it
    // cannot be read or has a size other than `size` allows).
    std::shared_ptr<const Bitmap> Picture(const std::string& path, PictureSize size = {});
    // The drawn runs of a picture's rows for its transparent colour, found on
    // first use.
    std::shared_ptr<const OpaqueRuns> RunsOf(const std::string& path, Rgb key);
    // Gives a turning object the 128-frame rotation strip of its unturned
    // image (and the strip's drawn runs), made on first use for that picture
    // and size. Memory running out on the way is a LoadError naming the
    // picture.
    void GiveStrip(const std::string& path, kvCombatObject& object);
    // The object a pilot's target names; none when it is gone.
    kvCombatObject* TargetObject(ShipTarget target) const;
};

// What the battle's rules act on: the battle itself and, from outside it,
// the world's one random generator and the sound effects.
struct BattleContext {
    Battle& battle;
    Random& random;
    kvSound& sound;
};

constexpr uint16_t StripFrames = 128;
constexpr double HeadingStep = 2.8125;
constexpr int32_t PlayerSide = 1;
constexpr int32_t EnemySide = 2;

// The heading's multiple of 2.8125 in (0, 360], the nearest one (halves to
// the even multiple).
double NormalizeAngle(double a);
double VectorLength(double a, double b);
// The strip frame 1..128 that shows a heading.
int FrameForHeading(double angle);

// Fills the image with the transparent colour and draws the picture centred.
void LoadImage(kvCombatObject& object, const Bitmap& picture);
// Thrust along the heading goes into the velocity, the velocity into the
// position; the thrust is used up. No friction, no speed limit.
void MotionStep(kvCombatObject& object);
// Whether the strip holds a frame f of the image's size.
bool StripHasFrame(const kvCombatObject& object, int frame);
// Copies strip frame f into the image unless it is already there.
void ShowFrame(kvCombatObject& object, int frame);
// A ship or asteroid: its heading's frame keyed onto the target at its
// screen place, copied when opaque, blended with Alpha otherwise, as Blit
// does short of the target's last column and row.
void DrawObject(kvCombatObject& object, Bitmap& target, int32_t cameraX, int32_t cameraY);
// The image of the frame last shown, keyed and blended as DrawImage does,
// by the strip's drawn runs when the object has them.
void DrawFrame(const kvCombatObject& object, int sx, int sy, Rgb key, Bitmap& target);
// The keyed, blended copy of an image with its top-left at (sx, sy).
void DrawImage(const Bitmap& image, int sx, int sy, uint16_t alpha, Rgb key, Bitmap& target);

// Fires weapon slot s if it is ready: its sound, a bullet appended, the
// reload count started.
void FireWeapon(const BattleContext& context, kvCombatShip& ship, std::size_t slot);
// Once per tick for every ship: slot 1 comes one tick nearer to ready.
void CountDownReload(kvCombatShip& ship);
void DrawBullet(const kvBullet& bullet, Bitmap& target, int32_t cameraX, int32_t cameraY);
// Ages the bullet by a tick; one past its lifetime it dies, so it is drawn
// in 101 ticks.
void AgeBullet(kvBullet& bullet);
// Hits of other sides' bullets (exact to the pixel of the latest frame),
// touches of asteroids, and the ship's end when its hull points run out.
void CheckCollisions(const BattleContext& context, kvCombatShip& ship);
// The enemy pilot: turns one step toward the bearing of its target, fires
// when pointing straight at it, and thrusts while slow or turning.
void ChaseTarget(const BattleContext& context, kvCombatShip& ship);

}  // namespace kv
