#include "qelhost/gate/memory.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/plugin_heap.hpp"

#include <string.h>

#include <map>

namespace {

// The one heap every heap handle stands for; HeapCreate hands out more
// names for it, up to a few.
char ProcessHeap;
constexpr int MaxHeaps = 64;
char CreatedHeaps[MaxHeaps];
int HeapsCreated = 0;

// Each block's size as the plugin asked for it (HeapSize, GlobalSize), and
// the regions of VirtualAlloc.
std::map<const void*, size_t> BlockSizes;
std::map<const void*, size_t> Regions;

void* Allocated(size_t Size, bool Zero, const char* Function) {
    void* Block = WatchedAlloc(Size == 0 ? 1 : Size, Function);
    if (Block == nullptr)
        return nullptr;
    if (Zero)
        memset(Block, 0, Size);
    BlockSizes[Block] = Size;
    return Block;
}

// Block (the plugin's, checked) with Size bytes; the bytes added are zeros
// when Zero.
void* Resized(void* Block, size_t Size, bool Zero, const char* Function) {
    CheckWatchedBlock(Block, Function);
    auto Known = BlockSizes.find(Block);
    size_t Old = Known != BlockSizes.end() ? Known->second : 0;
    void* Moved = WatchedRealloc(Block, Size == 0 ? 1 : Size, Function);
    if (Moved == nullptr)
        return nullptr;
    BlockSizes.erase(Block);
    BlockSizes[Moved] = Size;
    if (Zero && Size > Old)
        memset(static_cast<char*>(Moved) + Old, 0, Size - Old);
    return Moved;
}

bool Freed(void* Block, const char* Function) {
    if (Block == nullptr)
        return true;
    WatchedFree(Block, Function); // stops the run when Block is no block of the plugin's
    BlockSizes.erase(Block);
    return true;
}

size_t SizeOf(const void* Block, const char* Function) {
    CheckWatchedBlock(const_cast<void*>(Block), Function);
    auto Known = BlockSizes.find(Block);
    return Known != BlockSizes.end() ? Known->second : 0;
}

} // namespace

PLUGIN_STDCALL HANDLE Kernel32GetProcessHeap() {
    return &ProcessHeap;
}
PLUGIN_STDCALL HANDLE Kernel32HeapCreate(DWORD, size_t, size_t) {
    if (HeapsCreated == MaxHeaps) {
        SetPluginLastError(ErrorNotEnoughMemory);
        return nullptr;
    }
    return &CreatedHeaps[HeapsCreated++];
}
PLUGIN_STDCALL BOOL Kernel32HeapDestroy(HANDLE) {
    return 1; // its blocks stay: all heaps are the one
}
PLUGIN_STDCALL void* Kernel32HeapAlloc(HANDLE, DWORD Flags, size_t Size) {
    return Allocated(Size, (Flags & HeapZeroMemory) != 0, "KERNEL32.dll!HeapAlloc");
}
PLUGIN_STDCALL void* Kernel32HeapReAlloc(HANDLE, DWORD Flags, void* Block, size_t Size) {
    const char* Function = "KERNEL32.dll!HeapReAlloc";
    if ((Flags & HeapReallocInPlaceOnly) != 0) {
        if (Size > SizeOf(Block, Function))
            return nullptr; // growing would move it
        BlockSizes[Block] = Size;
        return Block;
    }
    return Resized(Block, Size, (Flags & HeapZeroMemory) != 0, Function);
}
PLUGIN_STDCALL BOOL Kernel32HeapFree(HANDLE, DWORD, void* Block) {
    return Freed(Block, "KERNEL32.dll!HeapFree");
}
PLUGIN_STDCALL size_t Kernel32HeapSize(HANDLE, DWORD, const void* Block) {
    return SizeOf(Block, "KERNEL32.dll!HeapSize");
}
PLUGIN_STDCALL BOOL Kernel32HeapValidate(HANDLE, DWORD, const void*) {
    return 1;
}

