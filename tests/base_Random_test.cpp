#include "base/Random.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/Numbers.h"
#include "base/OneBased.h"

namespace {

TEST(Random, FollowsTheLinearCongruence)
{
    kv::Random r(0);
    EXPECT_EQ(r.Next(100), 0u);  // seed 1: (1 * 100) >> 32
    EXPECT_EQ(r.CurrentSeed(), 1u);
    r.Seed(0xFFFFFFFFu);
    const uint32_t next = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(r.Next(10), static_cast<uint32_t>((uint64_t(next) * 10) >> 32));
    r.Seed(0);
    EXPECT_DOUBLE_EQ(r.NextReal(), 1.0 / 4294967296.0);
    for (int i = 0; i < 1000; ++i) {
        const double v = r.NextReal();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        ASSERT_LT(r.Next(7), 7u);
    }
}

TEST(Numbers, NearestRoundsHalvesToEven)
{
    EXPECT_EQ(kv::Nearest(2.5), 2);
    EXPECT_EQ(kv::Nearest(3.5), 4);
    EXPECT_EQ(kv::Nearest(-0.5), 0);
    EXPECT_EQ(kv::Nearest(-1.5), -2);
    EXPECT_EQ(kv::Nearest(1e17 + 0.0), static_cast<int64_t>(1e17));
    for (double v = -1000.0; v < 1000.0; v += 0.125)
        ASSERT_EQ(kv::Nearest(v), static_cast<int64_t>(std::nearbyint(v))) << v;
}

TEST(OneBased, IndexesFromOneAndChecks)
{
    kv::OneBased<int, 3> a;
    a[1] = 10;
    a[3] = 30;
    EXPECT_EQ(*a.begin(), 10);
    EXPECT_THROW(a[0], std::out_of_range);
    EXPECT_THROW(a[4], std::out_of_range);
}

}  // namespace
