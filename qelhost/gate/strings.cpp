#include "qelhost/gate/strings.hpp"
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/fault_blame.hpp"

#include <stdarg.h>
#include <stdio.h>

namespace {

// ---- wsprintfA ----

struct Conversion {
    bool Left = false, Prefix = false, Zero = false;
    size_t Width = 0;
    long Precision = -1;
    char Size = 0; // 'h', 'l' or '6' (I64)
    char Type = 0;
};

size_t ReadNumber(const std::string& F, size_t& I) {
    size_t Number = 0;
    for (; I < F.size() && F[I] >= '0' && F[I] <= '9'; ++I)
        Number = Number < 100000 ? Number * 10 + static_cast<size_t>(F[I] - '0') : Number;
    return Number;
}

Conversion ReadConversion(const std::string& F, size_t& I) {
    Conversion C;
    for (;; ++I) {
        if (I < F.size() && F[I] == '-')
            C.Left = true;
        else if (I < F.size() && F[I] == '#')
            C.Prefix = true;
        else if (I < F.size() && F[I] == '0')
            C.Zero = true;
        else
            break;
    }
    C.Width = ReadNumber(F, I);
    if (I < F.size() && F[I] == '.') {
        ++I;
        C.Precision = static_cast<long>(ReadNumber(F, I));
    }
    if (F.compare(I, 3, "I64") == 0) {
        C.Size = '6';
        I += 3;
    } else if (I < F.size() && (F[I] == 'h' || F[I] == 'l')) {
        C.Size = F[I++];
    }
    C.Type = I < F.size() ? F[I++] : 0;
    return C;
}

std::string AnsiOfWide(const std::u16string& Text) {
    bool UsedDefault;
    return FromWide(AnsiCodePage, Text, '?', UsedDefault);
}

std::string Padded(const Conversion& C, std::string Text, const std::string& Sign = "") {
    size_t Length = Sign.size() + Text.size();
    if (Length >= C.Width)
        return Sign + Text;
    std::string Fill(C.Width - Length, C.Zero && !C.Left ? '0' : ' ');
    if (C.Left)
        return Sign + Text + Fill;
    return C.Zero ? Sign + Fill + Text : Fill + Sign + Text;
}

std::string Number(const Conversion& C, const uint32_t*& Arg) {
    uint64_t Value = PluginMemoryWord(Arg++);
    if (C.Size == '6')
        Value |= uint64_t{PluginMemoryWord(Arg++)} << 32;
    bool Signed = C.Type == 'd' || C.Type == 'i';
    bool Negative = Signed && (C.Size == '6' ? static_cast<int64_t>(Value) < 0
                                             : static_cast<int32_t>(Value) < 0);
    if (Negative)
        Value = C.Size == '6' ? 0 - Value
                              : uint64_t{0} - static_cast<uint64_t>(static_cast<int32_t>(Value));
    char Digits[32];
    snprintf(Digits, sizeof Digits,
             C.Type == 'x'   ? "%llx"
             : C.Type == 'X' ? "%llX"
                             : "%llu",
             static_cast<unsigned long long>(Value));
    std::string Text = Digits;
    if (C.Precision >= 0 && Text.size() < static_cast<size_t>(C.Precision))
        Text.insert(0, static_cast<size_t>(C.Precision) - Text.size(), '0');
    std::string Sign = Negative                                  ? "-"
                       : C.Prefix && C.Type == 'x' && Value != 0 ? "0x"
                       : C.Prefix && C.Type == 'X' && Value != 0 ? "0X"
                                                                 : "";
    return Padded(C, Text, Sign);
}

std::string Converted(const Conversion& C, const uint32_t*& Arg) {
    bool Wide = C.Size == 'l' || ((C.Type == 'C' || C.Type == 'S') && C.Size != 'h');
    switch (C.Type) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
        return Number(C, Arg);
    case 'c':
    case 'C': {
        uint32_t Char = PluginMemoryWord(Arg++);
        std::string Text = Wide ? AnsiOfWide(std::u16string(1, static_cast<char16_t>(Char)))
                                : std::string(1, static_cast<char>(Char));
        return Padded(C, Text);
    }
    case 's':
    case 'S': {
        uint32_t Address = PluginMemoryWord(Arg++);
        size_t Limit =
            C.Precision >= 0 ? static_cast<size_t>(C.Precision) : static_cast<size_t>(-1);
        std::string Text;
        if (Address == 0)
            Text = std::string("(null)").substr(0, Limit);
        else if (Wide)
            Text =
                AnsiOfWide(PluginMemoryWideText(reinterpret_cast<const char16_t*>(Address), Limit));
        else
            Text = PluginMemoryText(reinterpret_cast<const char*>(Address), Limit);
        return Padded(C, Text);
    }
    default:
        return C.Type == 0 ? "" : std::string(1, C.Type);
    }
}

