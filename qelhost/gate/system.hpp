// What the plugin asks of its Windows as a whole: the version (XP SP3,
// 5.1.2600), a small environment of the session (--env adds to it), the
// code pages (ANSI 1251, OEM 866, code_pages.hpp), MessageBeep (a line of
// the transcript) and the system's messages for the error codes the
// stand-ins return. The same in both builds.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stdint.h>

#include <string>

// OSVERSIONINFOA and OSVERSIONINFOEXA.
struct OsVersionInfo {
    DWORD Size, MajorVersion, MinorVersion, BuildNumber, PlatformId;
    char CsdVersion[128];
};
static_assert(sizeof(OsVersionInfo) == 148);
struct OsVersionInfoEx {
    OsVersionInfo Base;
    uint16_t ServicePackMajor, ServicePackMinor, SuiteMask;
    uint8_t ProductType, Reserved;
};
static_assert(sizeof(OsVersionInfoEx) == 156);

// --env NAME=VALUE; the reason when Value is not that.
std::string AddEnvironment(const std::string& Value);
// The session's variable Name (without regard to case), or false.
bool FindEnvironment(const std::string& Name, std::string& Value);
void SetEnvironment(const std::string& Name, const std::string& Value);
// Text with each %NAME% of a variable replaced, as ExpandEnvironmentStringsA.
std::string ExpandEnvironment(const std::string& Text);

PLUGIN_STDCALL BOOL Kernel32GetVersionExA(OsVersionInfo* Info);
PLUGIN_STDCALL DWORD Kernel32GetVersion();
PLUGIN_STDCALL DWORD Kernel32GetEnvironmentVariableA(const char* Name, char* Value, DWORD Size);
PLUGIN_STDCALL BOOL Kernel32SetEnvironmentVariableA(const char* Name, const char* Value);
PLUGIN_STDCALL DWORD Kernel32ExpandEnvironmentStringsA(const char* From, char* To, DWORD Size);
PLUGIN_STDCALL DWORD Kernel32GetACP();
PLUGIN_STDCALL DWORD Kernel32GetOEMCP();
PLUGIN_STDCALL BOOL Kernel32IsValidCodePage(DWORD CodePage);
PLUGIN_STDCALL int Kernel32MultiByteToWideChar(DWORD CodePage, DWORD Flags, const char* From,
                                               int FromLength, char16_t* To, int ToSize);
PLUGIN_STDCALL int Kernel32WideCharToMultiByte(DWORD CodePage, DWORD Flags, const char16_t* From,
                                               int FromLength, char* To, int ToSize,
                                               const char* DefaultChar, BOOL* UsedDefaultChar);
PLUGIN_STDCALL BOOL Kernel32SetFileApisToOEM();
PLUGIN_STDCALL BOOL Kernel32SetFileApisToANSI();
PLUGIN_STDCALL BOOL Kernel32AreFileApisANSI();
PLUGIN_STDCALL DWORD Kernel32FormatMessageA(DWORD Flags, const void* Source, DWORD Id,
                                            DWORD Language, char* Out, DWORD Size, void* Inserts);
PLUGIN_STDCALL DWORD Kernel32GetCurrentProcessId();
PLUGIN_STDCALL DWORD Kernel32GetCurrentThreadId();
PLUGIN_STDCALL HANDLE Kernel32GetCurrentProcess();
PLUGIN_STDCALL HANDLE Kernel32GetCurrentThread();
PLUGIN_STDCALL BOOL Kernel32GetComputerNameA(char* Name, DWORD* Size);
PLUGIN_STDCALL BOOL Advapi32GetUserNameA(char* Name, DWORD* Size);
PLUGIN_STDCALL BOOL User32MessageBeep(DWORD Type);

// Whether the file functions take OEM (866) names, as the host sets them
// with SetFileApisToOEM, or ANSI (1251) ones.
uint32_t FileApisCodePage();
