// msvcrt.dll's functions (cdecl) that mingw-built DLLs import, as qelhost
// stands in for them (the table in stand_ins.cpp binds them). Each stand-in's
// name starts with Msvcrt, so that the sanitized build can leave the checks
// of the plugin's memory to the crash report (see linux/sanitizer_options.cpp).
#pragma once

#include "qelhost/calling_convention.hpp"

#include <stdarg.h>
#include <stddef.h>

// msvcrt's FILE is 32 bytes; the plugin only passes addresses of _iob entries.
struct MsvcrtFile {
    unsigned char Fields[32];
};
static_assert(sizeof(MsvcrtFile) == 32);
extern MsvcrtFile MsvcrtIob[3]; // msvcrt's _iob: stdin, stdout, stderr

PLUGIN_CDECL int MsvcrtFputc(int Char, MsvcrtFile* Stream);
PLUGIN_CDECL int MsvcrtFputs(const char* Text, MsvcrtFile* Stream);
PLUGIN_CDECL size_t MsvcrtFwrite(const void* Data, size_t Size, size_t Count, MsvcrtFile* Stream);
PLUGIN_CDECL int MsvcrtFflush(MsvcrtFile* Stream);
PLUGIN_CDECL int MsvcrtVfprintf(MsvcrtFile* Stream, const char* Format, va_list Arguments);
PLUGIN_CDECL MsvcrtFile* MsvcrtIobFunc();
PLUGIN_CDECL void MsvcrtInitterm(void (**First)(), void (**Last)());
PLUGIN_CDECL void MsvcrtLock(int);
PLUGIN_CDECL void MsvcrtUnlock(int);
PLUGIN_CDECL size_t MsvcrtStrlen(const char* Text);
PLUGIN_CDECL int MsvcrtStrcmp(const char* A, const char* B);
PLUGIN_CDECL int MsvcrtStrncmp(const char* A, const char* B, size_t Count);
PLUGIN_CDECL char* MsvcrtStrcpy(char* To, const char* From);
PLUGIN_CDECL char* MsvcrtStrncpy(char* To, const char* From, size_t Count);
PLUGIN_CDECL const char* MsvcrtStrchr(const char* Text, int Char);
PLUGIN_CDECL int MsvcrtAtoi(const char* Text);
PLUGIN_CDECL void* MsvcrtMemcpy(void* To, const void* From, size_t Count);
PLUGIN_CDECL void* MsvcrtMemmove(void* To, const void* From, size_t Count);
PLUGIN_CDECL void* MsvcrtMemset(void* To, int Byte, size_t Count);
PLUGIN_CDECL int MsvcrtMemcmp(const void* A, const void* B, size_t Count);
