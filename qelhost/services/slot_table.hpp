// Filling a record of function slots (the startup record's services, the
// standard functions) from one table of what qelhost provides, by the
// slots' names; every other slot gets a function that stops the run,
// naming the slot.
#pragma once

#include "host/native_slots.hpp"

#include <stddef.h>

#include <array>
#include <utility>

struct ProvidedSlot {
    const char* Name; // as the slot table names it
    const void* Function;
};

template <typename Function> const void* Address(Function Given) {
    return reinterpret_cast<const void*>(Given);
}

// Writes into Record each of Slots: the function Provided names for it, else
// its stub (Stubs[I] for Slots[I]). A provided name that is no slot is a
// bug of qelhost's, which stops the run at once.
void FillSlots(void* Record, const NamedSlot* Slots, size_t SlotCount, const ProvidedSlot* Provided,
               size_t ProvidedCount, const void* const* Stubs);

template <size_t SlotCount, size_t ProvidedCount>
void FillSlots(void* Record, const NamedSlot (&Slots)[SlotCount],
               const ProvidedSlot (&Provided)[ProvidedCount],
               const std::array<const void*, SlotCount>& Stubs) {
    FillSlots(Record, Slots, SlotCount, Provided, ProvidedCount, Stubs.data());
}

// Stub<I>::Call for each slot I: the functions that stop the run. They never
// return, so one signature serves every slot.
template <template <size_t> class Stub, size_t... Slot>
std::array<const void*, sizeof...(Slot)> SlotStubs(std::index_sequence<Slot...>) {
    return {Address(&Stub<Slot>::Call)...};
}
template <template <size_t> class Stub, size_t Count>
std::array<const void*, Count> MissingSlotStubs() {
    return SlotStubs<Stub>(std::make_index_sequence<Count>());
}
