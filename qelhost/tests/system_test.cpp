// What the plugin asks of its Windows: the version, the environment, the
// code-page conversions with their sizes and errors, and the system's
// messages.
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <gtest/gtest.h>

#include <string.h>

extern uint32_t LastErrorSet; // clock_test.cpp's stand-in for the plugin's last error

namespace {

TEST(System, TheVersionIsWindowsXpServicePack3) {
    OsVersionInfoEx Info{};
    Info.Base.Size = sizeof Info;
    ASSERT_TRUE(Kernel32GetVersionExA(&Info.Base));
    EXPECT_EQ(Info.Base.MajorVersion, 5u);
    EXPECT_EQ(Info.Base.MinorVersion, 1u);
    EXPECT_EQ(Info.Base.BuildNumber, 2600u);
    EXPECT_STREQ(Info.Base.CsdVersion, "Service Pack 3");
    EXPECT_EQ(Info.ServicePackMajor, 3);
    OsVersionInfo Short{};
    Short.Size = 100;
    EXPECT_FALSE(Kernel32GetVersionExA(&Short));
    EXPECT_EQ(LastErrorSet, ErrorInsufficientBuffer);
}

TEST(System, TheEnvironmentIsTheSessionsOwn) {
    ASSERT_EQ(AddEnvironment("QEL_HOME=C:\\qelfar\\home"), "");
    EXPECT_NE(AddEnvironment("=x"), "");
    EXPECT_NE(AddEnvironment("NOVALUE"), "");
    char Value[8];
    EXPECT_EQ(Kernel32GetEnvironmentVariableA("qel_home", Value, sizeof Value), 15u);
    char Enough[16];
    EXPECT_EQ(Kernel32GetEnvironmentVariableA("QEL_HOME", Enough, sizeof Enough), 14u);
    EXPECT_STREQ(Enough, "C:\\qelfar\\home");
    EXPECT_EQ(Kernel32GetEnvironmentVariableA("HOME", Enough, sizeof Enough), 0u);
    EXPECT_EQ(LastErrorSet, ErrorEnvVarNotFound);
    EXPECT_EQ(ExpandEnvironment("%QEL_HOME%\\bin;%NONE%;100%;%%QEL_HOME%"),
              "C:\\qelfar\\home\\bin;%NONE%;100%;%C:\\qelfar\\home");
    EXPECT_EQ(Kernel32ExpandEnvironmentStringsA("%OS%", Enough, 4), 11u);
    EXPECT_EQ(Kernel32ExpandEnvironmentStringsA("%OS%", Enough, sizeof Enough), 11u);
    EXPECT_STREQ(Enough, "Windows_NT");
}

TEST(System, CodePageConversionsAnswerWithSizesAndErrors) {
    char16_t Wide[8];
    EXPECT_EQ(Kernel32MultiByteToWideChar(CpAcp, 0, "\xC0\xE1", -1, nullptr, 0), 3);
    EXPECT_EQ(Kernel32MultiByteToWideChar(CpOemcp, 0, "\x80\xA1", 2, Wide, 8), 2);
    EXPECT_EQ(std::u16string(Wide, 2), u"Аб");
    EXPECT_EQ(Kernel32MultiByteToWideChar(CpUtf8, 0, "\xD0\x96", -1, Wide, 8), 2);
    EXPECT_EQ(Wide[0], u'Ж');
    EXPECT_EQ(Kernel32MultiByteToWideChar(CpUtf8, MbErrInvalidChars, "\xFF", -1, Wide, 8), 0);
    EXPECT_EQ(LastErrorSet, ErrorNoUnicodeTranslation);
    EXPECT_EQ(Kernel32MultiByteToWideChar(CpAcp, 0, "abc", -1, Wide, 2), 0);
    EXPECT_EQ(LastErrorSet, ErrorInsufficientBuffer);
    EXPECT_EQ(Kernel32MultiByteToWideChar(1252, 0, "abc", -1, Wide, 8), 0);
    EXPECT_EQ(LastErrorSet, ErrorInvalidParameter);

    char Bytes[8];
    BOOL UsedDefault = 0;
    EXPECT_EQ(Kernel32WideCharToMultiByte(CpAcp, 0, u"Ж€中", -1, Bytes, 8, "#", &UsedDefault), 4);
    EXPECT_STREQ(Bytes, "\xC6\x88#");
    EXPECT_TRUE(UsedDefault);
    EXPECT_EQ(Kernel32WideCharToMultiByte(CpUtf8, 0, u"Ж", 1, nullptr, 0, nullptr, nullptr), 2);
    EXPECT_EQ(Kernel32WideCharToMultiByte(CpUtf8, 0, u"Ж", 1, Bytes, 8, "?", nullptr), 0);
    EXPECT_EQ(LastErrorSet, ErrorInvalidParameter);
    EXPECT_EQ(Kernel32GetACP(), 1251u);
    EXPECT_EQ(Kernel32GetOEMCP(), 866u);
}

TEST(System, FormatMessageGivesTheMessagesOfTheCodesReturned) {
    constexpr DWORD FromSystem = 0x1000, OneLine = 0xFF;
    char Text[128];
    EXPECT_EQ(Kernel32FormatMessageA(FromSystem, nullptr, ErrorFileNotFound, 0, Text, sizeof Text,
                                     nullptr),
              44u);
    EXPECT_STREQ(Text, "The system cannot find the file specified.\r\n");
    EXPECT_EQ(Kernel32FormatMessageA(FromSystem | OneLine, nullptr, ErrorAccessDenied, 0, Text,
                                     sizeof Text, nullptr),
              17u);
    EXPECT_STREQ(Text, "Access is denied.");
    EXPECT_EQ(Kernel32FormatMessageA(FromSystem, nullptr, 99999, 0, Text, sizeof Text, nullptr),
              0u);
    EXPECT_EQ(LastErrorSet, ErrorMrMidNotFound);
    EXPECT_EQ(Kernel32FormatMessageA(FromSystem, nullptr, ErrorAccessDenied, 0, Text, 5, nullptr),
              0u);
    EXPECT_EQ(LastErrorSet, ErrorInsufficientBuffer);
}

} // namespace
