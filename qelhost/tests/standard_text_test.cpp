// The standard functions' work on texts, masks, formats and records, where
// a wrong answer would reach a plugin as the host's.
#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/oem_letters.hpp"
#include "qelhost/services/plugin_format.hpp"
#include "qelhost/services/record_sort.hpp"
#include "qelhost/services/standard_text.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <vector>

TEST(MatchesMask, WildcardsSetsCaseAndTheDotRules) {
    struct Case {
        const char* Mask;
        const char* Name;
        bool Matches;
    };
    const Case Cases[] = {
        {"*.txt", "readme.TXT", true},
        {"*.txt", "readme.txt.bak", false},
        {"*.*", "README", true},
        {"*.*", "a.b.c", true},
        {"file.*", "file", true},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"?b?", "abc", true},
        {"?b?", "abcd", false},
        {"[a-c]*", "Beta", true},
        {"[a-c]*", "delta", false},
        {"*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"\x8f\xa8*", "\xaf\x88\xe1\xec\xac\xae", true}, // "Пи*" takes "пИсьмо"
        {"[", "[", true},
        {"", "", true},
        {"", "a", false},
        {"**", "", true},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(MatchesMask(C.Mask, C.Name), C.Matches) << C.Mask << " / " << C.Name;
}

// FSF.ProcessName's lists and FarRecursiveSearch's masks alike.
TEST(MatchesMaskList, CommasSemicolonsQuotesAndBlanks) {
    const struct {
        const char* Masks;
        const char* Name;
        bool Matches;
    } Cases[] = {
        {"*.c, *.h", "x.h", true},
        {"*.c;*.h", "x.c", true},
        {"*.c, *.h", "x.cpp", false},
        {"\"a,b*\", *.h", "a,bc", true},
        {" , ", "x", false},
        {"\"unclosed", "x", false},
        {"*.txt,*.hlf", "TEST.HLF", true},
        {"*.txt,*.hlf", "sub", false},
        {"*", "sub", true},
        {"*", "a.b", true},
        {"*.txt,*.*", "README", true},
        {"", "x", false},
        {"*.txt,", "x.txt", true},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(MatchesMaskList(Case.Masks, Case.Name), Case.Matches)
            << Case.Masks << " / " << Case.Name;
}

TEST(GeneratedName, NameAndExtensionBuiltFromTheMask) {
    const std::pair<std::pair<const char*, const char*>, const char*> Cases[] = {
        {{"*.bak", "file.txt"}, "file.bak"}, {{"x?*", "abc.txt"}, "xbc.txt"}, {{"*", "a.b"}, "a.b"},
        {{"new.*", "old.c"}, "new.c"},       {{"*.", "file.txt"}, "file"},    {{"??", "a"}, "a"},
    };
    for (const auto& [Given, Made] : Cases)
        EXPECT_EQ(GeneratedName(Given.first, Given.second), Made) << Given.first;
    EXPECT_EQ(NamePart("C:\\dir/sub\\name.txt"), "name.txt");
    EXPECT_EQ(NamePart("C:name"), "name");
}

TEST(OemLetters, LatinAndCyrillicBothWays) {
    for (int Byte = 0; Byte < 256; ++Byte) {
        unsigned char B = static_cast<unsigned char>(Byte);
        if (IsOemLower(B)) {
            EXPECT_EQ(OemLower(OemUpper(B)), B) << Byte;
        }
        if (IsOemUpper(B)) {
            EXPECT_EQ(OemUpper(OemLower(B)), B) << Byte;
        }
        EXPECT_FALSE(IsOemLower(B) && IsOemUpper(B)) << Byte;
    }
    EXPECT_EQ(OemUpper(0xA0), 0x80); // а → А
    EXPECT_EQ(OemUpper(0xEF), 0x9F); // я → Я
    EXPECT_EQ(OemUpper(0xF1), 0xF0); // ё → Ё
    EXPECT_FALSE(IsOemAlpha(0xB0));  // a shade
    EXPECT_EQ(CompareOemWithoutCase("\xa0\x62", "\x80\x42"), 0);
    EXPECT_LT(CompareOemWithoutCase("abc", "abd"), 0);
    EXPECT_EQ(CompareOemWithoutCase("abc", "abd", 2), 0);
}

TEST(StandardText, TrimCutQuoteAndSlash) {
    EXPECT_EQ(WithoutLeadingBlanks(" \t a b "), "a b ");
    EXPECT_EQ(WithoutTrailingBlanks(" a b \r\n"), " a b");
    EXPECT_EQ(TruncatedText("a long name", 8), "... name");
    EXPECT_EQ(TruncatedText("a long name", 20), "a long name");
    EXPECT_EQ(TruncatedText("a long name", 2), "..");
    EXPECT_EQ(TruncatedText("a long name", -5), "");
    EXPECT_EQ(TruncatedPath("C:\\folder\\sub\\file.txt", 14), "C:\\...file.txt");
    EXPECT_EQ(TruncatedPath("\\\\srv\\share\\dir\\f", 16), "\\\\srv\\share\\...f");
    EXPECT_EQ(TruncatedPath("C:\\folder\\file", 5), "...le");
    EXPECT_EQ(QuotedIfSpaced("a b"), "\"a b\"");
    EXPECT_EQ(QuotedIfSpaced("\"a b\""), "\"a b\"");
    EXPECT_EQ(QuotedIfSpaced("ab"), "ab");
    EXPECT_EQ(WithoutQuotes("\"a\" \"b\""), "a b");
    EXPECT_EQ(WithEndSlash("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(WithEndSlash("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(WithEndSlash("a/b"), "a/b/");
    EXPECT_EQ(WithEndSlash(""), "\\");
    EXPECT_EQ(NameOffset("C:\\dir\\x.txt"), 7u);
}

TEST(StandardText, Roots) {
    EXPECT_EQ(PathRoot("C:\\dir\\file", "D:\\"), "C:\\");
    EXPECT_EQ(PathRoot("c:file", "D:\\"), "c:\\");
    EXPECT_EQ(PathRoot("\\\\server\\share\\dir", "D:\\"), "\\\\server\\share\\");
    EXPECT_EQ(PathRoot("dir\\file", "D:\\"), "D:\\");
}

TEST(StandardText, NumbersBothWays) {
    EXPECT_EQ(LeadingNumber("  -42abc"), -42);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_EQ(LeadingNumber("x1"), 0);
    EXPECT_EQ(LeadingNumber("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(NumberText(-42, 10, false), "-42");
    EXPECT_EQ(NumberText(-1, 16, false), "ffffffff");
    EXPECT_EQ(NumberText(-1, 16, true), "ffffffffffffffff");
    EXPECT_EQ(NumberText(35, 36, false), "z");
    EXPECT_EQ(NumberText(5, 1, false), "");
    EXPECT_EQ(NumberText(INT64_MIN, 10, true), "-9223372036854775808");
}

namespace {
std::string Formatted(const char* Format, ...) {
    va_list Arguments;
    va_start(Arguments, Format);
    std::string Text, Why;
    bool Made = FormatLikeHost(Format, Arguments, Text, Why);
    va_end(Arguments);
    return Made ? Text : "refused: " + Why;
}
} // namespace

TEST(FormatLikeHost, MicrosoftSizesPointersAndRefusals) {
    EXPECT_EQ(Formatted("%d|%5s|%-3c|%I64d|%lld|%x", -3, "ab", 'z', 1LL << 40, -2LL, 255),
              "-3|   ab|z  |1099511627776|-2|ff");
    EXPECT_EQ(Formatted("%*d|%.*s|%%|%.2f", 4, 7, 2, "abc", 2.5), "   7|ab|%|2.50");
    EXPECT_EQ(Formatted("%p", reinterpret_cast<void*>(0x12ab)), "000012AB");
    EXPECT_EQ(Formatted("%s", static_cast<char*>(nullptr)), "(null)");
    EXPECT_EQ(Formatted("%S", L"x"), "refused: a wide text (%S)");
    EXPECT_EQ(Formatted("%1048577d", 1), "refused: a text longer than 1048576 bytes");
    EXPECT_EQ(ScanFormat("%I64d %5s %Lf %%I64"), "%lld %5s %lf %%I64");
}

TEST(SortRecords, StableAndBoundedWhateverTheComparison) {
    int Numbers[] = {5, 3, 9, 1, 3, 7};
    SortRecords(Numbers, 6, sizeof(int), [](const void* A, const void* B) {
        return *static_cast<const int*>(A) - *static_cast<const int*>(B);
    });
    EXPECT_EQ(std::vector<int>(Numbers, Numbers + 6), (std::vector<int>{1, 3, 3, 5, 7, 9}));
    int Key = 7;
    auto Compare = [](const void* A, const void* B) {
        return *static_cast<const int*>(A) - *static_cast<const int*>(B);
    };
    EXPECT_EQ(FindSortedRecord(&Key, Numbers, 6, sizeof(int), Compare), &Numbers[4]);
    Key = 4;
    EXPECT_EQ(FindSortedRecord(&Key, Numbers, 6, sizeof(int), Compare), nullptr);
    // A comparison that answers at random keeps every record and stops.
    std::vector<int> Many(1000);
    for (int I = 0; I < 1000; ++I)
        Many[I] = I;
    int Calls = 0;
    SortRecords(Many.data(), Many.size(), sizeof(int), [&](const void*, const void*) {
        ++Calls;
        return rand() % 3 - 1;
    });
    std::vector<int> Sorted = Many;
    std::sort(Sorted.begin(), Sorted.end());
    for (int I = 0; I < 1000; ++I)
        EXPECT_EQ(Sorted[I], I);
    EXPECT_LE(Calls, 1000 * 10);
}
