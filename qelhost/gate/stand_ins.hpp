// The one table of the functions qelhost stands in for, from which both
// builds bind the plugin's imports: the Linux qelhost binds every import
// from it (and refuses a DLL importing anything else); qelhost.exe lets
// Windows' loader bind the plugin, then rebinds the rows that both builds
// share (the heap, the ends of the process, Sleep), so that what qelhost
// must see or bound goes through its own code there too.
#pragma once

#include <stddef.h>

#include <span>
#include <string>

// Who binds a row: both builds, or only the Linux qelhost's own loader
// (qelhost.exe leaves those to Windows' own DLLs).
enum class BoundBy { BothBuilds, OwnLoader };

struct StandIn {
    const char* Dll;  // as the plugin's import names it, matched without case
    const char* Name; // exact
    void* Address;    // the function (or, for data such as _iob, the object)
    BoundBy By;
};

std::span<const StandIn> StandIns();

// The stand-in for DLL!Name, or null when qelhost provides none.
void* FindStandIn(const std::string& Dll, const std::string& Name);

// The loaded plugin, so that GetModuleHandleA and friends can answer for it.
void RegisterPluginModule(const std::string& FileName, void* Base);
