// A loader for 32-bit Windows DLLs (PE32, i386): maps the image, relocates
// it, binds its imports to qelhost's own KERNEL32.dll and msvcrt.dll, runs
// its TLS callbacks and entry routine, and lists its exports.
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
// its own start-up code when that refused to load.
std::string LoadPluginModule(const std::string& Path, PluginModule& Module);

// The exported function Name (exact), or null.
void* FindExport(const PluginModule& Module, const std::string& Name);
