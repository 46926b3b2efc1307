// The plugin's last error, as GetLastError gives it to the plugin: the
// Linux qelhost's KERNEL32.dll stand-ins keep it, qelhost.exe asks Windows.
#pragma once

#include <stdint.h>

uint32_t PluginLastError();
