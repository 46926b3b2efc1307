// Reading the plugin DLL: a regular file, read whole in one go, up to a
// limit; nothing else (a folder, a device, a FIFO) is ever read or waited on.
#pragma once

#include <stddef.h>

#include <string>

constexpr size_t DllFileLimit = 64u << 20;

struct DllFile {
    unsigned char* Bytes = nullptr; // from malloc
    size_t Size = 0;

    DllFile() = default;
    DllFile(const DllFile&) = delete;
    DllFile& operator=(const DllFile&) = delete;
    ~DllFile();
};

// Reads the file at Path into File. Returns an empty string on success, else
// why it cannot be read.
std::string ReadDllFile(const std::string& Path, DllFile& File);
