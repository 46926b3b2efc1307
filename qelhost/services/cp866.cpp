#include "qelhost/services/cp866.hpp"

#include <stdio.h>

namespace {

// Bytes 0x80 to 0xFF; the lower half is ASCII.
const char32_t UpperHalf[128] = {
    // 0x80: А to П, Р to Я
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    // 0xA0: а to п
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F,
    // 0xB0: shades and box drawing
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    // 0xE0: р to я
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F,
    // 0xF0: Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ nbsp
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A,
    0x2116, 0x00A4, 0x25A0, 0x00A0};

// The byte for Char, or -1.
int OemByte(char32_t Char) {
    if (Char < 0x80)
        return static_cast<int>(Char);
    for (int I = 0; I < 128; ++I)
        if (UpperHalf[I] == Char)
            return 0x80 + I;
    return -1;
}

} // namespace

std::u32string OemToUnicode(const std::string& Oem) {
    std::u32string Text;
    for (unsigned char Byte : Oem)
        Text += Byte < 0x80 ? char32_t{Byte} : UpperHalf[Byte - 0x80];
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
