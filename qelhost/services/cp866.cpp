#include "qelhost/services/cp866.hpp"
#include "qelhost/gate/code_pages.hpp"

#include <stdio.h>

namespace {

// The byte for Char, or -1 (the table is the plugin's OEM code page's).
int OemByte(char32_t Char) {
    return ByteOfChar(OemCodePage, Char);
}

} // namespace

std::u32string OemToUnicode(const std::string& Oem) {
    std::u32string Text;
    for (unsigned char Byte : Oem)
        Text += CharOfByte(OemCodePage, Byte);
    return Text;
}

std::string UnicodeToOem(const std::u32string& Text) {
    std::string Oem;
    for (char32_t Char : Text) {
        int Byte = OemByte(Char);
        Oem += Byte < 0 ? '?' : static_cast<char>(Byte);
    }
    return Oem;
}

std::u32string MissingFromOem(const std::u32string& Text) {
    std::u32string Missing;
    for (char32_t Char : Text)
        if (OemByte(Char) < 0 && Missing.find(Char) == std::u32string::npos)
            Missing += Char;
    return Missing;
}

std::string WhyNotOem(const std::string& Utf8) {
    for (size_t I = 0; I < Utf8.size();) {
        size_t Length = Utf8SequenceLength(Utf8, I);
        if (Length == 0) {
            char Byte[8];
            snprintf(Byte, sizeof Byte, "0x%02X", static_cast<unsigned char>(Utf8[I]));
            return std::string("the byte ") + Byte + " is not UTF-8";
        }
        I += Length;
    }
    std::u32string Missing = MissingFromOem(FromUtf8(Utf8));
    return Missing.empty() ? "" : "code page 866 has no " + ToUtf8(Missing);
}

std::string ToUtf8(const std::u32string& Text) {
    std::string Utf8;
    for (char32_t C : Text) {
        if (C < 0x80) {
            Utf8 += static_cast<char>(C);
        } else if (C < 0x800) {
            Utf8 += static_cast<char>(0xC0 | C >> 6);
            Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
            Utf8 += static_cast<char>(0xE0 | C >> 12);
            Utf8 += static_cast<char>(0x80 | (C >> 6 & 0x3F));
            Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        } else {
            Utf8 += static_cast<char>(0xF0 | C >> 18);
            Utf8 += static_cast<char>(0x80 | (C >> 12 & 0x3F));
            Utf8 += static_cast<char>(0x80 | (C >> 6 & 0x3F));
            Utf8 += static_cast<char>(0x80 | (C & 0x3F));
        }
    }
    return Utf8;
}

size_t Utf8SequenceLength(const std::string& Text, size_t I) {
    unsigned char Lead = static_cast<unsigned char>(Text[I]);
    size_t Length = Lead < 0x80       ? 1
                    : Lead >> 5 == 6  ? 2
                    : Lead >> 4 == 14 ? 3
                    : Lead >> 3 == 30 ? 4
                                      : 0;
    if (Length == 0 || I + Length > Text.size())
        return 0;
    for (size_t K = 1; K < Length; ++K)
        if ((static_cast<unsigned char>(Text[I + K]) & 0xC0) != 0x80)
            return 0;
    return Length;
}

// Malformed sequences give U+FFFD, one per bad byte.
std::u32string FromUtf8(const std::string& Utf8) {
    std::u32string Text;
    for (size_t I = 0; I < Utf8.size();) {
        size_t Length = Utf8SequenceLength(Utf8, I);
        if (Length == 0) {
            Text += U'\uFFFD';
            ++I;
            continue;
        }
        unsigned char Lead = static_cast<unsigned char>(Utf8[I]);
        char32_t Char = Length == 1 ? Lead : Lead & (0x7F >> Length);
        for (size_t K = 1; K < Length; ++K)
            Char = Char << 6 | (static_cast<unsigned char>(Utf8[I + K]) & 0x3F);
        Text += Char;
        I += Length;
    }
    return Text;
}
