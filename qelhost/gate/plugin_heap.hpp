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
