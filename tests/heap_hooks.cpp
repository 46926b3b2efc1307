#include "tests/heap_hooks.hpp"

#include <stdio.h>
#include <stdlib.h>

extern "C" {
void* __real_malloc(size_t Size);
void* __real_calloc(size_t Count, size_t Size);
void __real_free(void* Block);
}

HeapHooks TheHeapHooks = {0, 0, -1};

// The run-time's own work at exit needs the heap, whatever a test left the
// hooks set to: in a build that counts coverage it writes the counts out
// then, after every handler registered later than this one.
static void LetTheHeapWorkAgain() {
    TheHeapHooks.FailAfter = -1;
}
static const int HeapWorksAtExit = atexit(LetTheHeapWorkAgain);

// The live blocks handed out since the last reset; tests hold only a few.
constexpr int MaxTrackedBlocks = 256;
static void* TrackedBlocks[MaxTrackedBlocks];

void ResetHeapHooks() {
    TheHeapHooks = {0, 0, -1};
    for (void*& Block : TrackedBlocks)
        Block = nullptr;
}

long LiveAllocations() {
    return TheHeapHooks.Allocations - TheHeapHooks.Releases;
}

static void** FindSlot(void* Block) {
    for (void*& Slot : TrackedBlocks)
        if (Slot == Block)
            return &Slot;
    return nullptr;
}

static void* Tracked(void* Block) {
    if (Block == nullptr)
        return nullptr;
    void** Slot = FindSlot(nullptr);
    if (Slot == nullptr) {
        fputs("heap hooks: too many live blocks to track\n", stderr);
        abort();
    }
    *Slot = Block;
    ++TheHeapHooks.Allocations;
    return Block;
}

static bool AllocationMayProceed() {
    if (TheHeapHooks.FailAfter == 0)
        return false;
    if (TheHeapHooks.FailAfter > 0)
        --TheHeapHooks.FailAfter;
    return true;
}

extern "C" void* __wrap_malloc(size_t Size) {
    return AllocationMayProceed() ? Tracked(__real_malloc(Size)) : nullptr;
}

extern "C" void* __wrap_calloc(size_t Count, size_t Size) {
    return AllocationMayProceed() ? Tracked(__real_calloc(Count, Size)) : nullptr;
}

extern "C" void __wrap_free(void* Block) {
    if (Block != nullptr) {
        if (void** Slot = FindSlot(Block)) {
            *Slot = nullptr;
            ++TheHeapHooks.Releases;
        }
    }
    __real_free(Block);
}
