// The plugin DLL, loaded for the session by one of two loaders with the same
// promises: qelhost's own PE loader in the Linux qelhost (linux_pe_loader/),
// or Windows' own LoadLibrary in qelhost.exe (windows_loader/). The file is
// checked first (a regular file of at most 64 MB, read whole); a refusal
// comes back as a reason, and a fault in the plugin's start-up code ends the
// run as the plugin's (see crash_report.hpp).
#pragma once

#include <map>
#include <string>

struct PluginModule {
    std::string FileName; // without its folder
    unsigned char* Base = nullptr;
    std::map<std::string, void*> Exports; // the entry points the session binds
};

// Loads the DLL at Path into Module. Returns an empty string on success,
// else why the file was refused.
std::string LoadPluginModule(const std::string& Path, PluginModule& Module);

// The exported function Name (exact), or null.
void* FindExport(const PluginModule& Module, const std::string& Name);
