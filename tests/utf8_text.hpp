// A check of UTF-8 written apart from the plugin's own cutting, for the
// tests and the fuzz targets that hold the plugin's texts to it.
#pragma once

#include <string>

// Whether Text is whole UTF-8 characters of 1 to 4 bytes, each a lead byte
// and its continuation bytes.
inline bool IsUtf8(const std::string& Text) {
    for (size_t At = 0; At < Text.size();) {
        unsigned char Lead = Text[At];
        size_t Length = Lead < 0x80           ? 1
                        : (Lead >> 5) == 0x6  ? 2
                        : (Lead >> 4) == 0xE  ? 3
                        : (Lead >> 3) == 0x1E ? 4
                                              : 0;
        if (Length == 0 || At + Length > Text.size())
            return false;
        for (size_t Next = At + 1; Next < At + Length; ++Next)
            if ((Text[Next] & 0xC0) != 0x80)
                return false;
        At += Length;
    }
    return true;
}
