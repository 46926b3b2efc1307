// The KERNEL32.dll and msvcrt.dll functions that mingw-built DLLs import,
// implemented by qelhost itself for the loader to bind (kernel32_runtime.cpp,
// msvcrt_runtime.cpp, and the heap and process stand-ins of loader/, which
// qelhost.exe binds too).
#pragma once

#include <stdint.h>
#include <string>

// The address bound for DLL!Name (DLL case-insensitive, Name exact), or null
// when qelhost does not provide it.
void* FindRuntimeImport(const std::string& Dll, const std::string& Name);

// The loaded plugin, so that GetModuleHandleA and friends can answer for it.
void RegisterPluginModule(const std::string& FileName, void* Base);
