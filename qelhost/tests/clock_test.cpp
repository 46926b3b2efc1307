// The session's clock: fixed until Sleep moves it, Windows' two forms of a
// time, and the pictures of GetDateFormatA/GetTimeFormatA.
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <gtest/gtest.h>

uint32_t LastErrorSet = 0;
void SetPluginLastError(uint32_t Error) {
    LastErrorSet = Error;
}

namespace {

TEST(Clock, StartsFixedAndMovesOnlyBySleep) {
    ASSERT_EQ(SetClock("2009-06-15 12:00:00"), "");
    SystemTime T = SystemTimeOf(ClockFileTime());
    EXPECT_EQ(T.Year, 2009);
    EXPECT_EQ(T.Month, 6);
    EXPECT_EQ(T.Day, 15);
    EXPECT_EQ(T.DayOfWeek, 1); // a Monday
    EXPECT_EQ(T.Hour, 12);
    EXPECT_EQ(ClockTickCount(), StartTickCount);
    AdvanceClock(61500);
    T = SystemTimeOf(ClockFileTime());
    EXPECT_EQ(T.Minute, 1);
    EXPECT_EQ(T.Second, 1);
    EXPECT_EQ(T.Milliseconds, 500);
    EXPECT_EQ(ClockTickCount(), StartTickCount + 61500);
    EXPECT_EQ(SetClock("now"), "");
    EXPECT_EQ(ClockTickCount(), StartTickCount);
}

TEST(Clock, TheOptionTakesADateAndTimeOrNow) {
    const struct {
        const char* Value;
        bool Taken;
    } Cases[] = {
        {"2000-02-29 23:59:59", true},  {"1601-01-01 00:00:00", true},
        {"1999-02-29 00:00:00", false}, {"2009-13-01 00:00:00", false},
        {"2009-06-31 00:00:00", false}, {"2009-06-15 24:00:00", false},
        {"2009-06-15", false},          {"2009-06-15 12:00:00x", false},
        {"1600-12-31 23:59:59", false}, {"yesterday", false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(SetClock(Case.Value).empty(), Case.Taken) << Case.Value;
}

TEST(Clock, FileTimesCountFrom1601) {
    const struct {
        SystemTime Time;
        uint64_t FileTime;
    } Cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ull},
        {{2000, 3, 3, 1, 12, 30, 15, 250}, 125963874152500000ull},
    };
    for (const auto& Case : Cases) {
        uint64_t Time = 0;
        ASSERT_TRUE(FileTimeOf(Case.Time, Time));
        EXPECT_EQ(Time, Case.FileTime);
        SystemTime Back = SystemTimeOf(Time);
        EXPECT_EQ(memcmp(&Back, &Case.Time, sizeof Back), 0) << Case.FileTime;
    }
}

TEST(Clock, PicturesAreWrittenInTheLocalesLanguage) {
    SystemTime T{2009, 6, 1, 15, 9, 5, 7, 0};
    const struct {
        const char* Picture;
        uint32_t Locale;
        const char* Expected;
    } Cases[] = {
        {"dd.MM.yyyy", 0x419, "15.06.2009"},
        {"d MMMM yyyy", 0x419, "15 \xE8\xFE\xED\xFF 2009"}, // июня
        {"MMMM", 0x419, "\xC8\xFE\xED\xFC"},                // Июнь
        {"dddd, MMM yy", 0x400, "\xEF\xEE\xED\xE5\xE4\xE5\xEB\xFC\xED\xE8\xEA, \xE8\xFE\xED 09"},
        {"dddd, MMMM dd, yyyy", 0x409, "Monday, June 15, 2009"},
        {"ddd M/d/y", 0x809, "Mon 6/15/9"},
        {"h:mm:ss tt", 0x409, "9:05:07 AM"},
        {"HH'h'mm ''x''", 0x419, "09h05 'x'"},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(FormatTimePicture(T, Case.Picture, Case.Locale), Case.Expected) << Case.Picture;
}

TEST(Clock, TimeFormatFlagsLeaveOutWhatTheyName) {
    SystemTime T{2009, 6, 1, 15, 21, 5, 7, 0};
    const struct {
        DWORD Flags;
        uint32_t Locale;
        const char* Expected;
    } Cases[] = {
        {0, 0x419, "21:05:07"},   {2, 0x419, "21:05"},   {1, 0x419, "21"},
        {0, 0x409, "9:05:07 PM"}, {4, 0x409, "9:05:07"}, {8, 0x409, "21:05:07"},
        {2 | 4, 0x409, "9:05"},
    };
    for (const auto& Case : Cases) {
        char Out[32];
        int Length = Kernel32GetTimeFormatA(Case.Locale, Case.Flags, &T, nullptr, Out, sizeof Out);
        EXPECT_EQ(std::string(Out), Case.Expected) << Case.Flags;
        EXPECT_EQ(Length, static_cast<int>(strlen(Case.Expected)) + 1);
    }
    char Small[4];
    EXPECT_EQ(Kernel32GetDateFormatA(0x419, 0, &T, nullptr, nullptr, 0), 11);
    EXPECT_EQ(Kernel32GetDateFormatA(0x419, 0, &T, nullptr, Small, sizeof Small), 0);
    EXPECT_EQ(LastErrorSet, ErrorInsufficientBuffer);
    SystemTime NoDate{2009, 2, 0, 30, 0, 0, 0, 0};
    EXPECT_EQ(Kernel32GetDateFormatA(0x419, 0, &NoDate, nullptr, Small, sizeof Small), 0);
    EXPECT_EQ(LastErrorSet, ErrorInvalidParameter);
}

} // namespace
