#include "qelhost/windows_loader/import_hooks.hpp"
#include "qelhost/loader/plugin_heap.hpp"
#include "qelhost/loader/plugin_process.hpp"
#include "qelhost/windows_loader/module_image.hpp"

#include <windows.h>

#include <iterator>

namespace {

struct Hook {
    const char* Dll;
    const char* Name;
    void* StandIn;
};

template <typename Function> void* Address(Function* F) {
    return reinterpret_cast<void*>(F);
}

const Hook Hooks[] = {
    {"msvcrt.dll", "malloc", Address(PluginMalloc)},
    {"msvcrt.dll", "calloc", Address(PluginCalloc)},
    {"msvcrt.dll", "realloc", Address(PluginRealloc)},
    {"msvcrt.dll", "free", Address(PluginFree)},
    {"msvcrt.dll", "exit", Address(PluginExit)},
    {"msvcrt.dll", "_exit", Address(PluginExit)},
    {"msvcrt.dll", "abort", Address(PluginAbort)},
    {"msvcrt.dll", "_amsg_exit", Address(PluginAmsgExit)},
    {"kernel32.dll", "ExitProcess", Address(PluginExitProcess)},
    {"kernel32.dll", "Sleep", Address(PluginSleep)},
};

// The stand-in for what Slot holds, or null.
void* StandInFor(void* Bound, void* const (&Real)[std::size(Hooks)]) {
    for (size_t I = 0; I < std::size(Hooks); ++I)
        if (Real[I] != nullptr && Real[I] == Bound)
            return Hooks[I].StandIn;
    return nullptr;
}

void Rebind(void** Slot, void* StandIn) {
    DWORD Old;
    if (VirtualProtect(Slot, sizeof *Slot, PAGE_READWRITE, &Old)) {
        *Slot = StandIn;
        VirtualProtect(Slot, sizeof *Slot, Old, &Old);
    }
}

} // namespace

void HookImports(unsigned char* Base) {
    // What Windows bound for each name (forwarded exports included).
    void* Real[std::size(Hooks)] = {};
    for (size_t I = 0; I < std::size(Hooks); ++I)
        if (HMODULE Dll = GetModuleHandleA(Hooks[I].Dll))
            Real[I] = reinterpret_cast<void*>(GetProcAddress(Dll, Hooks[I].Name));
    size_t Size;
    auto* Descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(ImageDirectory(Base, 1, Size));
    size_t Image = ImageSize(Base);
    for (size_t Left = Descriptor ? Size / sizeof *Descriptor : 0;
         Left > 0 && Descriptor->Name != 0; --Left, ++Descriptor) {
        if (Descriptor->FirstThunk == 0 || Descriptor->FirstThunk >= Image)
            continue;
        auto* Slot = reinterpret_cast<void**>(Base + Descriptor->FirstThunk);
        for (; reinterpret_cast<unsigned char*>(Slot + 1) <= Base + Image && *Slot != nullptr;
             ++Slot)
            if (void* StandIn = StandInFor(*Slot, Real))
                Rebind(Slot, StandIn);
    }
}
