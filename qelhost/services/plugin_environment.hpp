// What the services tell the plugin of the world around it, as Windows
// would: its environment, its last error, and paths (Windows paths, found
// on this machine through the session's drives).
#pragma once

#include <stdint.h>

#include <string>

// How many names the file at the Windows path Path has; 1 when it cannot
// be found, as for a file system that keeps no links.
int NumberOfLinks(const std::string& Path);

// A name in the session's temporary folder that no file has yet, as a
// Windows path: the folder, then Prefix's first four characters ("FTMP"
// when empty), then four hexadecimal digits counting up from 0000 in the
// session. "" when all 65536 are taken.
std::string FreeTemporaryName(const std::string& Prefix);

// The plugin's last error (GetLastError), taken before qelhost's own calls
// to the system can change it, and its text as Windows words it, for
// FMSG_ERRORTYPE: "The system cannot find the file specified."
uint32_t LastError();
std::string ErrorText(uint32_t Error);
