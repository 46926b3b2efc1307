// qelhost.exe's plugin calls Windows' own GetLastError: the thread's.
#include "qelhost/platform.hpp"

#include <windows.h>

void SetPluginLastError(uint32_t Error) {
    SetLastError(Error);
}

uint32_t PluginLastError() {
    return GetLastError();
}
