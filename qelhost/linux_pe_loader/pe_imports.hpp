// Binding the DLL's imports to qelhost's own KERNEL32.dll and msvcrt.dll.
#pragma once

#include "qelhost/linux_pe_loader/pe_image.hpp"

// The most imported functions (all DLLs together) and DLLs the loader reads.
constexpr uint32_t ImportLimit = 16384;
constexpr uint32_t ImportedDllLimit = 256;

// Reads every import first, then fills the import address tables, so that
// no slot written can change what is read. Refuses (naming up to a few of
// them) when qelhost lacks any import.
std::string BindImports(const Image& I, const Headers& H, const std::string& FileName);
