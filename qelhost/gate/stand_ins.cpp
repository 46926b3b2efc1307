#include "qelhost/gate/stand_ins.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/console.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/memory.hpp"
#include "qelhost/gate/registry_stand_ins.hpp"
#include "qelhost/gate/strings.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/gate/kernel32_stand_ins.hpp"
#include "qelhost/gate/msvcrt_stand_ins.hpp"
#include "qelhost/gate/plugin_heap.hpp"
#include "qelhost/gate/plugin_process.hpp"

#include <strings.h>

namespace {

template <typename Function> void* Address(Function* F) {
    return reinterpret_cast<void*>(F);
}

constexpr BoundBy Both = BoundBy::BothBuilds;
constexpr BoundBy Own = BoundBy::OwnLoader;

// clang-format off: one import a line
const StandIn Table[] = {
    {"msvcrt.dll", "malloc", Address(PluginMalloc), Both},
    {"msvcrt.dll", "calloc", Address(PluginCalloc), Both},
    {"msvcrt.dll", "realloc", Address(PluginRealloc), Both},
    {"msvcrt.dll", "free", Address(PluginFree), Both},
    {"msvcrt.dll", "exit", Address(PluginExit), Both},
    {"msvcrt.dll", "_exit", Address(PluginUnderscoreExit), Both},
    {"msvcrt.dll", "abort", Address(PluginAbort), Both},
    {"msvcrt.dll", "_amsg_exit", Address(PluginAmsgExit), Both},
    {"msvcrt.dll", "_iob", MsvcrtIob, Own},
    {"msvcrt.dll", "__iob_func", Address(MsvcrtIobFunc), Own},
    {"msvcrt.dll", "fputc", Address(MsvcrtFputc), Own},
    {"msvcrt.dll", "fputs", Address(MsvcrtFputs), Own},
    {"msvcrt.dll", "fwrite", Address(MsvcrtFwrite), Own},
    {"msvcrt.dll", "fflush", Address(MsvcrtFflush), Own},
    {"msvcrt.dll", "vfprintf", Address(MsvcrtVfprintf), Own},
    {"msvcrt.dll", "_initterm", Address(MsvcrtInitterm), Own},
    {"msvcrt.dll", "_lock", Address(MsvcrtLock), Own},
    {"msvcrt.dll", "_unlock", Address(MsvcrtUnlock), Own},
    {"msvcrt.dll", "atoi", Address(MsvcrtAtoi), Own},
    {"msvcrt.dll", "strlen", Address(MsvcrtStrlen), Own},
    {"msvcrt.dll", "strcmp", Address(MsvcrtStrcmp), Own},
    {"msvcrt.dll", "strncmp", Address(MsvcrtStrncmp), Own},
    {"msvcrt.dll", "strcpy", Address(MsvcrtStrcpy), Own},
    {"msvcrt.dll", "strncpy", Address(MsvcrtStrncpy), Own},
    {"msvcrt.dll", "strchr", Address(MsvcrtStrchr), Own},
    {"msvcrt.dll", "memcpy", Address(MsvcrtMemcpy), Own},
    {"msvcrt.dll", "memmove", Address(MsvcrtMemmove), Own},
    {"msvcrt.dll", "memset", Address(MsvcrtMemset), Own},
    {"msvcrt.dll", "memcmp", Address(MsvcrtMemcmp), Own},
    {"kernel32.dll", "ExitProcess", Address(PluginExitProcess), Both},
    {"kernel32.dll", "Sleep", Address(PluginSleep), Both},
    {"kernel32.dll", "InitializeCriticalSection", Address(Kernel32CriticalSection), Own},
    {"kernel32.dll", "DeleteCriticalSection", Address(Kernel32CriticalSection), Own},
    {"kernel32.dll", "EnterCriticalSection", Address(Kernel32CriticalSection), Own},
    {"kernel32.dll", "LeaveCriticalSection", Address(Kernel32CriticalSection), Own},
    {"kernel32.dll", "TlsAlloc", Address(Kernel32TlsAlloc), Own},
    {"kernel32.dll", "TlsFree", Address(Kernel32TlsFree), Own},
    {"kernel32.dll", "TlsGetValue", Address(Kernel32TlsGetValue), Own},
    {"kernel32.dll", "TlsSetValue", Address(Kernel32TlsSetValue), Own},
    {"kernel32.dll", "VirtualProtect", Address(Kernel32VirtualProtect), Own},
    {"kernel32.dll", "VirtualQuery", Address(Kernel32VirtualQuery), Own},
    {"kernel32.dll", "GetModuleHandleA", Address(Kernel32GetModuleHandleA), Own},
    {"kernel32.dll", "LoadLibraryA", Address(Kernel32LoadLibraryA), Own},
    {"kernel32.dll", "FreeLibrary", Address(Kernel32FreeLibrary), Own},
    {"kernel32.dll", "GetProcAddress", Address(Kernel32GetProcAddress), Own},
    {"kernel32.dll", "GetLastError", Address(Kernel32GetLastError), Own},
    {"kernel32.dll", "SetLastError", Address(Kernel32SetLastError), Own},
    {"kernel32.dll", "lstrlenA", Address(Kernel32LstrlenA), Both},
    {"kernel32.dll", "lstrlenW", Address(Kernel32LstrlenW), Both},
    {"kernel32.dll", "lstrcpyA", Address(Kernel32LstrcpyA), Both},
    {"kernel32.dll", "lstrcpyW", Address(Kernel32LstrcpyW), Both},
    {"kernel32.dll", "lstrcpynA", Address(Kernel32LstrcpynA), Both},
    {"kernel32.dll", "lstrcpynW", Address(Kernel32LstrcpynW), Both},
    {"kernel32.dll", "lstrcatA", Address(Kernel32LstrcatA), Both},
    {"kernel32.dll", "lstrcatW", Address(Kernel32LstrcatW), Both},
    {"kernel32.dll", "lstrcmpA", Address(Kernel32LstrcmpA), Both},
    {"kernel32.dll", "lstrcmpW", Address(Kernel32LstrcmpW), Both},
    {"kernel32.dll", "lstrcmpiA", Address(Kernel32LstrcmpiA), Both},
    {"kernel32.dll", "lstrcmpiW", Address(Kernel32LstrcmpiW), Both},
    {"kernel32.dll", "GetProcessHeap", Address(Kernel32GetProcessHeap), Both},
    {"kernel32.dll", "HeapCreate", Address(Kernel32HeapCreate), Both},
    {"kernel32.dll", "HeapDestroy", Address(Kernel32HeapDestroy), Both},
    {"kernel32.dll", "HeapAlloc", Address(Kernel32HeapAlloc), Both},
    {"kernel32.dll", "HeapReAlloc", Address(Kernel32HeapReAlloc), Both},
    {"kernel32.dll", "HeapFree", Address(Kernel32HeapFree), Both},
    {"kernel32.dll", "HeapSize", Address(Kernel32HeapSize), Both},
    {"kernel32.dll", "HeapValidate", Address(Kernel32HeapValidate), Both},
    {"kernel32.dll", "GlobalAlloc", Address(Kernel32GlobalAlloc), Both},
    {"kernel32.dll", "GlobalReAlloc", Address(Kernel32GlobalReAlloc), Both},
    {"kernel32.dll", "GlobalFree", Address(Kernel32GlobalFree), Both},
    {"kernel32.dll", "GlobalSize", Address(Kernel32GlobalSize), Both},
    {"kernel32.dll", "GlobalLock", Address(Kernel32GlobalLock), Both},
    {"kernel32.dll", "GlobalUnlock", Address(Kernel32GlobalUnlock), Both},
    {"kernel32.dll", "GlobalHandle", Address(Kernel32GlobalHandle), Both},
    {"kernel32.dll", "LocalAlloc", Address(Kernel32LocalAlloc), Both},
    {"kernel32.dll", "LocalReAlloc", Address(Kernel32LocalReAlloc), Both},
    {"kernel32.dll", "LocalFree", Address(Kernel32LocalFree), Both},
    {"kernel32.dll", "LocalSize", Address(Kernel32LocalSize), Both},
    {"kernel32.dll", "LocalLock", Address(Kernel32LocalLock), Both},
    {"kernel32.dll", "LocalUnlock", Address(Kernel32LocalUnlock), Both},
    {"kernel32.dll", "VirtualAlloc", Address(Kernel32VirtualAlloc), Both},
    {"kernel32.dll", "VirtualFree", Address(Kernel32VirtualFree), Both},
    {"kernel32.dll", "GetTickCount", Address(Kernel32GetTickCount), Both},
    {"kernel32.dll", "GetLocalTime", Address(Kernel32GetLocalTime), Both},
    {"kernel32.dll", "GetSystemTime", Address(Kernel32GetSystemTime), Both},
    {"kernel32.dll", "GetSystemTimeAsFileTime", Address(Kernel32GetSystemTimeAsFileTime), Both},
    {"kernel32.dll", "FileTimeToSystemTime", Address(Kernel32FileTimeToSystemTime), Both},
    {"kernel32.dll", "SystemTimeToFileTime", Address(Kernel32SystemTimeToFileTime), Both},
    {"kernel32.dll", "FileTimeToLocalFileTime", Address(Kernel32FileTimeToLocalFileTime), Both},
    {"kernel32.dll", "LocalFileTimeToFileTime", Address(Kernel32LocalFileTimeToFileTime), Both},
    {"kernel32.dll", "SystemTimeToTzSpecificLocalTime",
     Address(Kernel32SystemTimeToTzSpecificLocalTime), Both},
    {"kernel32.dll", "CompareFileTime", Address(Kernel32CompareFileTime), Both},
    {"kernel32.dll", "GetDateFormatA", Address(Kernel32GetDateFormatA), Both},
    {"kernel32.dll", "GetTimeFormatA", Address(Kernel32GetTimeFormatA), Both},
    {"kernel32.dll", "GetVersionExA", Address(Kernel32GetVersionExA), Both},
    {"kernel32.dll", "GetVersion", Address(Kernel32GetVersion), Both},
    {"kernel32.dll", "GetEnvironmentVariableA", Address(Kernel32GetEnvironmentVariableA), Both},
    {"kernel32.dll", "SetEnvironmentVariableA", Address(Kernel32SetEnvironmentVariableA), Both},
    {"kernel32.dll", "ExpandEnvironmentStringsA", Address(Kernel32ExpandEnvironmentStringsA), Both},
    {"kernel32.dll", "GetACP", Address(Kernel32GetACP), Both},
    {"kernel32.dll", "GetOEMCP", Address(Kernel32GetOEMCP), Both},
    {"kernel32.dll", "IsValidCodePage", Address(Kernel32IsValidCodePage), Both},
    {"kernel32.dll", "MultiByteToWideChar", Address(Kernel32MultiByteToWideChar), Both},
    {"kernel32.dll", "WideCharToMultiByte", Address(Kernel32WideCharToMultiByte), Both},
    {"kernel32.dll", "SetFileApisToOEM", Address(Kernel32SetFileApisToOEM), Both},
    {"kernel32.dll", "SetFileApisToANSI", Address(Kernel32SetFileApisToANSI), Both},
    {"kernel32.dll", "AreFileApisANSI", Address(Kernel32AreFileApisANSI), Both},
    {"kernel32.dll", "FormatMessageA", Address(Kernel32FormatMessageA), Both},
    {"kernel32.dll", "GetCurrentProcessId", Address(Kernel32GetCurrentProcessId), Both},
    {"kernel32.dll", "GetCurrentThreadId", Address(Kernel32GetCurrentThreadId), Both},
    {"kernel32.dll", "GetCurrentProcess", Address(Kernel32GetCurrentProcess), Both},
    {"kernel32.dll", "GetCurrentThread", Address(Kernel32GetCurrentThread), Both},
    {"kernel32.dll", "GetComputerNameA", Address(Kernel32GetComputerNameA), Both},
    {"kernel32.dll", "GetStdHandle", Address(Kernel32GetStdHandle), Both},
    {"kernel32.dll", "SetStdHandle", Address(Kernel32SetStdHandle), Both},
    {"kernel32.dll", "GetConsoleTitleA", Address(Kernel32GetConsoleTitleA), Both},
    {"kernel32.dll", "SetConsoleTitleA", Address(Kernel32SetConsoleTitleA), Both},
    {"kernel32.dll", "GetConsoleScreenBufferInfo", Address(Kernel32GetConsoleScreenBufferInfo),
     Both},
    {"kernel32.dll", "GetConsoleMode", Address(Kernel32GetConsoleMode), Both},
    {"kernel32.dll", "SetConsoleMode", Address(Kernel32SetConsoleMode), Both},
    {"kernel32.dll", "PeekConsoleInputA", Address(Kernel32PeekConsoleInputA), Both},
    {"kernel32.dll", "FlushConsoleInputBuffer", Address(Kernel32FlushConsoleInputBuffer), Both},
    {"user32.dll", "CharUpperA", Address(User32CharUpperA), Both},
    {"user32.dll", "CharLowerA", Address(User32CharLowerA), Both},
    {"user32.dll", "CharUpperBuffA", Address(User32CharUpperBuffA), Both},
    {"user32.dll", "CharLowerBuffA", Address(User32CharLowerBuffA), Both},
    {"user32.dll", "CharNextA", Address(User32CharNextA), Both},
    {"user32.dll", "CharPrevA", Address(User32CharPrevA), Both},
    {"user32.dll", "IsCharAlphaA", Address(User32IsCharAlphaA), Both},
    {"user32.dll", "IsCharAlphaNumericA", Address(User32IsCharAlphaNumericA), Both},
    {"user32.dll", "IsCharUpperA", Address(User32IsCharUpperA), Both},
    {"user32.dll", "IsCharLowerA", Address(User32IsCharLowerA), Both},
    {"user32.dll", "CharToOemA", Address(User32CharToOemA), Both},
    {"user32.dll", "CharToOemBuffA", Address(User32CharToOemBuffA), Both},
    {"user32.dll", "OemToCharA", Address(User32OemToCharA), Both},
    {"user32.dll", "OemToCharBuffA", Address(User32OemToCharBuffA), Both},
    {"user32.dll", "wsprintfA", Address(User32WsprintfA), Both},
    {"user32.dll", "wvsprintfA", Address(User32WvsprintfA), Both},
    {"user32.dll", "MessageBeep", Address(User32MessageBeep), Both},
    {"advapi32.dll", "RegOpenKeyExA", Address(Advapi32RegOpenKeyExA), Both},
    {"advapi32.dll", "RegOpenKeyA", Address(Advapi32RegOpenKeyA), Both},
    {"advapi32.dll", "RegCreateKeyExA", Address(Advapi32RegCreateKeyExA), Both},
    {"advapi32.dll", "RegCreateKeyA", Address(Advapi32RegCreateKeyA), Both},
    {"advapi32.dll", "RegCloseKey", Address(Advapi32RegCloseKey), Both},
    {"advapi32.dll", "RegQueryValueExA", Address(Advapi32RegQueryValueExA), Both},
    {"advapi32.dll", "RegSetValueExA", Address(Advapi32RegSetValueExA), Both},
    {"advapi32.dll", "RegEnumKeyExA", Address(Advapi32RegEnumKeyExA), Both},
    {"advapi32.dll", "RegEnumKeyA", Address(Advapi32RegEnumKeyA), Both},
    {"advapi32.dll", "RegEnumValueA", Address(Advapi32RegEnumValueA), Both},
    {"advapi32.dll", "RegDeleteKeyA", Address(Advapi32RegDeleteKeyA), Both},
    {"advapi32.dll", "RegDeleteValueA", Address(Advapi32RegDeleteValueA), Both},
    {"advapi32.dll", "RegQueryInfoKeyA", Address(Advapi32RegQueryInfoKeyA), Both},
    {"advapi32.dll", "RegFlushKey", Address(Advapi32RegFlushKey), Both},
    {"advapi32.dll", "GetUserNameA", Address(Advapi32GetUserNameA), Both},
};
// clang-format on

} // namespace

std::span<const StandIn> StandIns() {
    return Table;
}

void* FindStandIn(const std::string& Dll, const std::string& Name) {
    for (std::span<const StandIn> Rows : {StandIns(), FileStandIns()})
        for (const StandIn& Row : Rows)
            if (Name == Row.Name && strcasecmp(Dll.c_str(), Row.Dll) == 0)
                return Row.Address;
    return nullptr;
}
