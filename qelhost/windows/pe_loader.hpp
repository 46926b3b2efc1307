// A loader for 32-bit Windows DLLs (PE32, i386): reads the file (a regular
// file of at most 64 MB), checks its headers, maps the image, relocates it,
// binds its imports to qelhost's own KERNEL32.dll and msvcrt.dll, lists its
// exports, and runs its TLS callbacks and entry routine. Nothing read from
// the DLL is trusted before it is checked; every name is bounded.
#pragma once

#include <map>
#include <string>

struct PluginModule {
    std::string FileName; // without its folder
    unsigned char* Base = nullptr;
    std::map<std::string, void*> Exports;
};

// Loads the DLL at Path into Module. Returns an empty string on success,
// else why the file was refused; nothing of the plugin has run then, except
// its own start-up code when that refused to load. A fault in that code ends
// the run (see crash_report.hpp).
std::string LoadPluginModule(const std::string& Path, PluginModule& Module);

// The exported function Name (exact), or null.
void* FindExport(const PluginModule& Module, const std::string& Name);
