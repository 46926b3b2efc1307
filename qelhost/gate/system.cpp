#include "qelhost/gate/system.hpp"
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/memory.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"

#include <string.h>
#include <strings.h>

#include <utility>
#include <vector>

namespace {

constexpr DWORD Win32Nt = 2; // VER_PLATFORM_WIN32_NT

// The session's environment, in the order made; names keep their case.
std::vector<std::pair<std::string, std::string>> Environment = {
    {"ComSpec", "C:\\WINDOWS\\system32\\cmd.exe"},
    {"OS", "Windows_NT"},
    {"PATHEXT", ".COM;.EXE;.BAT;.CMD"},
    {"SystemRoot", "C:\\WINDOWS"},
    {"USERNAME", "user"},
    {"windir", "C:\\WINDOWS"},
};
constexpr size_t MaxEnvironmentValue = 32767;

// The file functions' code page: the host calls SetFileApisToOEM at start.
uint32_t FileApis = OemCodePage;

BOOL Refuse(uint32_t Error) {
    SetPluginLastError(Error);
    return 0;
}

// Text (with its zero) in the plugin's buffer of Size, as the Get*A
// functions answer: the length without the zero when it fits, else the
// size needed with it.
DWORD Answered(const std::string& Text, char* Out, DWORD Size) {
    if (Size <= Text.size())
        return static_cast<DWORD>(Text.size() + 1);
    PluginMemoryWrite(Out, Text.c_str(), Text.size() + 1);
    return static_cast<DWORD>(Text.size());
}

// A name in a buffer whose size goes in and out (GetUserNameA's form).
BOOL NameAnswered(const std::string& Name, char* Out, DWORD* Size, bool SizeWithZero) {
    DWORD Given;
    memcpy(&Given, PluginMemoryBytes(Size, sizeof Given).data(), sizeof Given);
    DWORD Needed = static_cast<DWORD>(Name.size() + 1);
    if (Given < Needed) {
        PluginMemoryWrite(Size, &Needed, sizeof Needed);
        return Refuse(SizeWithZero ? ErrorInsufficientBuffer : ErrorBufferOverflow);
    }
    PluginMemoryWrite(Out, Name.c_str(), Name.size() + 1);
    DWORD Written = SizeWithZero ? Needed : Needed - 1;
    PluginMemoryWrite(Size, &Written, sizeof Written);
    return 1;
}

} // namespace

std::string AddEnvironment(const std::string& Value) {
    size_t Equals = Value.find('=', 1); // "=C:" names are Windows' own
    if (Equals == std::string::npos || Equals == 0)
        return "--env takes NAME=VALUE, not \"" + Value + "\"";
    SetEnvironment(Value.substr(0, Equals), Value.substr(Equals + 1));
    return "";
}

bool FindEnvironment(const std::string& Name, std::string& Value) {
    for (const auto& [Known, Its] : Environment)
        if (strcasecmp(Known.c_str(), Name.c_str()) == 0) {
            Value = Its;
            return true;
        }
    return false;
}

void SetEnvironment(const std::string& Name, const std::string& Value) {
    for (auto& [Known, Its] : Environment)
        if (strcasecmp(Known.c_str(), Name.c_str()) == 0) {
            Its = Value;
            return;
        }
    Environment.emplace_back(Name, Value);
}

std::string ExpandEnvironment(const std::string& Text) {
    std::string Result;
    for (size_t I = 0; I < Text.size();) {
        size_t Start = Text.find('%', I);
        if (Start == std::string::npos) {
            Result += Text.substr(I);
            break;
        }
        Result += Text.substr(I, Start - I);
        size_t End = Text.find('%', Start + 1);
        std::string Value;
        if (End == std::string::npos) {
            Result += Text.substr(Start);
            break;
        }
        if (End > Start + 1 && FindEnvironment(Text.substr(Start + 1, End - Start - 1), Value)) {
            Result += Value;
            I = End + 1;
        } else { // not a variable: the first % stays, the second may begin one
            Result += Text.substr(Start, End - Start);
            I = End;
        }
    }
    return Result;
}

uint32_t FileApisCodePage() {
    return FileApis;
}

PLUGIN_STDCALL BOOL Kernel32GetVersionExA(OsVersionInfo* Info) {
    UsingPluginArguments Using("KERNEL32.dll!GetVersionExA");
    DWORD Size;
    memcpy(&Size, PluginMemoryBytes(Info, sizeof Size).data(), sizeof Size);
    if (Size != sizeof(OsVersionInfo) && Size != sizeof(OsVersionInfoEx))
        return Refuse(ErrorInsufficientBuffer);
    OsVersionInfoEx Version{{Size, 5, 1, 2600, Win32Nt, "Service Pack 3"}, 3, 0, 0x100, 1, 0};
    PluginMemoryWrite(Info, &Version, Size);
    return 1;
}

