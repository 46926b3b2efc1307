// The string functions of KERNEL32.dll and USER32.dll that plugins import
// (lstr*A/W, Char*A, IsChar*A, wsprintfA), in the ANSI code page 1251 of
// the plugin's Windows, the same in both builds: Windows' own would follow
// the locale of the machine qelhost.exe runs on.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stdint.h>

#include <string>

// wsprintfA's output for Format and the argument words at Arguments: flags
// "-", "#" and "0", a width, a precision, the sizes h, l and I64, and the
// types c C d i u x X s S (wide C and S, and with l, in 1251); anything else
// after a "%" is written as it is. At most 1023 characters, as Windows.
constexpr size_t WsprintfLimit = 1024;
std::string FormatWsprintf(const char* Format, const uint32_t* Arguments);

// The order of lstrcmpA/W (IgnoreCase: lstrcmpiA/W), close to Windows' word
// order: punctuation before digits before letters, Latin before Cyrillic,
// ё with е, letters compared without case first, then lower case before
// upper. Returns -1, 0 or 1.
int CompareWindowsText(const std::u16string& A, const std::u16string& B, bool IgnoreCase);

PLUGIN_STDCALL int Kernel32LstrlenA(const char* Text);
PLUGIN_STDCALL int Kernel32LstrlenW(const char16_t* Text);
PLUGIN_STDCALL char* Kernel32LstrcpyA(char* To, const char* From);
PLUGIN_STDCALL char16_t* Kernel32LstrcpyW(char16_t* To, const char16_t* From);
PLUGIN_STDCALL char* Kernel32LstrcpynA(char* To, const char* From, int Size);
PLUGIN_STDCALL char16_t* Kernel32LstrcpynW(char16_t* To, const char16_t* From, int Size);
PLUGIN_STDCALL char* Kernel32LstrcatA(char* To, const char* From);
PLUGIN_STDCALL char16_t* Kernel32LstrcatW(char16_t* To, const char16_t* From);
PLUGIN_STDCALL int Kernel32LstrcmpA(const char* A, const char* B);
PLUGIN_STDCALL int Kernel32LstrcmpiA(const char* A, const char* B);
PLUGIN_STDCALL int Kernel32LstrcmpW(const char16_t* A, const char16_t* B);
PLUGIN_STDCALL int Kernel32LstrcmpiW(const char16_t* A, const char16_t* B);

PLUGIN_STDCALL char* User32CharUpperA(char* Text);
PLUGIN_STDCALL char* User32CharLowerA(char* Text);
PLUGIN_STDCALL DWORD User32CharUpperBuffA(char* Text, DWORD Length);
PLUGIN_STDCALL DWORD User32CharLowerBuffA(char* Text, DWORD Length);
PLUGIN_STDCALL char* User32CharNextA(const char* Text);
PLUGIN_STDCALL char* User32CharPrevA(const char* Start, const char* Text);
PLUGIN_STDCALL BOOL User32IsCharAlphaA(char Char);
PLUGIN_STDCALL BOOL User32IsCharAlphaNumericA(char Char);
PLUGIN_STDCALL BOOL User32IsCharUpperA(char Char);
PLUGIN_STDCALL BOOL User32IsCharLowerA(char Char);
PLUGIN_STDCALL BOOL User32CharToOemA(const char* From, char* To);
PLUGIN_STDCALL BOOL User32CharToOemBuffA(const char* From, char* To, DWORD Length);
PLUGIN_STDCALL BOOL User32OemToCharA(const char* From, char* To);
PLUGIN_STDCALL BOOL User32OemToCharBuffA(const char* From, char* To, DWORD Length);
PLUGIN_CDECL int User32WsprintfA(char* To, const char* Format, ...);
PLUGIN_STDCALL int User32WvsprintfA(char* To, const char* Format, const uint32_t* Arguments);
