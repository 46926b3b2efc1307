// The plugin's code pages: every byte of 866 and 1251 both ways, UTF-8 as
// MultiByteToWideChar reads it, and case in 1251.
#include "qelhost/gate/code_pages.hpp"

#include <gtest/gtest.h>

namespace {

TEST(CodePages, EveryByteOfBothPagesComesBackFromItsCharacter) {
    for (uint32_t Page : {OemCodePage, AnsiCodePage})
        for (int Byte = 0; Byte < 256; ++Byte) {
            char16_t Char = CharOfByte(Page, static_cast<unsigned char>(Byte));
            EXPECT_EQ(ByteOfChar(Page, Char), Byte) << Page << " byte " << Byte;
        }
}

TEST(CodePages, EachRowOfBothPagesHoldsItsCharacters) {
    const struct {
        uint32_t Page;
        const char* Bytes;
        const char16_t* Chars;
    } Rows[] = {
        {866, "\x80\x8F\x90\x9F", u"АПРЯ"},
        {866, "\xA0\xAF\xE0\xEF", u"апря"},
        {866, "\xB0\xB3\xBA\xC4\xC9\xCD\xDB\xDF", u"░│║─╔═█▀"},
        {866, "\xF0\xF1\xF8\xFC\xFF", u"Ёё°№\u00A0"},
        {1251, "\x80\x88\x8A\x96\x97\x98\x99", u"Ђ€Љ–—\u0098™"},
        {1251, "\xA0\xA8\xAB\xB2\xB5\xB8\xB9\xBF", u"\u00A0Ё«Іµё№ї"},
        {1251, "\xC0\xCF\xDF\xE0\xEF\xFF", u"АПЯапя"},
        {866, "Az09~", u"Az09~"},
        {1251, "Az09~", u"Az09~"},
    };
    for (const auto& Row : Rows) {
        bool Invalid;
        EXPECT_EQ(ToWide(Row.Page, Row.Bytes, Invalid), Row.Chars) << Row.Page << " " << Row.Bytes;
        bool UsedDefault;
        EXPECT_EQ(FromWide(Row.Page, Row.Chars, '?', UsedDefault), Row.Bytes);
        EXPECT_FALSE(UsedDefault);
    }
}

TEST(CodePages, TheAnsiAndOemPagesAreThoseOfCyrillicWindows) {
    EXPECT_EQ(KnownCodePage(CpAcp), 1251u);
    EXPECT_EQ(KnownCodePage(CpThreadAcp), 1251u);
    EXPECT_EQ(KnownCodePage(CpOemcp), 866u);
    EXPECT_EQ(KnownCodePage(CpUtf8), CpUtf8);
    EXPECT_EQ(KnownCodePage(1252), 0u);
    EXPECT_EQ(KnownCodePage(65000), 0u);
}

TEST(CodePages, CharactersAPageLacksBecomeTheDefault) {
    bool UsedDefault;
    EXPECT_EQ(FromWide(866, u"a€ü中", '#', UsedDefault), "a###");
    EXPECT_TRUE(UsedDefault);
    EXPECT_EQ(FromWide(1251, u"€╔", '?', UsedDefault), "\x88?");
    EXPECT_EQ(FromWide(1251, u"\xD800x", '?', UsedDefault), "?x");
}

TEST(CodePages, Utf8IsReadAndWrittenAsWindowsDoes) {
    const struct {
        const char* Bytes;
        const char16_t* Chars;
        bool Invalid;
    } Cases[] = {
        {"Привет", u"Привет", false},
        {"\xF0\x9F\x98\x80", u"\U0001F600", false},
        {"a\xD0", u"a\uFFFD", true},
        {"\xC0\xAF", u"\uFFFD\uFFFD", true},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", true}, // a surrogate
        {"\xFF", u"\uFFFD", true},
    };
    for (const auto& Case : Cases) {
        bool Invalid;
        EXPECT_EQ(ToWide(CpUtf8, Case.Bytes, Invalid), Case.Chars) << Case.Bytes;
        EXPECT_EQ(Invalid, Case.Invalid) << Case.Bytes;
    }
    bool UsedDefault;
    EXPECT_EQ(FromWide(CpUtf8, u"Ж\U0001F600", '?', UsedDefault), "Ж\xF0\x9F\x98\x80");
    EXPECT_EQ(FromWide(CpUtf8, u"\xDC00", '?', UsedDefault), "\xEF\xBF\xBD");
}

TEST(CodePages, EveryLetterOf1251HasItsOtherCase) {
    // Upper and lower pairs: Latin, Cyrillic, and the letters of the
    // other Cyrillic alphabets in 1251.
    const char Upper[] =
        "AZ\xC0\xC1\xDF\xA8\x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xA3\xA5\xAA\xAF\xB2\xBD";
    const char Lower[] =
        "az\xE0\xE1\xFF\xB8\x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xBC\xB4\xBA\xBF\xB3\xBE";
    for (size_t I = 0; Upper[I] != 0; ++I) {
        unsigned char Big = static_cast<unsigned char>(Upper[I]);
        unsigned char Small = static_cast<unsigned char>(Lower[I]);
        EXPECT_EQ(LowerAnsi(Big), Small) << int{Big};
        EXPECT_EQ(UpperAnsi(Small), Big) << int{Small};
        EXPECT_TRUE(IsAnsiUpper(Big) && IsAnsiAlpha(Big) && !IsAnsiLower(Big)) << int{Big};
        EXPECT_TRUE(IsAnsiLower(Small) && IsAnsiAlpha(Small) && !IsAnsiUpper(Small)) << int{Small};
    }
    for (unsigned char Other : std::initializer_list<unsigned char>{
             0x31, 0x20, 0x5F, 0xB9 /* № */, 0x96 /* – */, 0xA0, 0x98}) { // 1, space, _
        EXPECT_EQ(UpperAnsi(Other), Other);
        EXPECT_EQ(LowerAnsi(Other), Other);
        EXPECT_FALSE(IsAnsiAlpha(Other)) << int{Other};
    }
    EXPECT_TRUE(IsAnsiLower(0xB5)); // µ, without an upper case in 1251
    EXPECT_EQ(UpperAnsi(0xB5), 0xB5);
}

} // namespace