PLUGIN_STDCALL DWORD Kernel32GetVersion() {
    return 2600u << 16 | 1u << 8 | 5u;
}

PLUGIN_STDCALL DWORD Kernel32GetEnvironmentVariableA(const char* Name, char* Out, DWORD Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetEnvironmentVariableA");
    std::string Value;
    if (!FindEnvironment(PluginMemoryText(Name), Value)) {
        SetPluginLastError(ErrorEnvVarNotFound);
        return 0;
    }
    return Answered(Value, Out, Size);
}

PLUGIN_STDCALL BOOL Kernel32SetEnvironmentVariableA(const char* Name, const char* Value) {
    UsingPluginArguments Using("KERNEL32.dll!SetEnvironmentVariableA");
    std::string Named = PluginMemoryText(Name);
    if (Named.empty() || Named.find('=', 1) != std::string::npos)
        return Refuse(ErrorInvalidParameter);
    if (Value == nullptr) {
        for (auto V = Environment.begin(); V != Environment.end(); ++V)
            if (strcasecmp(V->first.c_str(), Named.c_str()) == 0) {
                Environment.erase(V);
                return 1;
            }
        return Refuse(ErrorEnvVarNotFound);
    }
    SetEnvironment(Named, PluginMemoryText(Value, MaxEnvironmentValue));
    return 1;
}

PLUGIN_STDCALL DWORD Kernel32ExpandEnvironmentStringsA(const char* From, char* To, DWORD Size) {
    UsingPluginArguments Using("KERNEL32.dll!ExpandEnvironmentStringsA");
    std::string Expanded = ExpandEnvironment(PluginMemoryText(From));
    if (Size > Expanded.size())
        PluginMemoryWrite(To, Expanded.c_str(), Expanded.size() + 1);
    return static_cast<DWORD>(Expanded.size() + 1);
}

PLUGIN_STDCALL DWORD Kernel32GetACP() {
    return AnsiCodePage;
}
PLUGIN_STDCALL DWORD Kernel32GetOEMCP() {
    return OemCodePage;
}
PLUGIN_STDCALL BOOL Kernel32IsValidCodePage(DWORD CodePage) {
    return CodePage == AnsiCodePage || CodePage == OemCodePage || CodePage == CpUtf8;
}

PLUGIN_STDCALL int Kernel32MultiByteToWideChar(DWORD CodePage, DWORD Flags, const char* From,
                                               int FromLength, char16_t* To, int ToSize) {
    UsingPluginArguments Using("KERNEL32.dll!MultiByteToWideChar");
    uint32_t Page = KnownCodePage(CodePage);
    if (Page == 0 || From == nullptr || FromLength == 0 || FromLength < -1 || ToSize < 0)
        return Refuse(ErrorInvalidParameter);
    // -1: the text up to and with its zero.
    std::string Bytes = FromLength == -1 ? PluginMemoryText(From) + '\0'
                                         : PluginMemoryBytes(From, static_cast<size_t>(FromLength));
    bool Invalid;
    std::u16string Text = ToWide(Page, Bytes, Invalid);
    if (Invalid && Page == CpUtf8 && (Flags & MbErrInvalidChars) != 0)
        return Refuse(ErrorNoUnicodeTranslation);
    if (ToSize == 0)
        return static_cast<int>(Text.size());
    if (Text.size() > static_cast<size_t>(ToSize))
        return Refuse(ErrorInsufficientBuffer);
    PluginMemoryWrite(To, Text.data(), Text.size() * sizeof(char16_t));
    return static_cast<int>(Text.size());
}

