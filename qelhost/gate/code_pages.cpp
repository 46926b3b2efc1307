#include "qelhost/gate/code_pages.hpp"

namespace {

// Bytes 0x80 to 0xFF of each page; the lower half is ASCII.
const char16_t Cp866[128] = {
    // 0x80: А to Я
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

const char16_t Cp1251[128] = {
    // 0x80: Ђ Ѓ ‚ ѓ „ … † ‡ € ‰ Љ ‹ Њ Ќ Ћ Џ
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F,
    // 0x90: ђ ‘ ’ “ ” • – — (0x98) ™ љ › њ ќ ћ џ
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A,
    0x045A, 0x045C, 0x045B, 0x045F,
    // 0xA0: nbsp Ў ў Ј ¤ Ґ ¦ § Ё © Є « ¬ shy ® Ї
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407,
    // 0xB0: ° ± І і ґ µ ¶ · ё № є » ј Ѕ ѕ ї
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457,
    // 0xC0: А to Я
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    // 0xE0: а to я
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

const char16_t* UpperHalf(uint32_t CodePage) {
    return CodePage == OemCodePage ? Cp866 : Cp1251;
}

// The UTF-8 sequence at Bytes[I]: its character and length, or length 0
// when none starts there (overlong forms and surrogates included).
char32_t Utf8At(const std::string& Bytes, size_t I, size_t& Length) {
    unsigned char Lead = static_cast<unsigned char>(Bytes[I]);
    Length = Lead < 0x80 ? 1 : Lead >> 5 == 6 ? 2 : Lead >> 4 == 14 ? 3 : Lead >> 3 == 30 ? 4 : 0;
    if (Length == 0 || I + Length > Bytes.size()) {
        Length = 0;
        return 0;
    }
    char32_t Char = Length == 1 ? Lead : Lead & (0x7F >> Length);
    for (size_t K = 1; K < Length; ++K) {
        unsigned char Next = static_cast<unsigned char>(Bytes[I + K]);
        if ((Next & 0xC0) != 0x80) {
            Length = 0;
            return 0;
        }
        Char = Char << 6 | (Next & 0x3F);
    }
    static const char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (Char < Least[Length] || Char > 0x10FFFF || (Char >= 0xD800 && Char <= 0xDFFF))
        Length = 0;
    return Char;
}

void AddUtf8(char32_t C, std::string& To) {
    if (C < 0x80) {
        To += static_cast<char>(C);
    } else if (C < 0x800) {
        To += static_cast<char>(0xC0 | C >> 6);
        To += static_cast<char>(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        To += static_cast<char>(0xE0 | C >> 12);
        To += static_cast<char>(0x80 | (C >> 6 & 0x3F));
        To += static_cast<char>(0x80 | (C & 0x3F));
    } else {
        To += static_cast<char>(0xF0 | C >> 18);
        To += static_cast<char>(0x80 | (C >> 12 & 0x3F));
        To += static_cast<char>(0x80 | (C >> 6 & 0x3F));
        To += static_cast<char>(0x80 | (C & 0x3F));
    }
}

bool IsLowerWide(char16_t C) {
    return (C >= u'a' && C <= u'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7) ||
           (C >= 0x0430 && C <= 0x045F) || C == 0x0491 || C == 0xB5 || C == 0xDF || C == 0xFF;
}

bool IsUpperWide(char16_t C) {
    return (C >= u'A' && C <= u'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7) ||
           (C >= 0x0400 && C <= 0x042F) || C == 0x0490;
}

} // namespace

uint32_t KnownCodePage(uint32_t CodePage) {
    switch (CodePage) {
    case CpAcp:
    case CpThreadAcp:
    case AnsiCodePage:
        return AnsiCodePage;
    case CpOemcp:
    case OemCodePage:
        return OemCodePage;
    case CpUtf8:
        return CpUtf8;
    default:
        return 0;
    }
}

char16_t CharOfByte(uint32_t CodePage, unsigned char Byte) {
    return Byte < 0x80 ? Byte : UpperHalf(CodePage)[Byte - 0x80];
}

int ByteOfChar(uint32_t CodePage, char32_t Char) {
    if (Char < 0x80)
        return static_cast<int>(Char);
    const char16_t* Half = UpperHalf(CodePage);
    for (int I = 0; I < 128; ++I)
        if (Half[I] == Char)
            return 0x80 + I;
    return -1;
}

std::u16string ToWide(uint32_t CodePage, const std::string& Bytes, bool& Invalid) {
    Invalid = false;
    std::u16string Text;
    if (CodePage != CpUtf8) {
        for (unsigned char Byte : Bytes)
            Text += CharOfByte(CodePage, Byte);
        return Text;
    }
    for (size_t I = 0; I < Bytes.size();) {
        size_t Length;
        char32_t Char = Utf8At(Bytes, I, Length);
        if (Length == 0) {
            Invalid = true;
            Text += u'\uFFFD';
            ++I;
            continue;
        }
        if (Char >= 0x10000) {
            Text += static_cast<char16_t>(0xD800 + ((Char - 0x10000) >> 10));
            Text += static_cast<char16_t>(0xDC00 + ((Char - 0x10000) & 0x3FF));
        } else {
            Text += static_cast<char16_t>(Char);
        }
        I += Length;
    }
    return Text;
}

std::string FromWide(uint32_t CodePage, const std::u16string& Text, char Default,
                     bool& UsedDefault) {
    UsedDefault = false;
    std::string Bytes;
    for (size_t I = 0; I < Text.size(); ++I) {
        char32_t Char = Text[I];
        bool High = Char >= 0xD800 && Char <= 0xDBFF;
        if (High && I + 1 < Text.size() && Text[I + 1] >= 0xDC00 && Text[I + 1] <= 0xDFFF) {
            Char = 0x10000 + ((Char - 0xD800) << 10) + (Text[++I] - 0xDC00);
        } else if (Char >= 0xD800 && Char <= 0xDFFF) {
            Char = CodePage == CpUtf8 ? 0xFFFD : 0x110000; // no character
        }
        if (CodePage == CpUtf8) {
            AddUtf8(Char, Bytes);
            continue;
        }
        int Byte = ByteOfChar(CodePage, Char);
        if (Byte < 0) {
            UsedDefault = true;
            Byte = static_cast<unsigned char>(Default);
        }
        Bytes += static_cast<char>(Byte);
    }
    return Bytes;
}

char16_t UpperWide(char16_t C) {
    if (!IsLowerWide(C) || C == 0xB5 || C == 0xDF)
        return C; // µ and ß have no upper case of one character
    if (C == 0xFF)
        return 0x0178;
    if (C < 0x100)
        return static_cast<char16_t>(C - 0x20);
    if (C >= 0x0450 && C <= 0x045F)
        return static_cast<char16_t>(C - 0x50);
    return static_cast<char16_t>(C == 0x0491 ? 0x0490 : C - 0x20);
}

char16_t LowerWide(char16_t C) {
    if (!IsUpperWide(C))
        return C;
    if (C < 0x100)
        return static_cast<char16_t>(C + 0x20);
    if (C >= 0x0400 && C <= 0x040F)
        return static_cast<char16_t>(C + 0x50);
    return static_cast<char16_t>(C == 0x0490 ? 0x0491 : C + 0x20);
}

unsigned char UpperAnsi(unsigned char Byte) {
    int Upper = ByteOfChar(AnsiCodePage, UpperWide(CharOfByte(AnsiCodePage, Byte)));
    return Upper < 0 ? Byte : static_cast<unsigned char>(Upper);
}

unsigned char LowerAnsi(unsigned char Byte) {
    int Lower = ByteOfChar(AnsiCodePage, LowerWide(CharOfByte(AnsiCodePage, Byte)));
    return Lower < 0 ? Byte : static_cast<unsigned char>(Lower);
}

bool IsAnsiUpper(unsigned char Byte) {
    return IsUpperWide(CharOfByte(AnsiCodePage, Byte));
}

bool IsAnsiLower(unsigned char Byte) {
    return IsLowerWide(CharOfByte(AnsiCodePage, Byte));
}

bool IsAnsiAlpha(unsigned char Byte) {
    return IsAnsiUpper(Byte) || IsAnsiLower(Byte);
}
