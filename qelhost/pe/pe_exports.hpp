// Listing the DLL's exported functions by name.
#pragma once

#include "qelhost/pe/pe_image.hpp"

#include <map>

// The most functions and names an export directory may list (ordinals are
// 16-bit).
constexpr uint32_t ExportLimit = 65536;

// Adds the RVA of each named export that is code of the image (not forwarded
// to another DLL) to Exports; refuses a directory whose tables, names or
// ordinals are not sound. Each name is read once, at most NameLimit bytes
// of it.
std::string ListExports(const Image& I, const Headers& H, std::map<std::string, uint32_t>& Exports);
