#include "qelhost/platform.hpp"

#include <windows.h>

// The plugin calls Windows' own KERNEL32.dll, which keeps its last error.
uint32_t PluginLastError() {
    return GetLastError();
}
