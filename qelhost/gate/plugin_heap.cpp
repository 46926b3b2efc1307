#include "qelhost/gate/plugin_heap.hpp"
#include "qelhost/gate/block_table.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"
#include "qelhost/platform.hpp"

#include <stdint.h>
#include <stdlib.h>

#include <map>

namespace {

// The blocks of whole pages: each page-aligned start and its block.
std::map<void*, void*> PageBlocks;

long AllocationsLeft = -1; // negative: no limit
long AllocationsMade = 0;

bool AllocationAllowed() {
    ++AllocationsMade;
    if (AllocationsLeft < 0)
        return true;
    if (AllocationsLeft == 0) {
        LoaderNote("the heap refuses allocation %ld", AllocationsMade);
        return false;
    }
    --AllocationsLeft;
    return true;
}

// Block, fresh from the heap, handed to the plugin if it can be tracked.
void* Tracked(void* Block) {
    if (Block != nullptr && !RememberBlock(Block)) {
        free(Block);
        return nullptr;
    }
    return Block;
}

void CheckBlock(void* Block, const char* Function) {
    if (!IsPluginBlock(Block) && !IsSystemHeapBlock(Block))
        StopAsPluginFault("%s was handed 0x%lx, which is no block of the plugin's heap", Function,
                          static_cast<unsigned long>(reinterpret_cast<uintptr_t>(Block)));
}

} // namespace

void MakeHeapFailAfter(long Count) {
    AllocationsLeft = Count;
}

PLUGIN_CDECL void* PluginMalloc(size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!malloc", PluginInput::Heap);
    return AllocationAllowed() ? Tracked(malloc(Size)) : nullptr;
}

PLUGIN_CDECL void* PluginCalloc(size_t Count, size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!calloc", PluginInput::Heap);
    return AllocationAllowed() ? Tracked(calloc(Count, Size)) : nullptr;
}

PLUGIN_CDECL void* PluginRealloc(void* Block, size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!realloc", PluginInput::Heap);
    if (Block != nullptr)
        CheckBlock(Block, "msvcrt.dll!realloc");
    if (!AllocationAllowed())
        return nullptr;
    if (Block == nullptr)
        return Tracked(malloc(Size));
    if (Size == 0) { // msvcrt frees the block and returns null
        ForgetBlock(Block);
        free(Block);
        return nullptr;
    }
    if (!ReserveBlock()) // so that the block, moved or not, can be tracked again
        return nullptr;
    ForgetBlock(Block);
    void* Moved = realloc(Block, Size);
    RememberBlock(Moved != nullptr ? Moved : Block); // room reserved above
    return Moved;
}

PLUGIN_CDECL void PluginFree(void* Block) {
    UsingPluginArguments Using("msvcrt.dll!free", PluginInput::Heap);
    if (Block == nullptr)
        return;
    CheckBlock(Block, "msvcrt.dll!free");
    ForgetBlock(Block);
    free(Block);
}

void* WatchedAlloc(size_t Size, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    return AllocationAllowed() ? Tracked(malloc(Size)) : nullptr;
}

void* WatchedAllocPages(size_t Size, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    constexpr size_t Page = 4096;
    if (!AllocationAllowed() || Size > SIZE_MAX - Page)
        return nullptr;
    void* Block = calloc(1, Size + Page);
    if (Block == nullptr)
        return nullptr;
    uintptr_t Aligned = (reinterpret_cast<uintptr_t>(Block) + Page - 1) & ~uintptr_t{Page - 1};
    PageBlocks[reinterpret_cast<void*>(Aligned)] = Block;
    return reinterpret_cast<void*>(Aligned);
}

bool WatchedFreePages(void* Pages) {
    auto Found = PageBlocks.find(Pages);
    if (Found == PageBlocks.end())
        return false;
    free(Found->second);
    PageBlocks.erase(Found);
    return true;
}

void* WatchedRealloc(void* Block, size_t Size, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    CheckBlock(Block, Function);
    if (!AllocationAllowed() || !ReserveBlock())
        return nullptr;
    ForgetBlock(Block);
    void* Moved = realloc(Block, Size);
    RememberBlock(Moved != nullptr ? Moved : Block); // room reserved above
    return Moved;
}

void WatchedFree(void* Block, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    CheckBlock(Block, Function);
    ForgetBlock(Block);
    free(Block);
}

void CheckWatchedBlock(void* Block, const char* Function) {
    CheckBlock(Block, Function);
}
