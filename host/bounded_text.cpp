#include "host/bounded_text.hpp"

#include <string.h>

void CopyBoundedText(char* Target, size_t TargetSize, const char* Source) {
    if (Source == nullptr)
        CopyBoundedText(Target, TargetSize, "", 0);
    else
        CopyBoundedText(Target, TargetSize, Source, strnlen(Source, TargetSize - 1));
}
