// KERNEL32.dll's console functions as the plugin meets them in the host:
// the standard handles, the title (kept, and told in the transcript when it
// changes), the screen's size and the modes. The same in both builds, so
// that a plugin never changes the console qelhost.exe runs in.
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"

#include <stdint.h>

// qelhost's screen, as the host's services draw on it.
constexpr int ConsoleWidth = 200, ConsoleHeight = 100;
constexpr const char* StartTitle = "Far";
// The console modes the host leaves: window and mouse input; processed
// output wrapping at the line's end.
constexpr DWORD StartInputMode = 0x18;
constexpr DWORD StartOutputMode = 0x3;

struct Coord {
    int16_t X, Y;
};
struct SmallRect {
    int16_t Left, Top, Right, Bottom;
};
struct ConsoleScreenBufferInfo {
    Coord Size;
    Coord CursorPosition;
    uint16_t Attributes;
    SmallRect Window;
    Coord MaximumWindowSize;
};
static_assert(sizeof(ConsoleScreenBufferInfo) == 22);

PLUGIN_STDCALL HANDLE Kernel32GetStdHandle(DWORD Which);
PLUGIN_STDCALL BOOL Kernel32SetStdHandle(DWORD Which, HANDLE Handle);
PLUGIN_STDCALL DWORD Kernel32GetConsoleTitleA(char* Title, DWORD Size);
PLUGIN_STDCALL BOOL Kernel32SetConsoleTitleA(const char* Title);
PLUGIN_STDCALL BOOL Kernel32GetConsoleScreenBufferInfo(HANDLE Console,
                                                       ConsoleScreenBufferInfo* Info);
PLUGIN_STDCALL BOOL Kernel32GetConsoleMode(HANDLE Console, DWORD* Mode);
PLUGIN_STDCALL BOOL Kernel32SetConsoleMode(HANDLE Console, DWORD Mode);
PLUGIN_STDCALL BOOL Kernel32PeekConsoleInputA(HANDLE Console, void* Records, DWORD Length,
                                              DWORD* Read);
PLUGIN_STDCALL BOOL Kernel32FlushConsoleInputBuffer(HANDLE Console);
