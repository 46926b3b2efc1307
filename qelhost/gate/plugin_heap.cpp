#include "qelhost/gate/plugin_heap.hpp"
#include "qelhost/gate/block_table.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"
#include "qelhost/gate/plugin_arena.hpp"
#include "qelhost/platform.hpp"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

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

// Block, fresh from the plugin's heap, handed to the plugin if it can be
// tracked.
void* Tracked(void* Block) {
    if (Block != nullptr && !RememberBlock(Block)) {
        ArenaFree(Block);
        return nullptr;
    }
    return Block;
}

// Which heap a block the plugin hands back is of: its own (checked), or the
// system's (qelhost.exe: what its start-up code allocated before its heap
// imports were rebound); anything else is the plugin's fault.
enum class Owner { Plugin, System };

Owner CheckBlock(void* Block, const char* Function) {
    if (IsPluginBlock(Block)) {
        if (!ArenaBlockIntact(Block))
            StopAsPluginFault("%s found the heap corrupted, as by writes past the plugin's blocks "
                              "(the header of the block at 0x%lx)",
                              Function,
                              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(Block)));
        return Owner::Plugin;
    }
    if (IsSystemHeapBlock(Block))
        return Owner::System;
    StopAsPluginFault("%s was handed 0x%lx, which is no block of the plugin's heap", Function,
                      static_cast<unsigned long>(reinterpret_cast<uintptr_t>(Block)));
}

void Release(void* Block, Owner Of) {
    if (Of == Owner::System) {
        free(Block);
        return;
    }
    ForgetBlock(Block);
    ArenaFree(Block);
}

} // namespace

void MakeHeapFailAfter(long Count) {
    AllocationsLeft = Count;
}

PLUGIN_CDECL void* PluginMalloc(size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!malloc", PluginInput::Heap);
    return AllocationAllowed() ? Tracked(ArenaAllocate(Size)) : nullptr;
}

PLUGIN_CDECL void* PluginCalloc(size_t Count, size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!calloc", PluginInput::Heap);
    if (!AllocationAllowed() || (Size != 0 && Count > SIZE_MAX / Size))
        return nullptr;
    void* Block = ArenaAllocate(Count * Size);
    if (Block != nullptr)
        memset(Block, 0, Count * Size);
    return Tracked(Block);
}

// Block, already checked and owned by Of, made to hold Size bytes: the
// system's through realloc, the plugin's kept when large enough or moved to
// a new tracked block.
static void* Resized(void* Block, size_t Size, Owner Of) {
    if (Of == Owner::System)
        return realloc(Block, Size);
    size_t Held = ArenaSize(Block);
    if (Size <= Held)
        return Block;
    if (!ReserveBlock()) // so that the moved block can be tracked
        return nullptr;
    void* Moved = ArenaAllocate(Size);
    if (Moved == nullptr)
        return nullptr;
    memcpy(Moved, Block, Held);
    Release(Block, Of);
    RememberBlock(Moved); // room reserved above
    return Moved;
}

PLUGIN_CDECL void* PluginRealloc(void* Block, size_t Size) {
    UsingPluginArguments Using("msvcrt.dll!realloc", PluginInput::Heap);
    Owner Of = Block != nullptr ? CheckBlock(Block, "msvcrt.dll!realloc") : Owner::Plugin;
    if (!AllocationAllowed())
        return nullptr;
    if (Block == nullptr)
        return Tracked(ArenaAllocate(Size));
    if (Size == 0) { // msvcrt frees the block and returns null
        Release(Block, Of);
        return nullptr;
    }
    return Resized(Block, Size, Of);
}

PLUGIN_CDECL void PluginFree(void* Block) {
    UsingPluginArguments Using("msvcrt.dll!free", PluginInput::Heap);
    if (Block != nullptr)
        Release(Block, CheckBlock(Block, "msvcrt.dll!free"));
}

void* WatchedAlloc(size_t Size, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    return AllocationAllowed() ? Tracked(ArenaAllocate(Size)) : nullptr;
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
    Owner Of = CheckBlock(Block, Function);
    if (!AllocationAllowed())
        return nullptr;
    return Resized(Block, Size, Of);
}

void WatchedFree(void* Block, const char* Function) {
    UsingPluginArguments Using(Function, PluginInput::Heap);
    Release(Block, CheckBlock(Block, Function));
}

void CheckWatchedBlock(void* Block, const char* Function) {
    CheckBlock(Block, Function);
}
