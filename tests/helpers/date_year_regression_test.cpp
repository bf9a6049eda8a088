// SPDX-License-Identifier: GPL-3.0-or-later
// Twelve hours west of UTC, noon of 31 December 1969 is time 0, which is not negative, so
// "12/31/1969" used to parse there; the tables then showed "12/31/69", which no one could type
// back. Years before 1970 are now refused in every zone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "helpers/date_format.h"
#include "support/time_zone.h"

namespace {

class DateYearRegression : public testing::Test {
protected:
    CTimeZone zone{"Etc/GMT+12"};
};

}  // namespace

TEST_F(DateYearRegression, TheLastDayOf1969IsRefusedEvenWhereItsNoonIsTimeZero) {
    const CDateFormat& monthFirst = CDateFormat::MonthFirst();
    const CDateFormat& dayFirst = CDateFormat::DayFirst();
    Time32 time = 99;
    EXPECT_FALSE(monthFirst.Parse("12/31/1969", time));
    EXPECT_FALSE(dayFirst.Parse("31 12\\1969", time));
    EXPECT_EQ(time, 99);

    // The first day that can be typed is shown as a text that reads back as that day.
    ASSERT_TRUE(monthFirst.Parse("1/1/1970", time));
    EXPECT_EQ(time, 86400);  // noon at UTC-12 is midnight UTC of the next day
    EXPECT_EQ(monthFirst.Format(time), "01/01/70");
    Time32 again = 0;
    ASSERT_TRUE(monthFirst.Parse(monthFirst.Format(time), again));
    EXPECT_EQ(again, time);
}
