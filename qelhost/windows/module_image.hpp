// Images that Windows has mapped (the plugin, qelhost.exe, the system DLLs),
// read through their own headers: Windows checked them when it loaded them.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The size of the image mapped at Base.
size_t ImageSize(const unsigned char* Base);

// The image's directory Index (1 imports, 0 exports) as a pointer and size,
// or null when it has none or it lies outside the image.
const unsigned char* ImageDirectory(const unsigned char* Base, unsigned Index, size_t& Size);

// "msvcrt.dll!strlen": the loaded module holding Address and the export
// nearest below it, into Text; false when no module holds it.
bool FunctionAt(uintptr_t Address, char* Text, size_t Size);
