// msvcrt's heap functions as the plugin gets them from either loader:
// msvcrt's own heap (through the C library qelhost is linked with), its
// blocks tracked so that freeing anything else is reported as the plugin's
// fault, and made to fail on request.
#pragma once

#include "qelhost/calling_convention.hpp"

#include <stddef.h>

PLUGIN_CDECL void* PluginMalloc(size_t Size);
PLUGIN_CDECL void* PluginCalloc(size_t Count, size_t Size);
PLUGIN_CDECL void* PluginRealloc(void* Block, size_t Size);
PLUGIN_CDECL void PluginFree(void* Block);

// After Count further successful allocations, the plugin's heap fails; the
// refusal is noted to the user (loader_notes.hpp).
void MakeHeapFailAfter(long Count);

// The same heap for KERNEL32.dll's Heap*, Global*, Local* and VirtualAlloc
// (memory.hpp), with Function (a static text) named in a fault: counted by
// --heap-fail-after, and a block that is none of the plugin's stops the run.
void* WatchedAlloc(size_t Size, const char* Function);
// Whole pages of zeros, page-aligned, freed only by WatchedFreePages.
void* WatchedAllocPages(size_t Size, const char* Function);
bool WatchedFreePages(void* Pages);
void* WatchedRealloc(void* Block, size_t Size, const char* Function);
void WatchedFree(void* Block, const char* Function);
void CheckWatchedBlock(void* Block, const char* Function);
