#include "qelhost/windows/import_hooks.hpp"
#include "qelhost/gate/stand_ins.hpp"
#include "qelhost/windows/module_image.hpp"

#include <windows.h>

namespace {

constexpr size_t MostRebound = 256;

// The stand-in for what a slot holds, or null: Real holds what Windows bound
// for each row of Rows.
void* StandInFor(void* Bound, const StandIn* const* Rows, void* const* Real, size_t Count) {
    for (size_t I = 0; I < Count; ++I)
        if (Real[I] != nullptr && Real[I] == Bound)
            return Rows[I]->Address;
    return nullptr;
}

void Rebind(void** Slot, void* Replacement) {
    DWORD Old;
    if (VirtualProtect(Slot, sizeof *Slot, PAGE_READWRITE, &Old)) {
        *Slot = Replacement;
        VirtualProtect(Slot, sizeof *Slot, Old, &Old);
    }
}

} // namespace

void HookImports(unsigned char* Base) {
    // What Windows bound for each name that both builds stand in for
    // (forwarded exports included).
    const StandIn* Rows[MostRebound];
    void* Real[MostRebound] = {};
    size_t Count = 0;
    for (const StandIn& Row : StandIns())
        if (Row.By == BoundBy::BothBuilds && Count < MostRebound) {
            Rows[Count] = &Row;
            if (HMODULE Dll = GetModuleHandleA(Row.Dll))
                Real[Count] = reinterpret_cast<void*>(GetProcAddress(Dll, Row.Name));
            ++Count;
        }
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
            if (void* StandIn = StandInFor(*Slot, Rows, Real, Count))
                Rebind(Slot, StandIn);
    }
}
