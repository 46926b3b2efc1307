// The host's plugin interface as this plugin uses it. Two hosts speak it:
// FAR Manager's ANSI plugin generation on 32-bit Windows (PluginStartupInfo
// of 336 bytes), and far2l's multibyte flavour on x86-64 Linux, which
// descends from it. They share the names, the constants and the meaning of
// every field; what differs is gathered here and in each host's records
// header, so the plugin's own code is the same for both.
#pragma once

#include "host/host_types.hpp"

#if defined(_WIN32) || defined(__i386__)
// Windows x86 (and the 32-bit Linux test build that lays records out alike):
// every entry point and service is __stdcall, the callee popping its
// arguments (FARCDECL marks the few standard functions that are not); the exports are named by the
// .def file alone, since a dllexport on a __stdcall function would export its decorated name too.
#define QELFAR_HOST_FAR2L 0
#if defined(_WIN32)
#define FARAPI __stdcall
#define FARCDECL __cdecl
#else
#define FARAPI __attribute__((stdcall))
#define FARCDECL __attribute__((cdecl))
#endif
#define FAR_EXPORT
// OpenFilePlugin takes the name, the data and its size, nothing more.
#define FAR_OPENFILEPLUGIN_OPMODE
#elif defined(__x86_64__) && defined(__linux__)
// far2l: plain System V calls; the module is built with hidden visibility
// and far2l finds the entry points by their C names with dlsym.
#define QELFAR_HOST_FAR2L 1
#define FARAPI
#define FARCDECL
#define FAR_EXPORT __attribute__((visibility("default")))
// far2l's OpenFilePlugin has a fourth argument, the operation mode.
#define FAR_OPENFILEPLUGIN_OPMODE , int
#else
#error "qelfar has host records for Windows x86 and far2l on x86-64 Linux only"
#endif

struct FarDialogItem;

typedef const char*(FARAPI* FARAPIGETMSG)(INT_PTR PluginNumber, int MsgId);
typedef int(FARAPI* FARAPIMESSAGE)(INT_PTR PluginNumber, DWORD Flags, const char* HelpTopic,
                                   const char* const* Items, int ItemsNumber, int ButtonsNumber);
typedef int(FARAPI* FARAPIDIALOG)(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                                  const char* HelpTopic, FarDialogItem* Item, int ItemsNumber);
// A service slot this plugin never calls; its signature does not matter here.
typedef void(FARAPI* FARAPISERVICE)();

#if QELFAR_HOST_FAR2L
#include "host/far2l_records.hpp"
#else
#include "host/windows_records.hpp"
#endif

#include "host/host_constants.hpp"

constexpr int PathBufferSize = MaxPathChars + 1; // a name buffer with its terminator

// The nine entry points, as the host calls them.
typedef void(FARAPI* SetStartupInfoEntry)(const PluginStartupInfo* Info);
typedef void(FARAPI* GetPluginInfoEntry)(PluginInfo* Info);
typedef HANDLE(FARAPI* OpenPluginEntry)(int OpenFrom, INT_PTR Item);
typedef HANDLE(FARAPI* OpenFilePluginEntry)(const char* Name, const unsigned char* Data,
                                            int DataSize FAR_OPENFILEPLUGIN_OPMODE);
typedef void(FARAPI* GetOpenPluginInfoEntry)(HANDLE hPlugin, OpenPluginInfo* Info);
typedef int(FARAPI* GetFindDataEntry)(HANDLE hPlugin, PluginPanelItem** pPanelItem,
                                      int* pItemsNumber, int OpMode);
typedef void(FARAPI* FreeFindDataEntry)(HANDLE hPlugin, PluginPanelItem* PanelItem,
                                        int ItemsNumber);
typedef void(FARAPI* ClosePluginEntry)(HANDLE hPlugin);
typedef int(FARAPI* ProcessKeyEntry)(HANDLE hPlugin, int Key, unsigned int ControlState);
