// How the plugin ends the process or waits, as either loader binds it (the
// plugin's own msvcrt.dll and KERNEL32.dll imports of these names): each end
// is told and goes through stop_run.hpp, and a wait that cannot end is a
// fault of the plugin's.
#pragma once

#include "qelhost/calling_convention.hpp"

#include <stdint.h>

PLUGIN_CDECL void PluginExit(int Status);               // msvcrt.dll!exit, _exit
PLUGIN_STDCALL void PluginExitProcess(uint32_t Code);   // KERNEL32.dll!ExitProcess
PLUGIN_CDECL void PluginAbort();                        // msvcrt.dll!abort
PLUGIN_CDECL void PluginAmsgExit(int Code);             // msvcrt.dll!_amsg_exit
PLUGIN_STDCALL void PluginSleep(uint32_t Milliseconds); // KERNEL32.dll!Sleep
