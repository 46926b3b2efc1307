// The string functions of the plugin's Windows: wsprintfA's formats, the
// order of lstrcmp, and the in-place and single-character forms of Char*A.
#include "qelhost/gate/strings.hpp"

#include <gtest/gtest.h>

namespace {

uint32_t Word(const void* Pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Pointer));
}

TEST(Strings, WsprintfFormatsAsWindowsDoes) {
    const char16_t Wide[] = u"Жук";
    const struct {
        const char* Format;
        std::vector<uint32_t> Arguments;
        const char* Expected;
    } Cases[] = {
        {"%d|%i|%u", {static_cast<uint32_t>(-42), 7, 4294967295u}, "-42|7|4294967295"},
        {"[%5d][%-5d][%05d]", {42, 42, static_cast<uint32_t>(-42)}, "[   42][42   ][-0042]"},
        {"%x %X %#x %08lx", {255, 255, 255, 0xBEEF}, "ff FF 0xff 0000beef"},
        {"%.3d", {7}, "007"},
        {"%I64d %I64u", {0xFFFFFFFF, 0xFFFFFFFF, 1, 1}, "-1 4294967297"},
        {"%s/%.2s/%6s", {Word("abc"), Word("abc"), Word("ab")}, "abc/ab/    ab"},
        {"%ls %S %hs", {Word(Wide), Word(Wide), Word("x")}, "\xC6\xF3\xEA \xC6\xF3\xEA x"},
        {"%c%C%lc", {'a', 0x0416, 0x0436}, "a\xC6\xE6"},
        {"%s", {0}, "(null)"},
        {"100%% %y %", {}, "100% y "},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(FormatWsprintf(Case.Format, Case.Arguments.data()), Case.Expected) << Case.Format;
}

TEST(Strings, WsprintfWritesAtMost1023Characters) {
    std::string Long(2000, 'x');
    uint32_t Argument = Word(Long.c_str());
    EXPECT_EQ(FormatWsprintf("%s", &Argument).size(), 1023u);
    char Out[1100];
    EXPECT_EQ(User32WvsprintfA(Out, "%s!", &Argument), 1023);
    EXPECT_EQ(Out[1023], '\0');
}

TEST(Strings, LstrcmpOrdersAsWindowsWordOrderDoes) {
    const struct {
        const char16_t *A, *B;
        int Case, IgnoringCase;
    } Cases[] = {
        {u"abc", u"abd", -1, -1},    {u"abc", u"ABC", -1, 0}, {u"ABC", u"abd", -1, -1},
        {u"a", u"B", -1, -1},        {u"B", u"a", 1, 1},      {u"ab", u"abc", -1, -1},
        {u"1", u"a", -1, -1},        {u"-", u"1", -1, -1},    {u"z", u"а", -1, -1},
        {u"ёж", u"ея", 1, 1},        {u"ёж", u"жа", -1, -1},  {u"Ёлка", u"ёлка", 1, 0},
        {u"Яблоко", u"арбуз", 1, 1}, {u"", u"", 0, 0},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(CompareWindowsText(Case.A, Case.B, false), Case.Case);
        EXPECT_EQ(CompareWindowsText(Case.B, Case.A, false), -Case.Case);
        EXPECT_EQ(CompareWindowsText(Case.A, Case.B, true), Case.IgnoringCase);
    }
}

TEST(Strings, TheAnsiFunctionsWorkIn1251) {
    char Text[] = "Abc \xC0\xE1\xE2 \xA8";
    EXPECT_EQ(User32CharUpperA(Text), Text);
    EXPECT_STREQ(Text, "ABC \xC0\xC1\xC2 \xA8");
    EXPECT_EQ(User32CharLowerBuffA(Text, 3), 3u);
    EXPECT_STREQ(Text, "abc \xC0\xC1\xC2 \xA8");
    // A pointer below 64 KiB is a single character, returned changed.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(User32CharLowerA(reinterpret_cast<char*>(0xC0))), 0xE0u);
    char Oem[16];
    EXPECT_TRUE(User32CharToOemA("\xCF\xF0\xE8\xE2\xE5\xF2 \xAB", Oem));
    EXPECT_STREQ(Oem, "\x8F\xE0\xA8\xA2\xA5\xE2 ?");
    char Ansi[16];
    EXPECT_TRUE(User32OemToCharBuffA("\x8F\xF1", Ansi, 2));
    EXPECT_EQ(std::string(Ansi, 2), "\xCF\xB8");
    char Short[4];
    EXPECT_EQ(Kernel32LstrcpynA(Short, "abcdef", 4), Short);
    EXPECT_STREQ(Short, "abc");
    EXPECT_EQ(Kernel32LstrlenA(nullptr), 0);
    EXPECT_EQ(Kernel32LstrcmpiA("\xC0\xC1", "\xE0\xE1"), 0);
}

} // namespace