PLUGIN_STDCALL HANDLE Kernel32GlobalAlloc(DWORD Flags, size_t Size) {
    return Allocated(Size, (Flags & GmemZeroinit) != 0, "KERNEL32.dll!GlobalAlloc");
}
PLUGIN_STDCALL HANDLE Kernel32GlobalReAlloc(HANDLE Block, size_t Size, DWORD Flags) {
    if ((Flags & GmemModify) != 0)
        return Block;
    return Resized(Block, Size, (Flags & GmemZeroinit) != 0, "KERNEL32.dll!GlobalReAlloc");
}
PLUGIN_STDCALL HANDLE Kernel32GlobalFree(HANDLE Block) {
    Freed(Block, "KERNEL32.dll!GlobalFree");
    return nullptr;
}
PLUGIN_STDCALL size_t Kernel32GlobalSize(HANDLE Block) {
    return SizeOf(Block, "KERNEL32.dll!GlobalSize");
}
PLUGIN_STDCALL void* Kernel32GlobalLock(HANDLE Block) {
    return Block;
}
PLUGIN_STDCALL BOOL Kernel32GlobalUnlock(HANDLE) {
    return 0; // no lock count left
}
PLUGIN_STDCALL HANDLE Kernel32GlobalHandle(const void* Block) {
    return const_cast<void*>(Block);
}
PLUGIN_STDCALL HANDLE Kernel32LocalAlloc(DWORD Flags, size_t Size) {
    return Allocated(Size, (Flags & GmemZeroinit) != 0, "KERNEL32.dll!LocalAlloc");
}
PLUGIN_STDCALL HANDLE Kernel32LocalReAlloc(HANDLE Block, size_t Size, DWORD Flags) {
    if ((Flags & GmemModify) != 0)
        return Block;
    return Resized(Block, Size, (Flags & GmemZeroinit) != 0, "KERNEL32.dll!LocalReAlloc");
}
PLUGIN_STDCALL HANDLE Kernel32LocalFree(HANDLE Block) {
    Freed(Block, "KERNEL32.dll!LocalFree");
    return nullptr;
}
PLUGIN_STDCALL size_t Kernel32LocalSize(HANDLE Block) {
    return SizeOf(Block, "KERNEL32.dll!LocalSize");
}
PLUGIN_STDCALL void* Kernel32LocalLock(HANDLE Block) {
    return Block;
}
PLUGIN_STDCALL BOOL Kernel32LocalUnlock(HANDLE) {
    return 0;
}

// Whole pages of zeros from the watched heap: reserving and committing are
// one, and a region is released whole.
PLUGIN_STDCALL void* Kernel32VirtualAlloc(void* Address, size_t Size, DWORD Type, DWORD) {
    if (Address != nullptr) {
        // Committing within a region already made: it is committed.
        for (const auto& [Start, Length] : Regions) {
            auto* Begin = static_cast<const char*>(Start);
            auto* At = static_cast<const char*>(Address);
            if (At >= Begin && At + Size <= Begin + Length && (Type & MemCommit) != 0)
                return Address;
        }
        SetPluginLastError(ErrorInvalidAddress);
        return nullptr;
    }
    if (Size == 0 || Size > (size_t{1} << 30) || (Type & (MemCommit | MemReserve)) == 0) {
        SetPluginLastError(ErrorInvalidParameter);
        return nullptr;
    }
    size_t Pages = (Size + PageSize - 1) / PageSize * PageSize;
    void* Region = WatchedAllocPages(Pages, "KERNEL32.dll!VirtualAlloc");
    if (Region == nullptr) {
        SetPluginLastError(ErrorNotEnoughMemory);
        return nullptr;
    }
    Regions[Region] = Pages;
    return Region;
}

PLUGIN_STDCALL BOOL Kernel32VirtualFree(void* Address, size_t Size, DWORD Type) {
    auto Region = Regions.find(Address);
    if ((Type & MemDecommit) != 0 && Region == Regions.end()) {
        for (const auto& [Start, Length] : Regions)
            if (Address >= Start &&
                static_cast<char*>(Address) + Size <= static_cast<const char*>(Start) + Length)
                return 1; // decommitting leaves the pages as they are
    }
    if (Region == Regions.end() || ((Type & MemRelease) != 0 && Size != 0)) {
        SetPluginLastError(Region == Regions.end() ? ErrorInvalidAddress : ErrorInvalidParameter);
        return 0;
    }
    if ((Type & MemRelease) != 0) {
        WatchedFreePages(Address);
        Regions.erase(Region);
    }
    return 1;
}
