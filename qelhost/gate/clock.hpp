// The session's clock, which the plugin reads through GetTickCount,
// GetLocalTime, GetSystemTime(AsFileTime) and GetDate/TimeFormatA: fixed
// at the start (2009-06-15 12:00:00 unless --clock sets it) and advanced
// only by the plugin's Sleep, so that transcripts repeat. The session's
// time zone is UTC: local time and system time are one.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stdint.h>

#include <string>

// Windows' SYSTEMTIME and FILETIME (100-ns intervals since 1601-01-01).
struct SystemTime {
    uint16_t Year, Month, DayOfWeek, Day, Hour, Minute, Second, Milliseconds;
};
static_assert(sizeof(SystemTime) == 16);
struct FileTime {
    uint32_t Low, High;
};
static_assert(sizeof(FileTime) == 8);

constexpr const char* DefaultClock = "2009-06-15 12:00:00";
// The tick count at the start: an hour after the machine's start.
constexpr uint32_t StartTickCount = 3600 * 1000;

// --clock 'YYYY-MM-DD HH:MM:SS' or now (this machine's local time); the
// reason when Value is neither.
std::string SetClock(const std::string& Value);
void AdvanceClock(uint32_t Milliseconds);

uint64_t ClockFileTime();
uint32_t ClockTickCount();

// Between the two forms; false for a SYSTEMTIME that is no date and time
// (month 13, 31 June, a year before 1601 or after 30827).
SystemTime SystemTimeOf(uint64_t Time);
bool FileTimeOf(const SystemTime& Time, uint64_t& Result);

// Time written by a picture of GetDateFormatA/GetTimeFormatA (d dd ddd
// dddd M MM MMM MMMM y yy yyyy gg; h hh H HH m mm s ss t tt; 'quoted'
// text), in the names of English (Locale 0x409 and other English ones) or
// of Russian, the plugin's Windows' own language, in code page 1251.
std::string FormatTimePicture(const SystemTime& Time, const std::string& Picture, uint32_t Locale);

PLUGIN_STDCALL DWORD Kernel32GetTickCount();
PLUGIN_STDCALL void Kernel32GetLocalTime(SystemTime* Time);
PLUGIN_STDCALL void Kernel32GetSystemTime(SystemTime* Time);
PLUGIN_STDCALL void Kernel32GetSystemTimeAsFileTime(FileTime* Time);
PLUGIN_STDCALL BOOL Kernel32FileTimeToSystemTime(const FileTime* From, SystemTime* To);
PLUGIN_STDCALL BOOL Kernel32SystemTimeToFileTime(const SystemTime* From, FileTime* To);
PLUGIN_STDCALL BOOL Kernel32FileTimeToLocalFileTime(const FileTime* From, FileTime* To);
PLUGIN_STDCALL BOOL Kernel32LocalFileTimeToFileTime(const FileTime* From, FileTime* To);
PLUGIN_STDCALL BOOL Kernel32SystemTimeToTzSpecificLocalTime(const void* Zone,
                                                            const SystemTime* From, SystemTime* To);
PLUGIN_STDCALL long Kernel32CompareFileTime(const FileTime* A, const FileTime* B);
PLUGIN_STDCALL int Kernel32GetDateFormatA(DWORD Locale, DWORD Flags, const SystemTime* Date,
                                          const char* Format, char* Out, int Size);
PLUGIN_STDCALL int Kernel32GetTimeFormatA(DWORD Locale, DWORD Flags, const SystemTime* Time,
                                          const char* Format, char* Out, int Size);
