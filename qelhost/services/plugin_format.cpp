#include "qelhost/services/plugin_format.hpp"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

namespace {

enum class Size { Default, Short, Long, LongLong, Wide };

// The size prefix at Format, stepped over.
Size ReadSize(const char*& Format) {
    if (strncmp(Format, "I64", 3) == 0) {
        Format += 3;
        return Size::LongLong;
    }
    if (strncmp(Format, "I32", 3) == 0) {
        Format += 3;
        return Size::Default;
    }
    if (strncmp(Format, "ll", 2) == 0) {
        Format += 2;
        return Size::LongLong;
    }
    switch (*Format) {
    case 'I': // pointer-sized: 4 bytes here
    case 'L': // long double is double in the host's run-time
        ++Format;
        return Size::Default;
    case 'h':
        ++Format;
        return Size::Short;
    case 'l':
        ++Format;
        return Size::Long;
    case 'w':
        ++Format;
        return Size::Wide;
    }
    return Size::Default;
}

template <typename Value>
bool Append(std::string& Text, const std::string& Conversion, Value Given) {
    int Length = snprintf(nullptr, 0, Conversion.c_str(), Given);
    if (Length < 0 || Text.size() + static_cast<size_t>(Length) > MaxFormattedBytes)
        return false;
    std::string Piece(static_cast<size_t>(Length) + 1, '\0');
    snprintf(Piece.data(), Piece.size(), Conversion.c_str(), Given);
    Text.append(Piece.data(), static_cast<size_t>(Length));
    return true;
}

// A '*' width or precision taken from the arguments, written into the
// conversion being built.
void StarFromArguments(std::string& Conversion, va_list& Arguments) {
    int Value = va_arg(Arguments, int);
    Conversion += std::to_string(Value);
}

} // namespace

bool FormatLikeHost(const char* Format, va_list Given, std::string& Text, std::string& Why) {
    va_list Arguments;
    va_copy(Arguments, Given);
    Text.clear();
    bool Fits = true;
    while (*Format != '\0' && Fits) {
        if (*Format != '%') {
            Text += *Format++;
            Fits = Text.size() <= MaxFormattedBytes;
            continue;
        }
        std::string Conversion = "%";
        ++Format;
        while (*Format != '\0' && strchr("-+ #0", *Format))
            Conversion += *Format++;
        if (*Format == '*') {
            ++Format;
            StarFromArguments(Conversion, Arguments);
        }
        while (*Format >= '0' && *Format <= '9')
            Conversion += *Format++;
        if (*Format == '.') {
            Conversion += *Format++;
            if (*Format == '*') {
                ++Format;
                StarFromArguments(Conversion, Arguments);
            }
            while (*Format >= '0' && *Format <= '9')
                Conversion += *Format++;
        }
        Size Width = ReadSize(Format);
        char Type = *Format;
        if (Type == '\0')
            break;
        ++Format;
        switch (Type) {
        case 'd':
        case 'i':
        case 'o':
        case 'u':
        case 'x':
        case 'X':
            if (Width == Size::LongLong)
                Fits = Append(Text, Conversion + "ll" + Type, va_arg(Arguments, long long));
            else if (Width == Size::Short)
                Fits = Append(Text, Conversion + "h" + Type, va_arg(Arguments, int));
            else
                Fits = Append(Text, Conversion + Type, va_arg(Arguments, int));
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            Fits = Append(Text, Conversion + Type, va_arg(Arguments, double));
            break;
        case 'c':
            if (Width == Size::Long || Width == Size::Wide) {
                Why = "a wide character (%lc)";
                return false;
            }
            Fits = Append(Text, Conversion + 'c', va_arg(Arguments, int));
            break;
        case 's': {
            if (Width == Size::Long || Width == Size::Wide) {
                Why = "a wide text (%ls)";
                return false;
            }
            const char* Value = va_arg(Arguments, const char*);
            Fits = Append(Text, Conversion + 's', Value == nullptr ? "(null)" : Value);
            break;
        }
        case 'p':
            Fits = Append(
                Text, Conversion == "%" ? "%08X" : Conversion + "X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(va_arg(Arguments, void*))));
            break;
        case 'n':
            *va_arg(Arguments, int*) = static_cast<int>(Text.size());
            break;
        case 'S':
        case 'C':
            Why = std::string("a wide ") + (Type == 'S' ? "text (%S)" : "character (%C)");
            return false;
        default: // "%%", and what the host's run-time prints as itself
            Text += Type;
        }
    }
    va_end(Arguments);
    if (!Fits)
        Why = "a text longer than " + std::to_string(MaxFormattedBytes) + " bytes";
    return Fits;
}

std::string ScanFormat(const char* Format) {
    std::string Result;
    for (const char* At = Format; *At != '\0';) {
        if (*At != '%') {
            Result += *At++;
            continue;
        }
        Result += *At++;
        if (*At == '%') {
            Result += *At++;
            continue;
        }
        while (*At == '*' || (*At >= '0' && *At <= '9'))
            Result += *At++;
        if (strncmp(At, "I64", 3) == 0) {
            Result += "ll";
            At += 3;
        } else if (strncmp(At, "I32", 3) == 0) {
            At += 3;
        } else if (*At == 'I') {
            ++At;
        } else if (*At == 'L') { // long double is double in the host's run-time
            Result += 'l';
            ++At;
        }
    }
    return Result;
}
