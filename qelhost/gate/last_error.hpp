// The plugin's last error (GetLastError), as the stand-ins set it: the Linux
// qelhost's own KERNEL32.dll!SetLastError, and the thread's real one in
// qelhost.exe, where the plugin's GetLastError is Windows' own.
#pragma once

#include <stdint.h>

void SetPluginLastError(uint32_t Error);
