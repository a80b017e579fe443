// The pointer on a pad's stick: the dead zone, the squared push and the
// speed gathered while a push is held.
#include "shell/PadPointer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PadPointer, TheDeadZoneIsRoundAndThePushGrowsFromItsEdge)
{
    EXPECT_EQ(kv::PastDeadZone(8000, 0, 25), kv::StickPush{}) << "a quarter push is at rest in a 25 % zone";
    EXPECT_EQ(kv::PastDeadZone(5500, 5500, 25), kv::StickPush{});
    EXPECT_GT(kv::PastDeadZone(6000, 6000, 20).X, 0) << "past a 20 % zone along the diagonal";
    const kv::StickPush edge = kv::PastDeadZone(8300, 0, 25);
    EXPECT_GT(edge.X, 0);
    EXPECT_LT(edge.X, 0.01) << "just past the edge is a small push";
    EXPECT_DOUBLE_EQ(kv::PastDeadZone(32767, 0, 25).X, 1);
    EXPECT_DOUBLE_EQ(kv::PastDeadZone(-32768, 0, 25).X, -1) << "both ends are a full push";
    const kv::StickPush corner = kv::PastDeadZone(32767, 32767, 25);
    EXPECT_NEAR(std::hypot(corner.X, corner.Y), 1, 1e-12) << "a corner is no more than a full push";
    EXPECT_NEAR(kv::PastDeadZone(16384, 0, 0).X, 0.5, 1e-4);
    EXPECT_EQ(kv::PastDeadZone(32767, 0, 100), kv::StickPush{});
}

TEST(PadPointer, APushGathersSpeedAndNothingForgetsIt)
{
    kv::PadPointer pointer;
    int first = 0;
    for (int tick = 0; tick < 10; ++tick) first += kv::StepPointer(pointer, {1, 0}).X;
    int next = 0;
    for (int tick = 0; tick < 10; ++tick) next += kv::StepPointer(pointer, {1, 0}).X;
    EXPECT_GT(next, first);
    for (int tick = 0; tick < kv::RampTicks; ++tick) kv::StepPointer(pointer, {1, 0});
    int fastest = 0;
    for (int tick = 0; tick < 10; ++tick) fastest += kv::StepPointer(pointer, {1, 0}).X;
    EXPECT_NEAR(fastest, 10 * kv::FastestPointer, 1);
    EXPECT_EQ(kv::StepPointer(pointer, {}).X, 0);
    EXPECT_EQ(pointer.HeldTicks, 0);
    EXPECT_EQ(kv::StepPointer(pointer, {1, 0}).X, 1) << "a new push starts slow again";
}

TEST(PadPointer, HalfAPushIsAQuarterOfTheSpeedAndSlowPushesStillMove)
{
    kv::PadPointer full;
    kv::PadPointer half;
    int fullMoved = 0;
    int halfMoved = 0;
    for (int tick = 0; tick < 200; ++tick) {
        fullMoved += kv::StepPointer(full, {0, -1}).Y;
        halfMoved += kv::StepPointer(half, {0, -0.5}).Y;
    }
    EXPECT_NEAR(halfMoved * 4.0 / fullMoved, 1, 0.02);
    kv::PadPointer slow;
    int moved = 0;
    for (int tick = 0; tick < 64; ++tick) moved += kv::StepPointer(slow, {0.1, 0}).X;
    EXPECT_GT(moved, 0) << "the parts of a pixel add up";
}

TEST(PadPointer, TheDpadIsAFullPushAddedToTheStick)
{
    kv::PadState pads;
    pads.Apply(kv::PadButtonEvent{kv::PadButton::DpadLeft, true});
    EXPECT_EQ(kv::PointerPush(pads), (kv::StickPush{-1, 0}));
    pads.Apply(kv::PadButtonEvent{kv::PadButton::DpadDown, true});
    const kv::StickPush both = kv::PointerPush(pads);
    EXPECT_NEAR(std::hypot(both.X, both.Y), 1, 1e-12);
    EXPECT_LT(both.X, 0);
    EXPECT_GT(both.Y, 0);
    pads.Clear();
    pads.Apply(kv::PadAxisEvent{kv::PadAxis::LeftX, 32767});
    pads.Apply(kv::PadButtonEvent{kv::PadButton::DpadLeft, true});
    EXPECT_EQ(kv::PointerPush(pads), kv::StickPush{}) << "the stick and the d-pad pushing apart cancel";
}

}  // namespace
