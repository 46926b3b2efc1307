// The plugin's imports that qelhost.exe binds to the stand-ins both builds
// share (the rows of gate/stand_ins.cpp bound by both), after Windows has
// bound them: the heap functions (tracked, and made to fail on request), the
// ways to end the process (told, and ended through stop_run.hpp) and Sleep
// (bounded). Everything else stays Windows' own.
#pragma once

// Rebinds every slot of the plugin's import address tables that holds one
// of those functions.
void HookImports(unsigned char* Base);
