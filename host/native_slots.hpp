// A named slot of a record of function pointers, for a host that must say
// which one a plugin called ("the plugin called FSF.XLat, which qelhost does
// not provide"). The tables live beside their records.
#pragma once

#include <stddef.h>

struct NamedSlot {
    const char* Name;
    size_t Offset;
};

// A slot table names Count 4-byte slots in offset order, all within
// [First, Last] and none in a gap (a field that is not a function); with
// Count equal to the slots left after the gaps, every function is named.
template <size_t Count>
constexpr bool SlotsCover(const NamedSlot (&Slots)[Count], size_t First, size_t Last,
                          const size_t (&Gaps)[2][2]) {
    if (Count !=
        (Last - First) / 4 + 1 - (Gaps[0][1] - Gaps[0][0]) / 4 - (Gaps[1][1] - Gaps[1][0]) / 4)
        return false;
    for (size_t I = 0; I < Count; ++I) {
        size_t Offset = Slots[I].Offset;
        if (Slots[I].Name == nullptr || Offset < First || Offset > Last || Offset % 4 != 0)
            return false;
        if (I > 0 && Offset <= Slots[I - 1].Offset)
            return false;
        for (const auto& Gap : Gaps)
            if (Offset >= Gap[0] && Offset < Gap[1])
                return false;
    }
    return true;
}
