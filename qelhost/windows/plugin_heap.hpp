// msvcrt's heap functions for the plugin: qelhost's heap, with its blocks
// tracked so that freeing anything else is reported as the plugin's fault,
// and made to fail on request.
#pragma once

#include "qelhost/calling_convention.hpp"

#include <stddef.h>

PLUGIN_CDECL void* PluginMalloc(size_t Size);
PLUGIN_CDECL void* PluginCalloc(size_t Count, size_t Size);
PLUGIN_CDECL void* PluginRealloc(void* Block, size_t Size);
PLUGIN_CDECL void PluginFree(void* Block);
