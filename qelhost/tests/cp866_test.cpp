// The OEM code page the plugin's texts come in, and UTF-8 on the terminal.
#include "qelhost/services/cp866.hpp"

#include <gtest/gtest.h>

TEST(Cp866, CyrillicLettersAndTheirPlacesInTheTable) {
    EXPECT_EQ(OemToUnicode("\x80\x9F\xA0\xAF\xE0\xEF\xF0\xF1"), U"АЯапряЁё");
    EXPECT_EQ(ToUtf8(OemToUnicode("\x8F\xE0\xA8\xA2\xA5\xE2")), "Привет");
    EXPECT_EQ(OemToUnicode("\xC9\xCD\xBB\xFC"), U"╔═╗№");
}

TEST(Cp866, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string All;
    for (int Byte = 1; Byte < 256; ++Byte)
        All += static_cast<char>(Byte);
    EXPECT_EQ(UnicodeToOem(FromUtf8(ToUtf8(OemToUnicode(All)))), All);
}

TEST(Cp866, CharactersOutsideTheCodePageBecomeQuestionMarksAndAreNamed) {
    EXPECT_EQ(UnicodeToOem(U"a€ü中"), "a???");
    EXPECT_EQ(MissingFromOem(U"a€ü中€Ж╔"), U"€ü中");
    EXPECT_EQ(MissingFromOem(U"Привет, мир"), U"");
}

TEST(Cp866, MalformedUtf8GivesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xD0"), U"a\uFFFD");
    EXPECT_EQ(FromUtf8("\xFF"
                       "b"),
              U"\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE2\x95\x94"), U"╔");
}

TEST(Cp866, WhyATextCannotReachThePluginNamesABadByteByItsValue) {
    struct Case {
        std::string Utf8;
        std::string Why;
    } Cases[] = {
        {"Привет", ""},
        {"a€b", "code page 866 has no €"},
        {"ok\xFF", "the byte 0xFF is not UTF-8"},
        {"\xE2\x82", "the byte 0xE2 is not UTF-8"},  // a cut sequence
        {"€\xFE", "the byte 0xFE is not UTF-8"}, // before what the code page lacks
    };
    for (const Case& C : Cases)
        EXPECT_EQ(WhyNotOem(C.Utf8), C.Why) << C.Utf8;
}
