// The host interface's plain types, which its records and constants use.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef void* HANDLE;
typedef uint32_t DWORD;
typedef int BOOL;
typedef intptr_t INT_PTR; // pointer-wide: 4 bytes on Windows x86, 8 on far2l

// The no-panel result; a macro because a pointer made from an integer is not
// a constant expression, and the DLL runs no static constructors.
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
