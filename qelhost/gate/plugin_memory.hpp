// The plugin's memory, read and written without trusting its pointers: the
// bytes are carried by the system (through a pipe on Linux, by
// ReadProcessMemory on Windows), so that an address the plugin got wrong
// makes a system call fail instead of faulting in qelhost's own code.
#pragma once

#include <stddef.h>

#include <string>

// Copies Size bytes; false, with nothing promised of To, when any of From's
// bytes cannot be read.
bool CopyFromPlugin(void* To, const void* From, size_t Size);

// Copies Size bytes into the plugin's memory; false when any of To's bytes
// cannot be written (then the ones before may have been).
bool CopyToPlugin(void* To, const void* From, size_t Size);

enum class TextRead { Whole, Unreadable, TooLong };

// The zero-terminated text at From, of at most Limit bytes before its zero.
// Unreadable when a byte before the zero cannot be read; TooLong when no
// zero comes within Limit bytes.
TextRead ReadPluginText(const char* From, size_t Limit, std::string& Text);
