// Text made safe for the terminal, cut to the screen, and lists joined.
#include "qelhost/services/text_format.hpp"

#include <gtest/gtest.h>

TEST(Escaped, ControlCharactersAndBrokenUtf8AreWrittenAsHex) {
    const std::pair<std::string, std::string> Cases[] = {
        {"plain text, кириллица, ╔═╗", "plain text, кириллица, ╔═╗"},
        {"\x1b[2J\x1b]0;title\x07", "\\x1b[2J\\x1b]0;title\\x07"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
        {"del\x7f", "del\\x7f"},
        {"\xc2\x9b"
         "31m",
         "\\x9b31m"}, // the one-character CSI of C1
        {"\xff\xd0", "\\xff\\xd0"},
        {"\xe2\x95", "\\xe2\\x95"}, // a sequence cut short
    };
    for (const auto& [Text, Shown] : Cases)
        EXPECT_EQ(Escaped(Text), Shown) << Shown;
    EXPECT_EQ(Escaped(std::u32string(U"a\x1b\x9b")), U"a\\x1b\\x9b");
}

TEST(CutToWidth, LongTextEndsInAnEllipsisWithinTheWidth) {
    EXPECT_EQ(CutToWidth(U"abcdef", 6), U"abcdef");
    EXPECT_EQ(CutToWidth(U"abcdefg", 6), U"abcde…");
    EXPECT_EQ(CutToWidth(U"abc", 1), U"…");
    EXPECT_EQ(CutToWidth(U"abc", 0), U"");
}

TEST(FlagNames, NamedBitsThenTheRestInHex) {
    EXPECT_EQ(FlagNames(0, {{1, "ONE"}}), "none");
    EXPECT_EQ(FlagNames(0x13, {{1, "ONE"}, {2, "TWO"}}), "ONE | TWO | 0x10");
    EXPECT_EQ(Joined({"a", "", "c"}, ", "), "a, , c");
}
