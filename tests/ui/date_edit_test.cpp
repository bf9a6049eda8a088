// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ui/date_edit.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// New York's rules, written out so that no time-zone database is needed.
class CNewYorkTime {
public:
    CNewYorkTime() {
        if (const char* old = std::getenv("TZ")) {
            previous = old;
        }
        ::setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
        ::tzset();
    }
    CNewYorkTime(const CNewYorkTime&) = delete;
    CNewYorkTime& operator=(const CNewYorkTime&) = delete;
    ~CNewYorkTime() {
        previous ? ::setenv("TZ", previous->c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> previous;
};

}  // namespace

TEST(DateEdit, ShowsAndReadsBackDatesInEitherFormat) {
    CNewYorkTime zone;
    const Time32 christmasNoon = 1167066000;   // 2006-12-25 12:00 standard time
    const Time32 julyFourthNoon = 1152028800;  // 2006-07-04 12:00 daylight time
    CDateEdit edit;
    Time32 time = 0;

    edit.SetDate(christmasNoon + 9 * 3600);
    EXPECT_EQ(edit.text(), "12/25/06");
    ASSERT_TRUE(edit.GetDate(time));
    EXPECT_EQ(time, christmasNoon);

    edit.SetFormat(CDateFormat::DayFirst());
    edit.SetDate(julyFourthNoon);
    EXPECT_EQ(edit.text(), "04/07/06");
    ASSERT_TRUE(edit.GetDate(time));
    EXPECT_EQ(time, julyFourthNoon);

    // What the user types; text that is no date leaves the time alone.
    edit.clear();
    QTest::keyClicks(&edit, "25 12\\2006");
    ASSERT_TRUE(edit.GetDate(time));
    EXPECT_EQ(time, christmasNoon);
    edit.SetFormat(CDateFormat::MonthFirst());
    EXPECT_FALSE(edit.GetDate(time));
    edit.setText("12-25-2006");
    EXPECT_FALSE(edit.GetDate(time));
    EXPECT_EQ(time, christmasNoon);
}
