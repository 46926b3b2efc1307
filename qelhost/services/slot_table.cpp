#include "qelhost/services/slot_table.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>

void FillSlots(void* Record, const NamedSlot* Slots, size_t SlotCount, const ProvidedSlot* Provided,
               size_t ProvidedCount, const void* const* Stubs) {
    auto* Bytes = static_cast<unsigned char*>(Record);
    for (size_t I = 0; I < SlotCount; ++I)
        memcpy(Bytes + Slots[I].Offset, &Stubs[I], sizeof Stubs[I]);
    for (size_t P = 0; P < ProvidedCount; ++P) {
        size_t I = 0;
        while (I < SlotCount && strcmp(Slots[I].Name, Provided[P].Name) != 0)
            ++I;
        if (I == SlotCount)
            StopRun(ExitQelhostFault, "qelhost provides %s, which is no slot of its record",
                    Provided[P].Name);
        memcpy(Bytes + Slots[I].Offset, &Provided[P].Function, sizeof Provided[P].Function);
    }
}
