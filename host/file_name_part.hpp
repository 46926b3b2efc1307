// The name part of a path: what follows its last backslash or slash.
#pragma once

#include "host/host_interface.hpp"

// Writes the name part of the zero-terminated Path into NamePart, cut to its
// first MaxPathChars characters and always terminated. A path without any
// separator is its own name part; one ending in a separator has an empty one.
void FileNamePart(const char* Path, char (&NamePart)[PathBufferSize]);

// Where the name part of Path starts: the position after its last separator,
// or 0. Length is the count of characters before the path's terminator, so a
// caller that knows it already spares a second scan.
size_t NamePartStart(const char* Path, size_t Length);
