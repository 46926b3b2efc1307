#include "qelhost/gate/block_table.hpp"

#include <stdint.h>
#include <stdlib.h>

namespace {

// Open addressing with linear probing; a removed entry becomes a tombstone.
void* const Removed = reinterpret_cast<void*>(1);
void** Slots;
size_t Capacity; // a power of two, or 0
size_t Used;     // live blocks and tombstones

size_t Home(void* Block, size_t Mask) {
    return (reinterpret_cast<uintptr_t>(Block) >> 3) * 2654435761u & Mask;
}

// The slot holding Block, or null.
void** Find(void* Block) {
    if (Capacity == 0 || Block == nullptr || Block == Removed)
        return nullptr;
    for (size_t I = Home(Block, Capacity - 1);; I = (I + 1) & (Capacity - 1)) {
        if (Slots[I] == Block)
            return &Slots[I];
        if (Slots[I] == nullptr)
            return nullptr;
    }
}

void Insert(void** Into, size_t Mask, void* Block) {
    size_t I = Home(Block, Mask);
    while (Into[I] != nullptr && Into[I] != Removed)
        I = (I + 1) & Mask;
    Into[I] = Block;
}

// Rebuilds the table twice as large as its live blocks need, tombstones gone.
bool Grow() {
    size_t Live = 0;
    for (size_t I = 0; I < Capacity; ++I)
        Live += Slots[I] != nullptr && Slots[I] != Removed;
    size_t NewCapacity = 64;
    while (NewCapacity < 4 * (Live + 1))
        NewCapacity *= 2;
    void** NewSlots = static_cast<void**>(calloc(NewCapacity, sizeof(void*)));
    if (NewSlots == nullptr)
        return false;
    for (size_t I = 0; I < Capacity; ++I)
        if (Slots[I] != nullptr && Slots[I] != Removed)
            Insert(NewSlots, NewCapacity - 1, Slots[I]);
    free(Slots);
    Slots = NewSlots;
    Capacity = NewCapacity;
    Used = Live;
    return true;
}

} // namespace

bool ReserveBlock() {
    return 4 * (Used + 1) <= 3 * Capacity || Grow();
}

bool RememberBlock(void* Block) {
    if (!ReserveBlock())
        return false;
    Insert(Slots, Capacity - 1, Block);
    ++Used;
    return true;
}

bool IsPluginBlock(void* Block) {
    return Find(Block) != nullptr;
}

bool ForgetBlock(void* Block) {
    void** Slot = Find(Block);
    if (Slot == nullptr)
        return false;
    *Slot = Removed;
    return true;
}
