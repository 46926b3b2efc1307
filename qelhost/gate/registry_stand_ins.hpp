// ADVAPI32.dll's Reg*A functions, on the in-memory registry (registry.hpp),
// the same in both builds: a plugin's settings never reach the real
// registry of the machine qelhost.exe runs on.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

typedef long RegResult;

PLUGIN_STDCALL RegResult Advapi32RegOpenKeyExA(HANDLE Key, const char* SubKey, DWORD Options,
                                               DWORD Access, HANDLE* Opened);
PLUGIN_STDCALL RegResult Advapi32RegOpenKeyA(HANDLE Key, const char* SubKey, HANDLE* Opened);
PLUGIN_STDCALL RegResult Advapi32RegCreateKeyExA(HANDLE Key, const char* SubKey, DWORD Reserved,
                                                 char* Class, DWORD Options, DWORD Access,
                                                 void* Security, HANDLE* Opened,
                                                 DWORD* Disposition);
PLUGIN_STDCALL RegResult Advapi32RegCreateKeyA(HANDLE Key, const char* SubKey, HANDLE* Opened);
PLUGIN_STDCALL RegResult Advapi32RegCloseKey(HANDLE Key);
PLUGIN_STDCALL RegResult Advapi32RegQueryValueExA(HANDLE Key, const char* Name, DWORD* Reserved,
                                                  DWORD* Type, void* Data, DWORD* Size);
PLUGIN_STDCALL RegResult Advapi32RegSetValueExA(HANDLE Key, const char* Name, DWORD Reserved,
                                                DWORD Type, const void* Data, DWORD Size);
PLUGIN_STDCALL RegResult Advapi32RegEnumKeyExA(HANDLE Key, DWORD Index, char* Name, DWORD* Length,
                                               DWORD* Reserved, char* Class, DWORD* ClassLength,
                                               void* WriteTime);
PLUGIN_STDCALL RegResult Advapi32RegEnumKeyA(HANDLE Key, DWORD Index, char* Name, DWORD Size);
PLUGIN_STDCALL RegResult Advapi32RegEnumValueA(HANDLE Key, DWORD Index, char* Name, DWORD* Length,
                                               DWORD* Reserved, DWORD* Type, void* Data,
                                               DWORD* Size);
PLUGIN_STDCALL RegResult Advapi32RegDeleteKeyA(HANDLE Key, const char* SubKey);
PLUGIN_STDCALL RegResult Advapi32RegDeleteValueA(HANDLE Key, const char* Name);
PLUGIN_STDCALL RegResult Advapi32RegQueryInfoKeyA(HANDLE Key, char* Class, DWORD* ClassLength,
                                                  DWORD* Reserved, DWORD* SubKeys,
                                                  DWORD* MaxSubKeyLength, DWORD* MaxClassLength,
                                                  DWORD* Values, DWORD* MaxValueNameLength,
                                                  DWORD* MaxValueLength, DWORD* Security,
                                                  void* WriteTime);
PLUGIN_STDCALL RegResult Advapi32RegFlushKey(HANDLE Key);
