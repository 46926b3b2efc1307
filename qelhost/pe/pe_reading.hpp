// Reading what a DLL holds without trusting it: ranges checked in 64 bits so
// that nothing wraps, records copied out before use, names bounded.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>

// The longest name (of a DLL, an import or an export) the loader reads.
constexpr size_t NameLimit = 1024;

// Whether Length bytes from Offset lie within Size bytes.
inline bool Fits(uint64_t Offset, uint64_t Length, uint64_t Size) {
    return Offset <= Size && Length <= Size - Offset;
}

// Copies the record at Offset of Bytes (Size long) into Out, if it is there.
template <typename Record>
bool CopyRecord(const unsigned char* Bytes, size_t Size, uint64_t Offset, Record& Out) {
    if (!Fits(Offset, sizeof(Record), Size))
        return false;
    memcpy(&Out, Bytes + Offset, sizeof(Record));
    return true;
}

inline std::string Hex(uint64_t Value) {
    char Text[24];
    snprintf(Text, sizeof Text, "0x%llX", static_cast<unsigned long long>(Value));
    return Text;
}

// A name from the DLL as a message shows it: at most 64 characters, and
// other bytes than printable ASCII as '?'.
inline std::string ShownName(const std::string& Name) {
    constexpr size_t Shown = 64;
    std::string Text = Name.substr(0, Shown);
    for (char& C : Text)
        if (C < 0x20 || C > 0x7E)
            C = '?';
    return Name.size() > Shown ? Text + "..." : Text;
}
