#include "qelhost/services/oem_letters.hpp"

// Code page 866 places its Cyrillic capitals at 0x80-0x9F, the small
// letters at 0xA0-0xAF and 0xE0-0xEF, and Ё Є Ї Ў at 0xF0-0xF7, each
// capital just before its small letter.

bool IsOemUpper(unsigned char Byte) {
    return (Byte >= 'A' && Byte <= 'Z') || (Byte >= 0x80 && Byte <= 0x9F) ||
           (Byte >= 0xF0 && Byte <= 0xF7 && Byte % 2 == 0);
}

bool IsOemLower(unsigned char Byte) {
    return (Byte >= 'a' && Byte <= 'z') || (Byte >= 0xA0 && Byte <= 0xAF) ||
           (Byte >= 0xE0 && Byte <= 0xEF) || (Byte >= 0xF0 && Byte <= 0xF7 && Byte % 2 == 1);
}

bool IsOemAlpha(unsigned char Byte) {
    return IsOemUpper(Byte) || IsOemLower(Byte);
}

bool IsOemAlphanumeric(unsigned char Byte) {
    return IsOemAlpha(Byte) || (Byte >= '0' && Byte <= '9');
}

unsigned char OemUpper(unsigned char Byte) {
    if (!IsOemLower(Byte))
        return Byte;
    if (Byte <= 'z')
        return static_cast<unsigned char>(Byte - 'a' + 'A');
    if (Byte <= 0xAF)
        return static_cast<unsigned char>(Byte - 0x20);
    if (Byte <= 0xEF)
        return static_cast<unsigned char>(Byte - 0x50);
    return static_cast<unsigned char>(Byte - 1);
}

unsigned char OemLower(unsigned char Byte) {
    if (!IsOemUpper(Byte))
        return Byte;
    if (Byte <= 'Z')
        return static_cast<unsigned char>(Byte - 'A' + 'a');
    if (Byte <= 0x8F)
        return static_cast<unsigned char>(Byte + 0x20);
    if (Byte <= 0x9F)
        return static_cast<unsigned char>(Byte + 0x50);
    return static_cast<unsigned char>(Byte + 1);
}

int CompareOemWithoutCase(const char* First, const char* Second, int Limit) {
    for (int I = 0; Limit < 0 || I < Limit; ++I) {
        int A = OemUpper(static_cast<unsigned char>(First[I]));
        int B = OemUpper(static_cast<unsigned char>(Second[I]));
        if (A != B || A == 0)
            return A - B;
    }
    return 0;
}
