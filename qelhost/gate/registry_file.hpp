// The registry as a REGEDIT4 text: what --registry FILE loads at the start
// and saves at the end, and what the session's registry command prints.
// Texts are bytes as the plugin stored them (its ANSI or OEM code page),
// as REGEDIT4 files hold them.
#pragma once

#include <string>

// The keys at and below Path ("HKEY_CURRENT_USER\Software\Far\Plugins"; a
// predefined key alone; "" for every predefined key), each "[KEY]" line
// with its values after a blank line, as regedit writes them; "" when Path
// names no key.
std::string RegistryText(const std::string& Path);

// Adds Text's keys and values to the tree; "line N: why" for the first line
// that cannot be read (the tree is emptied then), "" when all could.
std::string LoadRegistryText(const std::string& Text);

// --registry FILE: loads it (a missing file is an empty registry), or says
// why it cannot ("FILE line 3: ..."); and saves the whole tree over it,
// through a new file renamed over the old, so that a failed save leaves it
// whole.
std::string LoadRegistryFile(const std::string& Path);
std::string SaveRegistryFile(const std::string& Path);
