// KERNEL32.dll's functions (__stdcall) that mingw-built DLLs import, as
// qelhost stands in for them (the table in stand_ins.cpp binds them).
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stddef.h>

// What KERNEL32.dll!VirtualQuery fills, 28 bytes in 32-bit Windows.
struct MemoryBasicInformation {
    void* BaseAddress;
    void* AllocationBase;
    DWORD AllocationProtect;
    size_t RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
};
static_assert(sizeof(MemoryBasicInformation) == 28);

PLUGIN_STDCALL void Kernel32CriticalSection(void*);
PLUGIN_STDCALL DWORD Kernel32TlsAlloc();
PLUGIN_STDCALL BOOL Kernel32TlsFree(DWORD Slot);
PLUGIN_STDCALL void* Kernel32TlsGetValue(DWORD Slot);
PLUGIN_STDCALL BOOL Kernel32TlsSetValue(DWORD Slot, void* Value);
PLUGIN_STDCALL BOOL Kernel32VirtualProtect(void*, size_t, DWORD, DWORD* OldProtect);
PLUGIN_STDCALL size_t Kernel32VirtualQuery(const void* Address, MemoryBasicInformation* Info,
                                           size_t Length);
PLUGIN_STDCALL void* Kernel32GetModuleHandleA(const char* Name);
PLUGIN_STDCALL void* Kernel32LoadLibraryA(const char* Name);
PLUGIN_STDCALL BOOL Kernel32FreeLibrary(void*);
PLUGIN_STDCALL void* Kernel32GetProcAddress(void* Module, const char* Name);
PLUGIN_STDCALL DWORD Kernel32GetLastError();
PLUGIN_STDCALL void Kernel32SetLastError(DWORD Error);
