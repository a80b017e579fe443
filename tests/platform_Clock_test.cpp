#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, ShortDatesCountDaysFrom1899)
{
    EXPECT_EQ(kv::ShortDateText(38464.0), "22.04.2005");
    EXPECT_EQ(kv::ShortDateText(38464.75), "22.04.2005");
    EXPECT_EQ(kv::ShortDateText(0.0), "30.12.1899");
    EXPECT_EQ(kv::ShortDateText(60.0), "28.02.1900");
    EXPECT_EQ(kv::ShortDateText(61.0), "01.03.1900");
}

TEST(Clock, LocalTimeHasTheLongTimeFormat)
{
    const std::string t = kv::LocalTimeText();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[2], ':');
    EXPECT_EQ(t[5], ':');
}
