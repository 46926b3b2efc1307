// Copying texts into fixed buffers without ever writing past them.
#pragma once

#include <stddef.h>
#include <string.h>

// Copies at most TargetSize - 1 characters of Source and a terminator into
// Target; a null Source gives the empty text. Reads Source no further than
// the characters it copies, so Source need not be terminated within them.
void CopyBoundedText(char* Target, size_t TargetSize, const char* Source);

// The same for a Source of SourceLength characters before its terminator,
// for a caller that has already scanned it. Inline, so that the copy's bound
// is known where the buffer is.
inline void CopyBoundedText(char* Target, size_t TargetSize, const char* Source,
                            size_t SourceLength) {
    size_t Count = SourceLength < TargetSize - 1 ? SourceLength : TargetSize - 1;
    memcpy(Target, Source, Count);
    Target[Count] = '\0';
}
