// The plugin's module-level state: fixed storage that lives as long as the
// module, zeroed or statically initialised at load (the DLL runs no
// constructors), and handed to the host by address.
#pragma once

#include "host/host_calls.hpp" // StartupInfoCopy, defined beside the calls that use it
#include "host/host_interface.hpp"

extern const char MenuTitle[10];
extern const char CommandPrefixText[4];
extern const char* MenuStrings[1];

extern char HostFileBuffer[PathBufferSize];
extern char CurDirBuffer[PathBufferSize];
extern char PanelTitleBuffer[PathBufferSize];
extern bool PanelIsOpen;
