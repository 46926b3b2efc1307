// The plain types of the native host's whole ANSI interface (FAR Manager
// 1.75 on 32-bit Windows), beyond those qelfar's own records use. Every
// native_*.hpp header starts here; they describe the Windows layout only, so
// they build for Windows x86 and the 32-bit Linux builds that lay records out
// alike, and never for far2l.
#pragma once

#include "host/host_interface.hpp"

#if QELFAR_HOST_FAR2L
#error "the native host's whole interface is the 32-bit Windows layout; far2l's records differ"
#endif

typedef uint16_t WORD;
typedef uint16_t WCHAR;

#pragma pack(push, 2)

// Windows' rectangle, as PanelInfo holds the panel's place on the screen.
struct RECT {
    long left;
    long top;
    long right;
    long bottom;
};

// A 64-bit number as the host's records carry it, readable whole or as its
// two halves.
union FARINT64 {
    int64_t i64;
    struct {
        DWORD LowPart;
        long HighPart;
    } Part;
};

#pragma pack(pop)

static_assert(sizeof(long) == 4 && sizeof(size_t) == 4 && sizeof(void*) == 4);

static_assert(sizeof(RECT) == 16);
static_assert(offsetof(RECT, left) == 0);
static_assert(offsetof(RECT, top) == 4);
static_assert(offsetof(RECT, right) == 8);
static_assert(offsetof(RECT, bottom) == 12);

static_assert(sizeof(FARINT64) == 8);
static_assert(offsetof(FARINT64, i64) == 0);
static_assert(offsetof(FARINT64, Part.LowPart) == 0);
static_assert(offsetof(FARINT64, Part.HighPart) == 4);
