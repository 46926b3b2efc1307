#include "qelhost/gate/stand_ins.hpp"
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
    {"msvcrt.dll", "_exit", Address(PluginExit), Both},
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
};
// clang-format on

} // namespace

std::span<const StandIn> StandIns() {
    return Table;
}

void* FindStandIn(const std::string& Dll, const std::string& Name) {
    for (const StandIn& Row : Table)
        if (Name == Row.Name && strcasecmp(Dll.c_str(), Row.Dll) == 0)
            return Row.Address;
    return nullptr;
}