PLUGIN_STDCALL int Kernel32WideCharToMultiByte(DWORD CodePage, DWORD, const char16_t* From,
                                               int FromLength, char* To, int ToSize,
                                               const char* DefaultChar, BOOL* UsedDefaultChar) {
    UsingPluginArguments Using("KERNEL32.dll!WideCharToMultiByte");
    uint32_t Page = KnownCodePage(CodePage);
    if (Page == 0 || From == nullptr || FromLength == 0 || FromLength < -1 || ToSize < 0 ||
        (Page == CpUtf8 && (DefaultChar != nullptr || UsedDefaultChar != nullptr)))
        return Refuse(ErrorInvalidParameter);
    std::u16string Text =
        FromLength == -1
            ? PluginMemoryWideText(From) + u'\0'
            : PluginMemoryWideText(From, static_cast<size_t>(FromLength)) +
                  std::u16string(
                      static_cast<size_t>(FromLength) -
                          PluginMemoryWideText(From, static_cast<size_t>(FromLength)).size(),
                      u'\0');
    char Default = DefaultChar != nullptr ? PluginMemoryBytes(DefaultChar, 1)[0] : '?';
    bool UsedDefault;
    std::string Bytes = FromWide(Page, Text, Default, UsedDefault);
    if (UsedDefaultChar != nullptr) {
        BOOL Used = UsedDefault;
        PluginMemoryWrite(UsedDefaultChar, &Used, sizeof Used);
    }
    if (ToSize == 0)
        return static_cast<int>(Bytes.size());
    if (Bytes.size() > static_cast<size_t>(ToSize))
        return Refuse(ErrorInsufficientBuffer);
    PluginMemoryWrite(To, Bytes.data(), Bytes.size());
    return static_cast<int>(Bytes.size());
}

PLUGIN_STDCALL BOOL Kernel32SetFileApisToOEM() {
    FileApis = OemCodePage;
    return 1;
}
PLUGIN_STDCALL BOOL Kernel32SetFileApisToANSI() {
    FileApis = AnsiCodePage;
    return 1;
}
PLUGIN_STDCALL BOOL Kernel32AreFileApisANSI() {
    return FileApis == AnsiCodePage;
}

PLUGIN_STDCALL DWORD Kernel32FormatMessageA(DWORD Flags, const void*, DWORD Id, DWORD, char* Out,
                                            DWORD Size, void*) {
    UsingPluginArguments Using("KERNEL32.dll!FormatMessageA");
    constexpr DWORD AllocateBuffer = 0x100, FromSystem = 0x1000, MaxWidthMask = 0xFF;
    const char* Message = (Flags & FromSystem) != 0 ? SystemMessage(Id) : nullptr;
    if (Message == nullptr)
        return Refuse((Flags & FromSystem) != 0 ? ErrorMrMidNotFound : ErrorInvalidParameter);
    std::string Text = Message;
    if ((Flags & MaxWidthMask) == MaxWidthMask) // one line, without its break
        Text.resize(Text.size() - 2);
    if ((Flags & AllocateBuffer) != 0) {
        void* Block = Kernel32LocalAlloc(0, Text.size() + 1 < Size ? Size : Text.size() + 1);
        if (Block == nullptr)
            return Refuse(ErrorNotEnoughMemory);
        memcpy(Block, Text.c_str(), Text.size() + 1);
        PluginMemoryWrite(Out, &Block, sizeof Block); // Out is a char** then
        return static_cast<DWORD>(Text.size());
    }
    if (Size <= Text.size())
        return Refuse(ErrorInsufficientBuffer);
    PluginMemoryWrite(Out, Text.c_str(), Text.size() + 1);
    return static_cast<DWORD>(Text.size());
}

// One process and one thread, with the numbers of an ordinary XP session.
PLUGIN_STDCALL DWORD Kernel32GetCurrentProcessId() {
    return 1000;
}
PLUGIN_STDCALL DWORD Kernel32GetCurrentThreadId() {
    return 1004;
}
PLUGIN_STDCALL HANDLE Kernel32GetCurrentProcess() {
    return reinterpret_cast<HANDLE>(-1);
}
PLUGIN_STDCALL HANDLE Kernel32GetCurrentThread() {
    return reinterpret_cast<HANDLE>(-2);
}
PLUGIN_STDCALL BOOL Kernel32GetComputerNameA(char* Name, DWORD* Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetComputerNameA");
    return NameAnswered("QELHOST", Name, Size, false);
}
PLUGIN_STDCALL BOOL Advapi32GetUserNameA(char* Name, DWORD* Size) {
    UsingPluginArguments Using("ADVAPI32.dll!GetUserNameA");
    std::string User;
    FindEnvironment("USERNAME", User);
    return NameAnswered(User, Name, Size, true);
}

PLUGIN_STDCALL BOOL User32MessageBeep(DWORD Type) {
    const char* Kind = Type == 0x10   ? "MB_ICONHAND"
                       : Type == 0x20 ? "MB_ICONQUESTION"
                       : Type == 0x30 ? "MB_ICONEXCLAMATION"
                       : Type == 0x40 ? "MB_ICONASTERISK"
                       : Type == 0    ? "MB_OK"
                                      : nullptr;
    if (Kind != nullptr)
        LoaderNote("the plugin beeps (MessageBeep %s)", Kind);
    else
        LoaderNote("the plugin beeps (MessageBeep 0x%X)", Type);
    return 1;
}
