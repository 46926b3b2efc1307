// Binding the DLL's imports to the addresses a resolver gives.
#pragma once

#include "qelhost/pe/pe_image.hpp"

#include <functional>

// The most imported functions (all DLLs together) and DLLs the loader reads.
constexpr uint32_t ImportLimit = 16384;
constexpr uint32_t ImportedDllLimit = 256;

// The address to bind DLL!Name to ("#N" for an import by ordinal N), or 0
// when there is none.
using ImportResolver = std::function<uint32_t(const std::string& Dll, const std::string& Name)>;

// Reads every import first, then fills the import address tables, so that
// no slot written can change what is read. Refuses (naming up to a few of
// them) when Resolve has no address for any import.
std::string BindImports(const Image& I, const Headers& H, const std::string& FileName,
                        const ImportResolver& Resolve);
