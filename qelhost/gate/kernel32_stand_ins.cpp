// KERNEL32.dll's functions (__stdcall) that mingw-built DLLs import.
// Single-threaded stand-ins: the host calls the plugin from one thread, so
// critical sections have nothing to guard and thread-local slots are plain
// module storage.
#include "host/host_interface.hpp"
#include "qelhost/gate/kernel32_stand_ins.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/pe/pe_reading.hpp"
#include "qelhost/gate/stand_ins.hpp"

#include <strings.h>

namespace {

std::string PluginFileName;
void* PluginBase = nullptr;
// Handles for the system DLLs the host stands in for.
char Kernel32Handle, MsvcrtHandle;

DWORD LastError = 0;
constexpr DWORD ErrorModuleNotFound = 126;
constexpr DWORD ErrorProcNotFound = 127;

constexpr int TlsSlotCount = 64;
void* TlsSlots[TlsSlotCount];
bool TlsSlotUsed[TlsSlotCount];

// The image is mapped readable, writable and executable as a whole, so
// changing protection changes nothing and every page reports that mode.
constexpr DWORD PageExecuteReadWrite = 0x40;

// A name the plugin handed over, at most NameLimit bytes of it; longer names
// match nothing.
std::string PluginName(const char* Name) {
    size_t Length = strnlen(Name, NameLimit + 1);
    return Length > NameLimit ? std::string() : std::string(Name, Length);
}

void* ModuleHandleFor(const char* Name) {
    if (Name == nullptr)
        return PluginBase;
    std::string Wanted = PluginName(Name);
    if (!Wanted.empty() && Wanted.find('.') == std::string::npos)
        Wanted += ".dll";
    if (strcasecmp(Wanted.c_str(), "kernel32.dll") == 0)
        return &Kernel32Handle;
    if (strcasecmp(Wanted.c_str(), "msvcrt.dll") == 0)
        return &MsvcrtHandle;
    if (!Wanted.empty() && strcasecmp(Wanted.c_str(), PluginFileName.c_str()) == 0)
        return PluginBase;
    LastError = ErrorModuleNotFound;
    return nullptr;
}

} // namespace

PLUGIN_STDCALL void Kernel32CriticalSection(void*) {}

PLUGIN_STDCALL DWORD Kernel32TlsAlloc() {
    for (int Slot = 0; Slot < TlsSlotCount; ++Slot)
        if (!TlsSlotUsed[Slot]) {
            TlsSlotUsed[Slot] = true;
            TlsSlots[Slot] = nullptr;
            return Slot;
        }
    return 0xFFFFFFFF; // TLS_OUT_OF_INDEXES
}
PLUGIN_STDCALL BOOL Kernel32TlsFree(DWORD Slot) {
    if (Slot >= TlsSlotCount)
        return 0;
    TlsSlotUsed[Slot] = false;
    return 1;
}
PLUGIN_STDCALL void* Kernel32TlsGetValue(DWORD Slot) {
    LastError = 0;
    return Slot < TlsSlotCount ? TlsSlots[Slot] : nullptr;
}
PLUGIN_STDCALL BOOL Kernel32TlsSetValue(DWORD Slot, void* Value) {
    if (Slot >= TlsSlotCount)
        return 0;
    TlsSlots[Slot] = Value;
    return 1;
}

TOUCHES_PLUGIN_MEMORY PLUGIN_STDCALL BOOL Kernel32VirtualProtect(void*, size_t, DWORD,
                                                                 DWORD* OldProtect) {
    UsingPluginArguments Using("KERNEL32.dll!VirtualProtect");
    if (OldProtect != nullptr)
        *OldProtect = PageExecuteReadWrite;
    return 1;
}

TOUCHES_PLUGIN_MEMORY PLUGIN_STDCALL size_t Kernel32VirtualQuery(const void* Address,
                                                                 MemoryBasicInformation* Info,
                                                                 size_t Length) {
    UsingPluginArguments Using("KERNEL32.dll!VirtualQuery");
    if (Length < sizeof(MemoryBasicInformation))
        return 0;
    uintptr_t Page = reinterpret_cast<uintptr_t>(Address) & ~uintptr_t{0xFFF};
    *Info = MemoryBasicInformation{reinterpret_cast<void*>(Page),
                                   PluginBase,
                                   PageExecuteReadWrite,
                                   0x1000,
                                   0x1000 /* MEM_COMMIT */,
                                   PageExecuteReadWrite,
                                   0x1000000 /* MEM_IMAGE */};
    return sizeof(MemoryBasicInformation);
}

PLUGIN_STDCALL void* Kernel32GetModuleHandleA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!GetModuleHandleA");
    return ModuleHandleFor(Name);
}
PLUGIN_STDCALL void* Kernel32LoadLibraryA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!LoadLibraryA");
    return Name == nullptr ? nullptr : ModuleHandleFor(Name);
}
PLUGIN_STDCALL BOOL Kernel32FreeLibrary(void*) {
    return 1;
}
PLUGIN_STDCALL void* Kernel32GetProcAddress(void* Module, const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!GetProcAddress");
    // Lookups by ordinal (a small number instead of a name) are not served.
    void* Found = nullptr;
    if (reinterpret_cast<uintptr_t>(Name) > 0xFFFF) {
        if (Module == &Kernel32Handle)
            Found = FindStandIn("kernel32.dll", PluginName(Name));
        else if (Module == &MsvcrtHandle)
            Found = FindStandIn("msvcrt.dll", PluginName(Name));
    }
    if (Found == nullptr)
        LastError = ErrorProcNotFound;
    return Found;
}
PLUGIN_STDCALL DWORD Kernel32GetLastError() {
    return LastError;
}
PLUGIN_STDCALL void Kernel32SetLastError(DWORD Error) {
    LastError = Error;
}

void RegisterPluginModule(const std::string& FileName, void* Base) {
    PluginFileName = FileName;
    PluginBase = Base;
}
