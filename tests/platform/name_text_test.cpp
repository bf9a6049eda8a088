// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/name_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// Every name reads one way wherever it is shown or searched: UTF-8 as it is, a stray byte as
// its Windows-1252 character, and the result always UTF-8.
TEST(NameText, Utf8StaysAndStrayBytesReadAsWindows1252) {
    const std::string utf8 = "\xC3\x89t\xC3\xA9 2006 \xF0\x9F\x8E\xB5 \xE2\x82\xAC";
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(NameText(utf8), utf8);
    EXPECT_EQ(NameText(""), "");

    // A whole name in the code page.
    EXPECT_FALSE(IsValidUtf8("d\xE9j\xE0 vu"));
    EXPECT_EQ(NameText("d\xE9j\xE0 vu"), "d\xC3\xA9j\xC3\xA0 vu");
    // A path joins a title typed here with names from there: each part reads as it does
    // alone, so the title is not garbled by the stray bytes after it.
    EXPECT_EQ(NameText("\xC3\x89t\xC3\xA9 2006:\\bad\xFF\xFEname.txt"),
              "\xC3\x89t\xC3\xA9 2006:\\bad\xC3\xBF\xC3\xBEname.txt");
    // What is not a character stays bytes: overlong forms, surrogates, cut sequences.
    EXPECT_EQ(NameText("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(NameText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
    EXPECT_EQ(NameText("x\xE2\x82"), "x\xC3\xA2\xE2\x80\x9A");
    EXPECT_EQ(NameText(std::string("a\0\x80", 3)), std::string("a\0\xE2\x82\xAC", 5));
}

TEST(NameText, TheUpperControlRangeIsTheCodePagesAndTheFiveGapsAreC1Controls) {
    const char32_t expected[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (unsigned byte = 0x80; byte < 0xA0; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(Windows1252Char(static_cast<unsigned char>(byte)), expected[byte - 0x80]);
        std::string text;
        AppendUtf8(expected[byte - 0x80], text);
        EXPECT_EQ(NameText(std::string(1, static_cast<char>(byte))), text);
    }
    // Every byte reads as a different character, so no two names collapse into one, and the
    // text of stray bytes is itself UTF-8 that reads as it is.
    std::set<char32_t> characters;
    std::string all;
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        characters.insert(Windows1252Char(static_cast<unsigned char>(byte)));
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(characters.size(), 128u);
    std::string text = NameText(all);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(NameText(text), text);
    EXPECT_EQ(Windows1252Char(0xA0), U'\u00A0');
    EXPECT_EQ(Windows1252Char(0xFF), U'\u00FF');
}
