#include "host/file_name_part.hpp"

#include <string.h>

static bool IsPathSeparator(char C) {
    return C == '\\' || C == '/';
}

size_t NamePartStart(const char* Path, size_t Length) {
    size_t Start = Length;
    while (Start > 0 && !IsPathSeparator(Path[Start - 1]))
        --Start;
    return Start;
}

void FileNamePart(const char* Path, char (&NamePart)[PathBufferSize]) {
    size_t Length = strlen(Path);
    size_t Start = NamePartStart(Path, Length);
    size_t Count = Length - Start;
    if (Count > MaxPathChars)
        Count = MaxPathChars;
    memcpy(NamePart, Path + Start, Count);
    NamePart[Count] = '\0';
}
