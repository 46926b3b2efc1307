// Reading a whole DLL: every structural check qelhost makes before any of
// its code may run (headers, sections, relocations, imports, exports,
// thread-local data), on bytes in memory, with no call to the system. Both
// builds run it: the Linux qelhost to load the DLL into memory it mapped,
// qelhost.exe on a copy before Windows' loader sees the file, so that both
// refuse the same malformed files.
#pragma once

#include "qelhost/pe/pe_exports.hpp"
#include "qelhost/pe/pe_headers.hpp"
#include "qelhost/pe/pe_image.hpp"
#include "qelhost/pe/pe_imports.hpp"
#include "qelhost/pe/pe_thread_data.hpp"

#include <map>
#include <string>

struct DllRecords {
    std::map<std::string, uint32_t> Exports; // name → RVA
    ThreadData Tls;
    uint32_t EntryPointRva = 0; // 0: none; else in the image: checked
};

// Lays the file's Size bytes out in I (I.Size == H's image size, zeroed,
// at I.Address), relocates it there, binds its imports through Resolve and
// reads its exports and thread-local data into Out. Returns why the DLL is
// refused, or an empty string.
std::string PrepareImage(const unsigned char* File, size_t Size, const Headers& H, const Image& I,
                         const std::string& FileName, const ImportResolver& Resolve,
                         DllRecords& Out);

// The same checks on a copy at the DLL's preferred address, taking every
// import as bound (the system binds them).
std::string CheckDll(const unsigned char* File, size_t Size, const std::string& FileName);