// ---- Comparing ----

struct Weight {
    int Class; // punctuation and symbols, digits, Latin, Cyrillic, other letters
    uint32_t Primary;
    bool Upper;
};

Weight WeightOf(char16_t Char) {
    char16_t Lower = LowerWide(Char);
    bool Upper = Lower != Char;
    if (Lower >= u'0' && Lower <= u'9')
        return {1, Lower, false};
    if (Lower >= u'a' && Lower <= u'z')
        return {2, Lower, Upper};
    if (Lower == 0x0451) // ё right after е
        return {3, 0x0435 * 2 + 1, Upper};
    if (Lower >= 0x0430 && Lower <= 0x045F)
        return {3, Lower * 2u, Upper};
    if (UpperWide(Char) != Char || Upper)
        return {4, Lower, Upper};
    return {0, Char, false};
}

} // namespace

std::string FormatWsprintf(const char* Format, const uint32_t* Arguments) {
    std::string F = PluginMemoryText(Format);
    std::string Out;
    const uint32_t* Arg = Arguments;
    for (size_t I = 0; I < F.size() && Out.size() < WsprintfLimit;) {
        if (F[I] != '%') {
            Out += F[I++];
            continue;
        }
        ++I;
        if (I < F.size() && F[I] == '%') {
            Out += F[I++];
            continue;
        }
        Conversion C = ReadConversion(F, I);
        Out += Converted(C, Arg);
    }
    return Out.substr(0, WsprintfLimit - 1);
}

int CompareWindowsText(const std::u16string& A, const std::u16string& B, bool IgnoreCase) {
    size_t Common = A.size() < B.size() ? A.size() : B.size();
    for (size_t I = 0; I < Common; ++I) {
        Weight WA = WeightOf(A[I]), WB = WeightOf(B[I]);
        if (WA.Class != WB.Class)
            return WA.Class < WB.Class ? -1 : 1;
        if (WA.Primary != WB.Primary)
            return WA.Primary < WB.Primary ? -1 : 1;
    }
    if (A.size() != B.size())
        return A.size() < B.size() ? -1 : 1;
    if (IgnoreCase)
        return 0;
    for (size_t I = 0; I < Common; ++I) {
        Weight WA = WeightOf(A[I]), WB = WeightOf(B[I]);
        if (WA.Upper != WB.Upper)
            return WA.Upper ? 1 : -1;
    }
    return 0;
}

// ---- The stand-ins ----

