#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/gate/fault_blame.hpp"

#include <stdio.h>
#include <string.h>
#include <time.h>

namespace {

constexpr uint64_t TicksPerMillisecond = 10000;
constexpr uint64_t TicksPerDay = 86400ull * 1000 * TicksPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t DaysTo1970 = 134774;

uint64_t Now = 0; // FILETIME of the session's clock
bool Set = false;
uint64_t Slept = 0; // milliseconds

// Days since 1970-01-01 of a date of the Gregorian calendar, and back.
int64_t DaysOf(int64_t Year, unsigned Month, unsigned Day) {
    Year -= Month <= 2;
    int64_t Era = (Year >= 0 ? Year : Year - 399) / 400;
    unsigned YearOfEra = static_cast<unsigned>(Year - Era * 400);
    unsigned DayOfYear = (153 * (Month > 2 ? Month - 3 : Month + 9) + 2) / 5 + Day - 1;
    unsigned DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    return Era * 146097 + DayOfEra - 719468;
}

void DateOf(int64_t Days, int64_t& Year, unsigned& Month, unsigned& Day) {
    Days += 719468;
    int64_t Era = (Days >= 0 ? Days : Days - 146096) / 146097;
    unsigned DayOfEra = static_cast<unsigned>(Days - Era * 146097);
    unsigned YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    unsigned DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    unsigned MonthIndex = (5 * DayOfYear + 2) / 153;
    Day = DayOfYear - (153 * MonthIndex + 2) / 5 + 1;
    Month = MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9;
    Year = static_cast<int64_t>(YearOfEra) + Era * 400 + (Month <= 2);
}

bool IsLeap(unsigned Year) {
    return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

unsigned DaysInMonth(unsigned Year, unsigned Month) {
    static const unsigned Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeap(Year) ? 29 : Days[Month - 1];
}

// ---- Names ----

bool IsEnglish(uint32_t Locale) {
    return (Locale & 0x3FF) == 0x09 || Locale == 0x7F; // LANG_ENGLISH, the invariant locale
}

const char16_t* const EnglishDays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                       u"Thursday", u"Friday", u"Saturday"};
const char16_t* const EnglishMonths[] = {u"January",   u"February", u"March",    u"April",
                                         u"May",       u"June",     u"July",     u"August",
                                         u"September", u"October",  u"November", u"December"};
const char16_t* const RussianDays[] = {u"воскресенье", u"понедельник", u"вторник", u"среда",
                                       u"четверг",     u"пятница",     u"суббота"};
const char16_t* const RussianShortDays[] = {u"Вс", u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб"};
const char16_t* const RussianMonths[] = {u"Январь",   u"Февраль", u"Март",   u"Апрель",
                                         u"Май",      u"Июнь",    u"Июль",   u"Август",
                                         u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"};
// After a day number ("15 июня"), Russian names the month in the genitive.
const char16_t* const RussianMonthsOfDay[] = {u"января",   u"февраля", u"марта",  u"апреля",
                                              u"мая",      u"июня",    u"июля",   u"августа",
                                              u"сентября", u"октября", u"ноября", u"декабря"};
const char16_t* const RussianShortMonths[] = {u"янв", u"фев", u"мар", u"апр", u"май", u"июн",
                                              u"июл", u"авг", u"сен", u"окт", u"ноя", u"дек"};

std::string Ansi(const std::u16string& Text) {
    bool UsedDefault;
    return FromWide(AnsiCodePage, Text, '?', UsedDefault);
}

std::string Digits(unsigned Value, int Width) {
    char Text[16];
    snprintf(Text, sizeof Text, "%0*u", Width, Value);
    return Text;
}

std::string Element(const SystemTime& T, char Letter, size_t Count, uint32_t Locale,
                    bool DayInPicture) {
    bool English = IsEnglish(Locale);
    unsigned Month = T.Month >= 1 && T.Month <= 12 ? T.Month - 1u : 0;
    unsigned Weekday = T.DayOfWeek % 7;
    unsigned Hour12 = T.Hour % 12 == 0 ? 12 : T.Hour % 12;
    switch (Letter) {
    case 'd':
        if (Count <= 2)
            return Digits(T.Day, static_cast<int>(Count));
        if (Count == 3)
            return English ? Ansi(std::u16string(EnglishDays[Weekday]).substr(0, 3))
                           : Ansi(RussianShortDays[Weekday]);
        return Ansi(English ? EnglishDays[Weekday] : RussianDays[Weekday]);
    case 'M':
        if (Count <= 2)
            return Digits(T.Month, static_cast<int>(Count));
        if (Count == 3)
            return English ? Ansi(std::u16string(EnglishMonths[Month]).substr(0, 3))
                           : Ansi(RussianShortMonths[Month]);
        return Ansi(English        ? EnglishMonths[Month]
                    : DayInPicture ? RussianMonthsOfDay[Month]
                                   : RussianMonths[Month]);
    case 'y':
        return Count <= 2 ? Digits(T.Year % 100, static_cast<int>(Count)) : Digits(T.Year, 4);
    case 'g':
        return English ? "A.D." : Ansi(u"н.э.");
    case 'h':
        return Digits(Hour12, Count >= 2 ? 2 : 1);
    case 'H':
        return Digits(T.Hour, Count >= 2 ? 2 : 1);
    case 'm':
        return Digits(T.Minute, Count >= 2 ? 2 : 1);
    case 's':
        return Digits(T.Second, Count >= 2 ? 2 : 1);
    case 't': {
        std::string Marker = English ? (T.Hour < 12 ? "AM" : "PM") : "";
        return Count == 1 ? Marker.substr(0, 1) : Marker;
    }
    default:
        return std::string(Count, Letter);
    }
}

constexpr DWORD DateLongDate = 2;
constexpr DWORD TimeNoMinutesOrSeconds = 1;
constexpr DWORD TimeNoSeconds = 2;
constexpr DWORD TimeNoTimeMarker = 4;
constexpr DWORD TimeForce24HourFormat = 8;

// The picture without the elements of Letters (a flag of GetTimeFormatA
// leaves them out), each with the separator before it, or after it when it
// comes first.
std::string WithoutElements(const std::string& Picture, const std::string& Letters) {
    const std::string TimeLetters = "hHmst";
    std::string Result;
    size_t AfterLastElement = 0;
    bool Dropping = false; // the separators after a dropped first element
    for (size_t I = 0; I < Picture.size();) {
        char C = Picture[I];
        size_t Count = 1;
        while (TimeLetters.find(C) != std::string::npos && I + Count < Picture.size() &&
               Picture[I + Count] == C)
            ++Count;
        if (TimeLetters.find(C) == std::string::npos) {
            if (!Dropping)
                Result += C;
        } else if (Letters.find(C) != std::string::npos) {
            Result.resize(AfterLastElement);
            Dropping = AfterLastElement == 0;
        } else {
            Result += Picture.substr(I, Count);
            AfterLastElement = Result.size();
            Dropping = false;
        }
        I += Count;
    }
    return Result;
}

SystemTime WhenAsked(const SystemTime* Time, bool& Valid) {
    Valid = true;
    if (Time == nullptr)
        return SystemTimeOf(ClockFileTime());
    SystemTime Given;
    std::string Bytes = PluginMemoryBytes(Time, sizeof Given);
    memcpy(&Given, Bytes.data(), sizeof Given);
    uint64_t Checked;
    Valid = FileTimeOf(Given, Checked);
    if (Valid) // the weekday as the date has it, whatever the plugin put there
        Given.DayOfWeek = SystemTimeOf(Checked).DayOfWeek;
    return Given;
}

// What GetDateFormatA and GetTimeFormatA return: the length with the zero
// (Size 0: the length needed), or 0 with the error.
int PutFormatted(const std::string& Text, char* Out, int Size) {
    int Needed = static_cast<int>(Text.size()) + 1;
    if (Size == 0)
        return Needed;
    if (Size < Needed || Out == nullptr) {
        SetPluginLastError(ErrorInsufficientBuffer);
        return 0;
    }
    PluginMemoryWrite(Out, Text.c_str(), Text.size() + 1);
    return Needed;
}

} // namespace

std::string SetClock(const std::string& Value) {
    SystemTime T{};
    if (Value == "now") {
        time_t Seconds = time(nullptr);
        const tm* Local = localtime(&Seconds);
        if (Local == nullptr)
            return "--clock now: this machine's time cannot be read";
        T = SystemTime{static_cast<uint16_t>(Local->tm_year + 1900),
                       static_cast<uint16_t>(Local->tm_mon + 1),
                       0,
                       static_cast<uint16_t>(Local->tm_mday),
                       static_cast<uint16_t>(Local->tm_hour),
                       static_cast<uint16_t>(Local->tm_min),
                       static_cast<uint16_t>(Local->tm_sec > 59 ? 59 : Local->tm_sec),
                       0};
    } else {
        unsigned Year, Month, Day, Hour, Minute, Second;
        char End;
        if (Value.size() != 19 || sscanf(Value.c_str(), "%4u-%2u-%2u %2u:%2u:%2u%c", &Year, &Month,
                                         &Day, &Hour, &Minute, &Second, &End) != 6)
            return "--clock takes 'YYYY-MM-DD HH:MM:SS' or now, not \"" + Value + "\"";
        T = SystemTime{static_cast<uint16_t>(Year),
                       static_cast<uint16_t>(Month),
                       0,
                       static_cast<uint16_t>(Day),
                       static_cast<uint16_t>(Hour),
                       static_cast<uint16_t>(Minute),
                       static_cast<uint16_t>(Second),
                       0};
    }
    uint64_t Time;
    if (!FileTimeOf(T, Time))
        return "--clock: " + Value + " is no date and time";
    Now = Time;
    Set = true;
    Slept = 0;
    return "";
}

void AdvanceClock(uint32_t Milliseconds) {
    Slept += Milliseconds;
}

uint64_t ClockFileTime() {
    if (!Set)
        SetClock(DefaultClock);
    return Now + Slept * TicksPerMillisecond;
}

uint32_t ClockTickCount() {
    return static_cast<uint32_t>(StartTickCount + Slept);
}

SystemTime SystemTimeOf(uint64_t Time) {
    int64_t Days = static_cast<int64_t>(Time / TicksPerDay);
    uint64_t Rest = Time % TicksPerDay / TicksPerMillisecond;
    int64_t Year;
    unsigned Month, Day;
    DateOf(Days - DaysTo1970, Year, Month, Day);
    return SystemTime{static_cast<uint16_t>(Year),
                      static_cast<uint16_t>(Month),
                      static_cast<uint16_t>((Days + 1) % 7), // 1601-01-01 was a Monday
                      static_cast<uint16_t>(Day),
                      static_cast<uint16_t>(Rest / 3600000),
                      static_cast<uint16_t>(Rest / 60000 % 60),
                      static_cast<uint16_t>(Rest / 1000 % 60),
                      static_cast<uint16_t>(Rest % 1000)};
}

bool FileTimeOf(const SystemTime& T, uint64_t& Result) {
    if (T.Year < 1601 || T.Year > 30827 || T.Month < 1 || T.Month > 12 || T.Day < 1 ||
        T.Day > DaysInMonth(T.Year, T.Month) || T.Hour > 23 || T.Minute > 59 || T.Second > 59 ||
        T.Milliseconds > 999)
        return false;
    uint64_t Days = static_cast<uint64_t>(DaysOf(T.Year, T.Month, T.Day) + DaysTo1970);
    Result = Days * TicksPerDay +
             ((T.Hour * 60ull + T.Minute) * 60 + T.Second) * 1000 * TicksPerMillisecond +
             T.Milliseconds * TicksPerMillisecond;
    return true;
}

std::string FormatTimePicture(const SystemTime& Time, const std::string& Picture, uint32_t Locale) {
    bool DayInPicture = false;
    for (size_t I = 0; I < Picture.size(); ++I)
        if (Picture[I] == 'd' && (I + 2 >= Picture.size() || Picture.compare(I, 3, "ddd") != 0))
            DayInPicture = true;
    std::string Out;
    for (size_t I = 0; I < Picture.size();) {
        char C = Picture[I];
        if (C == '\'') {
            size_t End = Picture.find('\'', I + 1);
            if (End == I + 1) { // '' is a quote
                Out += '\'';
                I += 2;
                continue;
            }
            Out += Picture.substr(I + 1, End == std::string::npos ? End : End - I - 1);
            I = End == std::string::npos ? Picture.size() : End + 1;
            continue;
        }
        if (std::string("dMyghHmst").find(C) == std::string::npos) {
            Out += C;
            ++I;
            continue;
        }
        size_t Count = 0;
        while (I < Picture.size() && Picture[I] == C)
            ++I, ++Count;
        Out += Element(Time, C, Count, Locale, DayInPicture);
    }
    return Out;
}

PLUGIN_STDCALL DWORD Kernel32GetTickCount() {
    return ClockTickCount();
}
PLUGIN_STDCALL void Kernel32GetLocalTime(SystemTime* Time) {
    UsingPluginArguments Using("KERNEL32.dll!GetLocalTime");
    SystemTime Now_ = SystemTimeOf(ClockFileTime());
    PluginMemoryWrite(Time, &Now_, sizeof Now_);
}
PLUGIN_STDCALL void Kernel32GetSystemTime(SystemTime* Time) {
    UsingPluginArguments Using("KERNEL32.dll!GetSystemTime");
    SystemTime Now_ = SystemTimeOf(ClockFileTime());
    PluginMemoryWrite(Time, &Now_, sizeof Now_);
}
PLUGIN_STDCALL void Kernel32GetSystemTimeAsFileTime(FileTime* Time) {
    UsingPluginArguments Using("KERNEL32.dll!GetSystemTimeAsFileTime");
    uint64_t Now_ = ClockFileTime();
    FileTime Result{static_cast<uint32_t>(Now_), static_cast<uint32_t>(Now_ >> 32)};
    PluginMemoryWrite(Time, &Result, sizeof Result);
}
PLUGIN_STDCALL BOOL Kernel32FileTimeToSystemTime(const FileTime* From, SystemTime* To) {
    UsingPluginArguments Using("KERNEL32.dll!FileTimeToSystemTime");
    FileTime Given;
    memcpy(&Given, PluginMemoryBytes(From, sizeof Given).data(), sizeof Given);
    uint64_t Time = uint64_t{Given.High} << 32 | Given.Low;
    if (Time >> 63 != 0) {
        SetPluginLastError(ErrorInvalidParameter);
        return 0;
    }
    SystemTime Result = SystemTimeOf(Time);
    PluginMemoryWrite(To, &Result, sizeof Result);
    return 1;
}
PLUGIN_STDCALL BOOL Kernel32SystemTimeToFileTime(const SystemTime* From, FileTime* To) {
    UsingPluginArguments Using("KERNEL32.dll!SystemTimeToFileTime");
    SystemTime Given;
    memcpy(&Given, PluginMemoryBytes(From, sizeof Given).data(), sizeof Given);
    uint64_t Time;
    if (!FileTimeOf(Given, Time)) {
        SetPluginLastError(ErrorInvalidParameter);
        return 0;
    }
    FileTime Result{static_cast<uint32_t>(Time), static_cast<uint32_t>(Time >> 32)};
    PluginMemoryWrite(To, &Result, sizeof Result);
    return 1;
}
// Local time is UTC in the session: the conversions copy.
PLUGIN_STDCALL BOOL Kernel32FileTimeToLocalFileTime(const FileTime* From, FileTime* To) {
    UsingPluginArguments Using("KERNEL32.dll!FileTimeToLocalFileTime");
    PluginMemoryWrite(To, PluginMemoryBytes(From, sizeof(FileTime)).data(), sizeof(FileTime));
    return 1;
}
PLUGIN_STDCALL BOOL Kernel32LocalFileTimeToFileTime(const FileTime* From, FileTime* To) {
    UsingPluginArguments Using("KERNEL32.dll!LocalFileTimeToFileTime");
    PluginMemoryWrite(To, PluginMemoryBytes(From, sizeof(FileTime)).data(), sizeof(FileTime));
    return 1;
}
PLUGIN_STDCALL BOOL Kernel32SystemTimeToTzSpecificLocalTime(const void*, const SystemTime* From,
                                                            SystemTime* To) {
    UsingPluginArguments Using("KERNEL32.dll!SystemTimeToTzSpecificLocalTime");
    PluginMemoryWrite(To, PluginMemoryBytes(From, sizeof(SystemTime)).data(), sizeof(SystemTime));
    return 1;
}
PLUGIN_STDCALL long Kernel32CompareFileTime(const FileTime* A, const FileTime* B) {
    UsingPluginArguments Using("KERNEL32.dll!CompareFileTime");
    FileTime First, Second;
    memcpy(&First, PluginMemoryBytes(A, sizeof First).data(), sizeof First);
    memcpy(&Second, PluginMemoryBytes(B, sizeof Second).data(), sizeof Second);
    uint64_t X = uint64_t{First.High} << 32 | First.Low;
    uint64_t Y = uint64_t{Second.High} << 32 | Second.Low;
    return X < Y ? -1 : X > Y ? 1 : 0;
}

PLUGIN_STDCALL int Kernel32GetDateFormatA(DWORD Locale, DWORD Flags, const SystemTime* Date,
                                          const char* Format, char* Out, int Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetDateFormatA");
    bool Valid;
    SystemTime Time = WhenAsked(Date, Valid);
    if (!Valid || Size < 0) {
        SetPluginLastError(ErrorInvalidParameter);
        return 0;
    }
    std::string Picture = Format != nullptr ? PluginMemoryText(Format)
                          : IsEnglish(Locale)
                              ? ((Flags & DateLongDate) != 0 ? "dddd, MMMM dd, yyyy" : "M/d/yyyy")
                          : (Flags & DateLongDate) != 0 ? Ansi(u"d MMMM yyyy 'г.'")
                                                        : "dd.MM.yyyy";
    return PutFormatted(FormatTimePicture(Time, Picture, Locale), Out, Size);
}

PLUGIN_STDCALL int Kernel32GetTimeFormatA(DWORD Locale, DWORD Flags, const SystemTime* Time,
                                          const char* Format, char* Out, int Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetTimeFormatA");
    bool Valid;
    SystemTime When = WhenAsked(Time, Valid);
    if (!Valid || Size < 0) {
        SetPluginLastError(ErrorInvalidParameter);
        return 0;
    }
    std::string Picture = Format != nullptr   ? PluginMemoryText(Format)
                          : IsEnglish(Locale) ? "h:mm:ss tt"
                                              : "H:mm:ss";
    if ((Flags & TimeForce24HourFormat) != 0)
        for (char& C : Picture)
            C = C == 'h' ? 'H' : C;
    std::string Left;
    if ((Flags & TimeNoMinutesOrSeconds) != 0)
        Left += "ms";
    if ((Flags & TimeNoSeconds) != 0)
        Left += "s";
    if ((Flags & (TimeNoTimeMarker | TimeForce24HourFormat)) != 0)
        Left += "t";
    if (!Left.empty())
        Picture = WithoutElements(Picture, Left);
    return PutFormatted(FormatTimePicture(When, Picture, Locale), Out, Size);
}
