// Copying texts into fixed buffers without ever writing past them. A text
// cut to fit ends on a whole character on a host that reads UTF-8 (far2l);
// on the Windows host, whose code page has one byte per character, a cut
// may fall anywhere and the copies below compile to plain byte copies.
#pragma once

#include "host/host_interface.hpp"

#include <stddef.h>
#include <string.h>

// The length of the UTF-8 sequence that Lead begins; 1 for a byte that
// begins none.
inline size_t SequenceLength(unsigned char Lead) {
    if (Lead >= 0xC0 && Lead < 0xE0)
        return 2;
    if (Lead >= 0xE0 && Lead < 0xF0)
        return 3;
    if (Lead >= 0xF0 && Lead < 0xF8)
        return 4;
    return 1;
}

// How many bytes of Text's first Length a UTF-8 reader can take whole: all
// of them, unless they end inside a character, whose started bytes are then
// left out. Reads only those Length bytes; bytes that are not UTF-8 are kept.
inline size_t WholeCharactersLength(const char* Text, size_t Length) {
    auto Byte = [Text](size_t At) { return static_cast<unsigned char>(Text[At]); };
    // The last character starts at most 3 continuation bytes (10xxxxxx) back.
    size_t Start = Length;
    while (Start > 0 && Length - Start < 3 && (Byte(Start - 1) & 0xC0) == 0x80)
        --Start;
    if (Start == 0)
        return Length;
    size_t Lead = Start - 1;
    return Length - Lead < SequenceLength(Byte(Lead)) ? Lead : Length;
}

// Copies at most TargetSize - 1 bytes of Source and a terminator into
// Target; a null Source gives the empty text. Reads Source no further than
// the bytes it copies, so Source need not be terminated within them.
void CopyBoundedText(char* Target, size_t TargetSize, const char* Source);

// The same for a Source of SourceLength bytes before its terminator, for a
// caller that has already scanned it. Inline, so that the copy's bound is
// known where the buffer is.
inline void CopyBoundedText(char* Target, size_t TargetSize, const char* Source,
                            size_t SourceLength) {
    size_t Count = SourceLength < TargetSize - 1 ? SourceLength : TargetSize - 1;
    if constexpr (TextIsUtf8)
        if (Count == TargetSize - 1)
            Count = WholeCharactersLength(Source, Count);
    memcpy(Target, Source, Count);
    Target[Count] = '\0';
}

// Makes the text in Buffer end within its BufferSize bytes: the last byte
// becomes a terminator, and a character that this cut short goes too.
inline void TerminateWithin(char* Buffer, size_t BufferSize) {
    Buffer[BufferSize - 1] = '\0';
    if constexpr (TextIsUtf8) {
        size_t Length = strnlen(Buffer, BufferSize - 1);
        if (Length == BufferSize - 1)
            Buffer[WholeCharactersLength(Buffer, Length)] = '\0';
    }
}
