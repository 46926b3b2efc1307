#include "host/bounded_text.hpp"

#include <string.h>

void CopyBoundedText(char* Target, size_t TargetSize, const char* Source) {
    if (Source == nullptr)
        CopyBoundedText(Target, TargetSize, "", 0);
    else
        CopyBoundedText(Target, TargetSize, Source, strnlen(Source, TargetSize - 1));
}

void CopyBoundedText(char* Target, size_t TargetSize, const char* Source, size_t SourceLength) {
    size_t Count = SourceLength < TargetSize - 1 ? SourceLength : TargetSize - 1;
    memcpy(Target, Source, Count);
    Target[Count] = '\0';
}