namespace {

std::u16string WideOfAnsi(const std::string& Text) {
    bool Invalid;
    return ToWide(AnsiCodePage, Text, Invalid);
}

// Text converted from one single-byte code page to the other, '?' for what
// the other lacks.
std::string Recoded(const std::string& Text, uint32_t From, uint32_t To) {
    bool Invalid, UsedDefault;
    return FromWide(To, ToWide(From, Text, Invalid), '?', UsedDefault);
}

bool IsSingleCharacter(const void* Text) {
    return reinterpret_cast<uintptr_t>(Text) >> 16 == 0;
}

template <typename Change> char* ChangeCase(char* Text, Change C, const char* Function) {
    if (IsSingleCharacter(Text))
        return reinterpret_cast<char*>(static_cast<uintptr_t>(
            C(static_cast<unsigned char>(reinterpret_cast<uintptr_t>(Text)))));
    UsingPluginArguments Using(Function);
    std::string Changed = PluginMemoryText(Text);
    for (char& Byte : Changed)
        Byte = static_cast<char>(C(static_cast<unsigned char>(Byte)));
    PluginMemoryWrite(Text, Changed.data(), Changed.size());
    return Text;
}

template <typename Change>
DWORD ChangeCaseBuffer(char* Text, DWORD Length, Change C, const char* Function) {
    UsingPluginArguments Using(Function);
    // The buffer may hold zeros: all of it is changed.
    std::string Changed = PluginMemoryBytes(Text, Length);
    for (char& Byte : Changed)
        Byte = static_cast<char>(C(static_cast<unsigned char>(Byte)));
    PluginMemoryWrite(Text, Changed.data(), Changed.size());
    return Length;
}

BOOL RecodeInto(const char* From, char* To, size_t Length, uint32_t FromPage, uint32_t ToPage,
                const char* Function) {
    if (From == nullptr || To == nullptr)
        return 0;
    UsingPluginArguments Using(Function);
    bool Whole = Length == static_cast<size_t>(-1);
    std::string Text = Whole ? PluginMemoryText(From) + '\0' : PluginMemoryBytes(From, Length);
    Text = Recoded(Text, FromPage, ToPage);
    PluginMemoryWrite(To, Text.data(), Text.size());
    return 1;
}

} // namespace

PLUGIN_STDCALL int Kernel32LstrlenA(const char* Text) {
    UsingPluginArguments Using("KERNEL32.dll!lstrlenA");
    return static_cast<int>(PluginMemoryText(Text).size());
}
PLUGIN_STDCALL int Kernel32LstrlenW(const char16_t* Text) {
    UsingPluginArguments Using("KERNEL32.dll!lstrlenW");
    return static_cast<int>(PluginMemoryWideText(Text).size());
}
PLUGIN_STDCALL char* Kernel32LstrcpyA(char* To, const char* From) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcpyA");
    std::string Text = PluginMemoryText(From);
    PluginMemoryWrite(To, Text.c_str(), Text.size() + 1);
    return To;
}
PLUGIN_STDCALL char16_t* Kernel32LstrcpyW(char16_t* To, const char16_t* From) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcpyW");
    std::u16string Text = PluginMemoryWideText(From);
    PluginMemoryWrite(To, Text.c_str(), (Text.size() + 1) * 2);
    return To;
}
PLUGIN_STDCALL char* Kernel32LstrcpynA(char* To, const char* From, int Size) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcpynA");
    if (Size > 0)
        PluginMemoryPutText(To, static_cast<size_t>(Size),
                            PluginMemoryText(From, static_cast<size_t>(Size)));
    return To;
}
PLUGIN_STDCALL char16_t* Kernel32LstrcpynW(char16_t* To, const char16_t* From, int Size) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcpynW");
    if (Size > 0)
        PluginMemoryPutWideText(To, static_cast<size_t>(Size),
                                PluginMemoryWideText(From, static_cast<size_t>(Size)));
    return To;
}
PLUGIN_STDCALL char* Kernel32LstrcatA(char* To, const char* From) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcatA");
    std::string Text = PluginMemoryText(From);
    PluginMemoryWrite(To + PluginMemoryText(To).size(), Text.c_str(), Text.size() + 1);
    return To;
}
PLUGIN_STDCALL char16_t* Kernel32LstrcatW(char16_t* To, const char16_t* From) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcatW");
    std::u16string Text = PluginMemoryWideText(From);
    PluginMemoryWrite(To + PluginMemoryWideText(To).size(), Text.c_str(), (Text.size() + 1) * 2);
    return To;
}
PLUGIN_STDCALL int Kernel32LstrcmpA(const char* A, const char* B) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcmpA");
    return CompareWindowsText(WideOfAnsi(PluginMemoryText(A)), WideOfAnsi(PluginMemoryText(B)),
                              false);
}
PLUGIN_STDCALL int Kernel32LstrcmpiA(const char* A, const char* B) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcmpiA");
    return CompareWindowsText(WideOfAnsi(PluginMemoryText(A)), WideOfAnsi(PluginMemoryText(B)),
                              true);
}
PLUGIN_STDCALL int Kernel32LstrcmpW(const char16_t* A, const char16_t* B) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcmpW");
    return CompareWindowsText(PluginMemoryWideText(A), PluginMemoryWideText(B), false);
}
PLUGIN_STDCALL int Kernel32LstrcmpiW(const char16_t* A, const char16_t* B) {
    UsingPluginArguments Using("KERNEL32.dll!lstrcmpiW");
    return CompareWindowsText(PluginMemoryWideText(A), PluginMemoryWideText(B), true);
}

