#include "DateSort.h"

#include <gtest/gtest.h>

using namespace relvo7::widgets;

TEST(DateSort, ReadsDayMonthYear)
{
    EXPECT_EQ(dateKey("31.12.2026"), 20261231);
    EXPECT_EQ(dateKey("1.1.2027"), 20270101);
    EXPECT_EQ(dateKey(" 05.03.2026 12:00"), 20260305);
    for (const char* bad : {"", "31-12-2026", "31.12", "ab.cd.efgh", "2026", "..", "99999999999.1.1"})
        EXPECT_FALSE(dateKey(bad).has_value()) << bad;
}

TEST(DateSort, NewestFirstAcrossTheYearEnd)
{
    const std::vector<std::string_view> dates{"31.12.2026", "01.01.2027", "15.06.2026", "02.01.2027"};
    EXPECT_EQ(newestFirstOrder(dates), (std::vector<int>{3, 1, 0, 2}));
}

TEST(DateSort, UnreadableDatesGoLastAndEqualDatesKeepTheirOrder)
{
    const std::vector<std::string_view> dates{"?", "01.01.2027", "01.01.2027", "", "31.12.2026"};
    EXPECT_EQ(newestFirstOrder(dates), (std::vector<int>{1, 2, 4, 0, 3}));
    EXPECT_TRUE(newestFirstOrder({}).empty());
}
