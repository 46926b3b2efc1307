#include "host/bounded_text.hpp"

#include <string.h>

void CopyBoundedText(char* Target, size_t TargetSize, const char* Source) {
    size_t Count = Source == nullptr ? 0 : strnlen(Source, TargetSize - 1);
    memcpy(Target, Source == nullptr ? "" : Source, Count);
    Target[Count] = '\0';
}
