// The plugin DLL, loaded for the session by one of two loaders with the same
// promises (LoadPluginModule, platform.hpp): qelhost's own PE loader in the
// Linux qelhost, or Windows' own LoadLibrary in qelhost.exe. The file is
// checked first (a regular file of at most 64 MB, read whole); a refusal
// comes back as a reason, and a fault in the plugin's start-up code ends the
// run as the plugin's (see gate/fault_blame.hpp).
#pragma once

#include <map>
#include <string>
#include <vector>

struct PluginModule {
    std::string FileName; // without its folder
    unsigned char* Base = nullptr;
    std::map<std::string, void*> Exports; // the entry points the session binds
    // Imports of Windows' own DLLs bound to a stand-in that stops the run
    // when called ("KERNEL32.dll!CreateProcessA"); the Linux loader's only.
    std::vector<std::string> StoppingImports;
};

// The exported function Name (exact), or null.
void* FindExport(const PluginModule& Module, const std::string& Name);
