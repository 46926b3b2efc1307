#include "host/file_name_part.hpp"

#include <string.h>

static bool IsPathSeparator(char C) {
    return C == '\\' || C == '/';
}

void FileNamePart(const char* Path, size_t Length, char (&NamePart)[PathBufferSize]) {
    size_t Start = Length;
    while (Start > 0 && !IsPathSeparator(Path[Start - 1]))
        --Start;
    size_t Count = Length - Start;
    if (Count > MaxPathChars)
        Count = MaxPathChars;
    memcpy(NamePart, Path + Start, Count);
    NamePart[Count] = '\0';
}
