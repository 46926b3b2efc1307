// The files qelhost reads for its user (the plugin DLL, language files, the
// bytes OpenFilePlugin sees): a regular file only, checked before it is
// opened, since opening a FIFO or a device may block or act, and again on
// what was opened, since the name may have changed meanwhile.
#pragma once

#include <stddef.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// What a file that is no regular file is: "a folder", "a FIFO", ...
const char* FileKind(mode_t Mode);

// Opens the regular file at Path for reading, without waiting on anything.
// Returns the descriptor, with Status of what was opened; or -1, with Why
// the system's reason, or Why empty when the file is there but no regular
// file (Status then says what it is).
int OpenRegularFile(const std::string& Path, struct stat& Status, std::string& Why);

// Reads Size bytes into To, or up to the end of the file, going on after
// interruptions. Returns how many were read, or -1 with errno set.
ssize_t ReadUpTo(int Descriptor, void* To, size_t Size);

// Path without its folder.
std::string FileNameOf(const std::string& Path);
