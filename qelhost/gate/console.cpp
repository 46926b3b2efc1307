#include "qelhost/gate/console.hpp"
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"

#include <stdio.h>

#include <string>

namespace {

// The handles of the console as Windows XP numbers them: input, output,
// error (STD_INPUT_HANDLE -10, STD_OUTPUT_HANDLE -11, STD_ERROR_HANDLE -12).
HANDLE StandardHandles[3] = {reinterpret_cast<HANDLE>(3), reinterpret_cast<HANDLE>(7),
                             reinterpret_cast<HANDLE>(11)};
DWORD InputMode = StartInputMode, OutputMode = StartOutputMode;
std::string Title = StartTitle;
constexpr size_t MaxTitle = 1024;

int StandardIndex(DWORD Which) {
    return Which >= 0xFFFFFFF4 && Which <= 0xFFFFFFF6 ? static_cast<int>(0xFFFFFFF6 - Which) : -1;
}

bool IsInput(HANDLE Console) {
    return Console == reinterpret_cast<HANDLE>(3) || Console == StandardHandles[0];
}

bool IsConsole(HANDLE Console) {
    uintptr_t Value = reinterpret_cast<uintptr_t>(Console);
    return Value == 3 || Value == 7 || Value == 11 || Console == StandardHandles[0] ||
           Console == StandardHandles[1] || Console == StandardHandles[2];
}

BOOL Refuse(uint32_t Error) {
    SetPluginLastError(Error);
    return 0;
}

// The title for the transcript: its code page (the console's, 866) shown
// in UTF-8, control characters escaped.
std::string Shown(const std::string& Text) {
    bool Invalid, UsedDefault;
    std::u16string Wide = ToWide(OemCodePage, Text, Invalid);
    std::string Result;
    for (char16_t C : Wide) {
        if (C < 0x20 || C == 0x7F || C == '"' || C == '\\') {
            char Escape[8];
            snprintf(Escape, sizeof Escape, C == '"' || C == '\\' ? "\\%c" : "\\x%02x",
                     static_cast<unsigned>(C));
            Result += Escape;
        } else {
            Result += FromWide(CpUtf8, std::u16string(1, C), '?', UsedDefault);
        }
    }
    return Result;
}

} // namespace

PLUGIN_STDCALL HANDLE Kernel32GetStdHandle(DWORD Which) {
    int Index = StandardIndex(Which);
    if (Index < 0) {
        SetPluginLastError(ErrorInvalidHandle);
        return INVALID_HANDLE_VALUE;
    }
    return StandardHandles[Index];
}

PLUGIN_STDCALL BOOL Kernel32SetStdHandle(DWORD Which, HANDLE Handle) {
    int Index = StandardIndex(Which);
    if (Index < 0)
        return Refuse(ErrorInvalidHandle);
    StandardHandles[Index] = Handle;
    return 1;
}

PLUGIN_STDCALL DWORD Kernel32GetConsoleTitleA(char* Out, DWORD Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetConsoleTitleA");
    if (Size == 0)
        return 0;
    return static_cast<DWORD>(PluginMemoryPutText(Out, Size, Title));
}

PLUGIN_STDCALL BOOL Kernel32SetConsoleTitleA(const char* Given) {
    UsingPluginArguments Using("KERNEL32.dll!SetConsoleTitleA");
    std::string Next = PluginMemoryText(Given, MaxTitle);
    if (Next != Title)
        LoaderNote("the console title becomes \"%s\"", Shown(Next).c_str());
    Title = Next;
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32GetConsoleScreenBufferInfo(HANDLE Console,
                                                       ConsoleScreenBufferInfo* Info) {
    UsingPluginArguments Using("KERNEL32.dll!GetConsoleScreenBufferInfo");
    if (!IsConsole(Console) || IsInput(Console))
        return Refuse(ErrorInvalidHandle);
    int16_t Right = ConsoleWidth - 1, Bottom = ConsoleHeight - 1;
    ConsoleScreenBufferInfo Result{{ConsoleWidth, ConsoleHeight},
                                   {0, 0},
                                   0x07, // light grey on black
                                   {0, 0, Right, Bottom},
                                   {ConsoleWidth, ConsoleHeight}};
    PluginMemoryWrite(Info, &Result, sizeof Result);
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32GetConsoleMode(HANDLE Console, DWORD* Mode) {
    UsingPluginArguments Using("KERNEL32.dll!GetConsoleMode");
    if (!IsConsole(Console))
        return Refuse(ErrorInvalidHandle);
    DWORD Value = IsInput(Console) ? InputMode : OutputMode;
    PluginMemoryWrite(Mode, &Value, sizeof Value);
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32SetConsoleMode(HANDLE Console, DWORD Mode) {
    if (!IsConsole(Console))
        return Refuse(ErrorInvalidHandle);
    (IsInput(Console) ? InputMode : OutputMode) = Mode;
    return 1;
}

// No key waits in the console while the plugin runs: the script's keys go
// to the host, not to the plugin's own reading.
PLUGIN_STDCALL BOOL Kernel32PeekConsoleInputA(HANDLE Console, void*, DWORD, DWORD* Read) {
    UsingPluginArguments Using("KERNEL32.dll!PeekConsoleInputA");
    if (!IsInput(Console))
        return Refuse(ErrorInvalidHandle);
    DWORD None = 0;
    PluginMemoryWrite(Read, &None, sizeof None);
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32FlushConsoleInputBuffer(HANDLE Console) {
    return IsInput(Console) ? 1 : Refuse(ErrorInvalidHandle);
}
