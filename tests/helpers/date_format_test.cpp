// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpers/date_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "support/time_zone.h"

namespace {

// Dates are local: every test runs in Rome, whose noon is 11:00 UTC in winter, 10:00 in summer.
class DateFormat : public testing::Test {
protected:
    CTimeZone zone{"Europe/Rome"};
};

const CDateFormat& monthFirst = CDateFormat::MonthFirst();
const CDateFormat& dayFirst = CDateFormat::DayFirst();

std::optional<Time32> Parse(const CDateFormat& format, const std::string& text) {
    Time32 time = 0;
    return format.Parse(text, time) ? std::optional<Time32>(time) : std::nullopt;
}

}  // namespace

TEST_F(DateFormat, FindsTheTwoFormatsByNameAndKind) {
    EXPECT_EQ(CDateFormat::FindByName("mm/dd/yyyy"), &monthFirst);
    EXPECT_EQ(CDateFormat::FindByName("DD/MM/YYYY"), &dayFirst);
    EXPECT_EQ(CDateFormat::FindByName("yyyy/mm/dd"), nullptr);
    EXPECT_EQ(CDateFormat::FindByName("dd/mm/yyyy "), nullptr);
    EXPECT_EQ(CDateFormat::ByKind(1), &dayFirst);
    EXPECT_EQ(CDateFormat::ByKind(2), nullptr);
    EXPECT_EQ(dayFirst.GetName(), "dd/mm/yyyy");
}

TEST_F(DateFormat, ParsesNoonLocalTimeFromLooselySeparatedFields) {
    EXPECT_EQ(Parse(dayFirst, "25/12/06"), 1167044400);  // 2006-12-25 11:00 UTC
    EXPECT_EQ(Parse(monthFirst, "12/25/2006"), 1167044400);
    EXPECT_EQ(Parse(monthFirst, "25/12/06"), std::nullopt);
    EXPECT_EQ(Parse(dayFirst, "15/7/2006"), 1152957600);  // summer time: 10:00 UTC
    // Summer time starts in the night before 25 March 2007: noon to noon is 23 hours.
    EXPECT_EQ(*Parse(dayFirst, "25/03/2007") - *Parse(dayFirst, "24/03/2007"), 23 * 3600);
    EXPECT_EQ(Parse(dayFirst, "31/02/2007"), 1172919600);  // rolls over to 3 March

    EXPECT_EQ(Parse(dayFirst, "25\\12 2006"), 1167044400);
    EXPECT_EQ(Parse(dayFirst, "/25//12/06"), 1167044400);
    EXPECT_EQ(Parse(dayFirst, "25/12/06/7"), 1167044400);
    EXPECT_EQ(Parse(dayFirst, "1x/2y/2006"), Parse(dayFirst, "1/2/2006"));
    for (const char* wrong : {"1/2/6", "01/02/2006 ", "25-12-2006", "25/12   ", "0/2/2007",
                              "32/1/2007", "1/13/2007", "ab/12/2006", "11/11/5", "1/1/20066"}) {
        EXPECT_EQ(Parse(dayFirst, wrong), std::nullopt) << wrong;
    }
}

TEST_F(DateFormat, EveryShownDateReadsBackAsNoonOfThatDay) {
    EXPECT_EQ(dayFirst.Format(1167044400), "25/12/06");
    EXPECT_EQ(monthFirst.Format(946638000), "12/31/99");
    EXPECT_EQ(Parse(dayFirst, "1/1/70"), 39600);  // 1970-01-01 11:00 UTC
    EXPECT_EQ(Parse(dayFirst, "31/12/99"), Parse(dayFirst, "31/12/1999"));
    EXPECT_EQ(Parse(dayFirst, "31/12/30"), 1924945200);
    for (const char* wrong : {"1/1/31", "1/1/69", "1/1/-1", "1/1/2031", "1/1/1969"}) {
        EXPECT_EQ(Parse(dayFirst, wrong), std::nullopt) << wrong;
    }

    // One time a day, at a different hour each day, from 1970 to the end of 2030.
    for (Time32 time = 3600; time < 1924945200; time += 86400 + 3607) {
        std::time_t when = time;
        std::tm shown{};
        ::localtime_r(&when, &shown);
        for (const CDateFormat* format : {&monthFirst, &dayFirst}) {
            std::optional<Time32> parsed = Parse(*format, format->Format(time));
            ASSERT_TRUE(parsed) << format->Format(time);
            std::time_t back = *parsed;
            std::tm day{};
            ::localtime_r(&back, &day);
            ASSERT_EQ(day.tm_year * 1000 + day.tm_yday, shown.tm_year * 1000 + shown.tm_yday);
            ASSERT_EQ(day.tm_hour * 3600 + day.tm_min * 60 + day.tm_sec, 12 * 3600);
        }
    }
}

TEST_F(DateFormat, TimesOutsideTheTwoDigitYearsShowFourDigits) {
    EXPECT_EQ(monthFirst.Format(unknownTime), "");
    EXPECT_EQ(monthFirst.Format(0), "01/01/70");
    EXPECT_EQ(dayFirst.Format(std::numeric_limits<Time32>::max()), "19/01/2038");
    // A two-digit year would read back as another one.
    EXPECT_EQ(monthFirst.Format(-86400 * 366), "12/31/1968");
    EXPECT_EQ(dayFirst.Format(2208988800 + 43200), "01/01/2040");
    EXPECT_EQ(dayFirst.Format(-5364662400 + 43200), "01/01/1800");
}
