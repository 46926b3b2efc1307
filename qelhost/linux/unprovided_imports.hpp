// Imports of Windows' own DLLs that qelhost does not model: bound to a
// stand-in that stops the run, naming the function, when the plugin calls it.
#pragma once

#include <string>

// Whether Dll is one of Windows' system DLLs (as the import names it, with
// or without ".dll", without regard to case).
bool IsSystemDll(const std::string& Dll);

// A stand-in that stops the run with "the plugin called SHOWN, which qelhost
// does not provide"; null when no memory is left for it.
void* UnprovidedStandIn(const std::string& Shown);
