#include "tests/heap_hooks.hpp"

extern "C" {
void* __real_malloc(size_t Size);
void* __real_calloc(size_t Count, size_t Size);
void __real_free(void* Block);
}

HeapHooks TheHeapHooks = {0, 0, -1};

void ResetHeapHooks() {
    TheHeapHooks = {0, 0, -1};
}

long LiveAllocations() {
    return TheHeapHooks.Allocations - TheHeapHooks.Releases;
}

static bool AllocationMayProceed() {
    if (TheHeapHooks.FailAfter == 0)
        return false;
    if (TheHeapHooks.FailAfter > 0)
        --TheHeapHooks.FailAfter;
    return true;
}

static void* Counted(void* Block) {
    if (Block != nullptr)
        ++TheHeapHooks.Allocations;
    return Block;
}

extern "C" void* __wrap_malloc(size_t Size) {
    return AllocationMayProceed() ? Counted(__real_malloc(Size)) : nullptr;
}

extern "C" void* __wrap_calloc(size_t Count, size_t Size) {
    return AllocationMayProceed() ? Counted(__real_calloc(Count, Size)) : nullptr;
}

extern "C" void __wrap_free(void* Block) {
    if (Block != nullptr)
        ++TheHeapHooks.Releases;
    __real_free(Block);
}
