// The name part of a path: what follows its last backslash or slash.
#pragma once

#include "host/host_interface.hpp"

// Writes the name part of Path, whose Length characters precede its
// terminator, into NamePart, cut to its first MaxPathChars characters and
// always terminated. A path without any separator is its own name part; one
// ending in a separator has an empty one. The caller passes the length it
// has already scanned, so the path is not scanned twice.
void FileNamePart(const char* Path, size_t Length, char (&NamePart)[PathBufferSize]);
