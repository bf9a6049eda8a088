// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ascii_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/utf8_text.h"

// The INI reader wraps like the profile reads it replaces, the date and pane readers hold a
// number at their limits: one scan must serve both, however long the digits run.
TEST(AsciiText, LeadingIntegersWrapOrSaturateAsTheirReaderNeeds) {
    EXPECT_EQ(ReadLeadingInteger("\t\n-42abc", "\t\n").Saturated(), -42);
    EXPECT_EQ(ReadLeadingInteger(" 42", "").Saturated(), 0);
    EXPECT_EQ(ReadLeadingInteger("+", " ").Saturated(), 0);
    EXPECT_EQ(ReadLeadingInteger("4294967297", "").Wrapped32(), 1);
    EXPECT_EQ(ReadLeadingInteger("-1", "").Wrapped32(), -1);
    EXPECT_EQ(ReadLeadingInteger("2147483648", "").Wrapped32(), std::numeric_limits<int>::min());
    // 2^64 + 5: the 64-bit value overflows, its low 32 bits are still 5.
    CLeadingInteger huge = ReadLeadingInteger("18446744073709551621", "");
    EXPECT_EQ(huge.Wrapped32(), 5);
    EXPECT_EQ(huge.Saturated(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ReadLeadingInteger("-99999999999999999999999", "").Saturated(),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ReadLeadingInteger("-9223372036854775808", "").Saturated(),
              std::numeric_limits<std::int64_t>::min());

    EXPECT_TRUE(EqualsIgnoringAsciiCase("Recent File List", "RECENT file LIST"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Ärger", "ärger"));
    EXPECT_EQ(UpperAsciiText("lpt3.é"), "LPT3.é");
}

TEST(AsciiText, Utf8DecodingRefusesWhatIsNotOneCharacter) {
    std::size_t length = 0;
    EXPECT_EQ(DecodeUtf8("\xC3\xA9", 0, length), 0xE9);
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80", 0, length), 0x1F600);
    EXPECT_EQ(length, 4u);
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3",
                            "\xE2\x82", "\xFF", "\xC3\x28"}) {
        EXPECT_EQ(DecodeUtf8(bad, 0, length), -1) << bad;
    }
}
