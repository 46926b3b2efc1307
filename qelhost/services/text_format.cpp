#include "qelhost/services/text_format.hpp"
#include "qelhost/services/cp866.hpp"

#include <stdio.h>

namespace {

bool IsControl(char32_t Char) {
    return Char < 0x20 || (Char >= 0x7F && Char < 0xA0);
}

std::string HexByte(unsigned Byte) {
    char Text[8];
    snprintf(Text, sizeof Text, "\\x%02x", Byte & 0xFF);
    return Text;
}

} // namespace

std::string Trimmed(const std::string& Line) {
    size_t First = Line.find_first_not_of(" \t\r\n");
    size_t Last = Line.find_last_not_of(" \t\r\n");
    return First == std::string::npos ? "" : Line.substr(First, Last - First + 1);
}

std::string Joined(const std::vector<std::string>& Parts, const std::string& Separator) {
    std::string Text;
    for (size_t I = 0; I < Parts.size(); ++I)
        Text += (I == 0 ? "" : Separator) + Parts[I];
    return Text;
}

std::u32string Joined(const std::vector<std::u32string>& Parts, const std::u32string& Separator) {
    std::u32string Text;
    for (size_t I = 0; I < Parts.size(); ++I)
        Text += (I == 0 ? U"" : Separator) + Parts[I];
    return Text;
}

std::string FlagNames(DWORD Flags, std::initializer_list<FlagName> Names) {
    std::vector<std::string> Parts;
    for (const auto& [Bit, Name] : Names)
        if (Flags & Bit) {
            Parts.push_back(Name);
            Flags &= ~Bit;
        }
    if (Flags != 0) {
        char Rest[16];
        snprintf(Rest, sizeof Rest, "0x%X", Flags);
        Parts.push_back(Rest);
    }
    return Parts.empty() ? "none" : Joined(Parts, " | ");
}

std::string HandleText(HANDLE Value) {
    if (Value == INVALID_HANDLE_VALUE)
        return "INVALID_HANDLE_VALUE";
    // Small handles are numbers the plugin chose; others are addresses.
    uintptr_t Number = reinterpret_cast<uintptr_t>(Value);
    char Text[16];
    snprintf(Text, sizeof Text, Number < 0x10000 ? "%lu" : "%#lx",
             static_cast<unsigned long>(Number));
    return Text;
}

std::string Escaped(const std::string& Utf8) {
    std::string Text;
    for (size_t I = 0; I < Utf8.size();) {
        size_t Length = Utf8SequenceLength(Utf8, I);
        if (Length == 0) {
            Text += HexByte(static_cast<unsigned char>(Utf8[I++]));
            continue;
        }
        std::string Sequence = Utf8.substr(I, Length);
        char32_t Char = FromUtf8(Sequence)[0];
        Text += IsControl(Char) ? HexByte(static_cast<unsigned>(Char)) : Sequence;
        I += Length;
    }
    return Text;
}

std::u32string Escaped(const std::u32string& Text) {
    std::u32string Result;
    for (char32_t Char : Text)
        if (IsControl(Char))
            Result += FromUtf8(HexByte(static_cast<unsigned>(Char)));
        else
            Result += Char;
    return Result;
}

std::string Printable(const std::u32string& Text) {
    return ToUtf8(Escaped(Text));
}

std::string Quoted(const std::u32string& Text) {
    return "\"" + Printable(Text) + "\"";
}

std::u32string CutToWidth(const std::u32string& Text, int Width) {
    if (Width <= 0)
        return U"";
    if (static_cast<int>(Text.size()) <= Width)
        return Text;
    return Text.substr(0, Width - 1) + U"…";
}