PLUGIN_STDCALL char* User32CharUpperA(char* Text) {
    return ChangeCase(Text, UpperAnsi, "USER32.dll!CharUpperA");
}
PLUGIN_STDCALL char* User32CharLowerA(char* Text) {
    return ChangeCase(Text, LowerAnsi, "USER32.dll!CharLowerA");
}
PLUGIN_STDCALL DWORD User32CharUpperBuffA(char* Text, DWORD Length) {
    return ChangeCaseBuffer(Text, Length, UpperAnsi, "USER32.dll!CharUpperBuffA");
}
PLUGIN_STDCALL DWORD User32CharLowerBuffA(char* Text, DWORD Length) {
    return ChangeCaseBuffer(Text, Length, LowerAnsi, "USER32.dll!CharLowerBuffA");
}
PLUGIN_STDCALL char* User32CharNextA(const char* Text) {
    UsingPluginArguments Using("USER32.dll!CharNextA");
    return const_cast<char*>(PluginMemoryText(Text, 1).empty() ? Text : Text + 1);
}
PLUGIN_STDCALL char* User32CharPrevA(const char* Start, const char* Text) {
    return const_cast<char*>(Text > Start ? Text - 1 : Start);
}
PLUGIN_STDCALL BOOL User32IsCharAlphaA(char Char) {
    return IsAnsiAlpha(static_cast<unsigned char>(Char));
}
PLUGIN_STDCALL BOOL User32IsCharAlphaNumericA(char Char) {
    return IsAnsiAlpha(static_cast<unsigned char>(Char)) || (Char >= '0' && Char <= '9');
}
PLUGIN_STDCALL BOOL User32IsCharUpperA(char Char) {
    return IsAnsiUpper(static_cast<unsigned char>(Char));
}
PLUGIN_STDCALL BOOL User32IsCharLowerA(char Char) {
    return IsAnsiLower(static_cast<unsigned char>(Char));
}
PLUGIN_STDCALL BOOL User32CharToOemA(const char* From, char* To) {
    return RecodeInto(From, To, static_cast<size_t>(-1), AnsiCodePage, OemCodePage,
                      "USER32.dll!CharToOemA");
}
PLUGIN_STDCALL BOOL User32CharToOemBuffA(const char* From, char* To, DWORD Length) {
    return RecodeInto(From, To, Length, AnsiCodePage, OemCodePage, "USER32.dll!CharToOemBuffA");
}
PLUGIN_STDCALL BOOL User32OemToCharA(const char* From, char* To) {
    return RecodeInto(From, To, static_cast<size_t>(-1), OemCodePage, AnsiCodePage,
                      "USER32.dll!OemToCharA");
}
PLUGIN_STDCALL BOOL User32OemToCharBuffA(const char* From, char* To, DWORD Length) {
    return RecodeInto(From, To, Length, OemCodePage, AnsiCodePage, "USER32.dll!OemToCharBuffA");
}

static_assert(sizeof(va_list) == sizeof(uint32_t*), "va_list is a pointer to the argument words");

PLUGIN_CDECL int User32WsprintfA(char* To, const char* Format, ...) {
    UsingPluginArguments Using("USER32.dll!wsprintfA");
    va_list Arguments;
    va_start(Arguments, Format);
    std::string Text = FormatWsprintf(Format, reinterpret_cast<const uint32_t*>(Arguments));
    va_end(Arguments);
    PluginMemoryWrite(To, Text.c_str(), Text.size() + 1);
    return static_cast<int>(Text.size());
}

PLUGIN_STDCALL int User32WvsprintfA(char* To, const char* Format, const uint32_t* Arguments) {
    UsingPluginArguments Using("USER32.dll!wvsprintfA");
    std::string Text = FormatWsprintf(Format, Arguments);
    PluginMemoryWrite(To, Text.c_str(), Text.size() + 1);
    return static_cast<int>(Text.size());
}
