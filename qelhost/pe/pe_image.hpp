// The DLL's image as laid out in memory (headers and sections at their
// RVAs), and reading from it with every range checked: the image holds what
// the DLL put there, none of it trusted. Where the bytes lie is the
// caller's: memory it mapped to run the image, or a buffer to check it.
#pragma once

#include "qelhost/pe/pe_headers.hpp"
#include "qelhost/pe/pe_reading.hpp"

#include <stdint.h>

#include <string>

struct Image {
    unsigned char* Base = nullptr; // Size bytes, zeroed before LayOutImage
    uint32_t Size = 0;
    uint32_t Address = 0; // the 32-bit address the image is loaded at

    bool Contains(uint64_t Rva, uint64_t Length = 1) const {
        return Fits(Rva, Length, Size);
    }
    template <typename Record> bool Read(uint64_t Rva, Record& Out) const {
        return CopyRecord(Base, Size, Rva, Out);
    }
    // The RVA of a virtual address of the loaded image; one outside the
    // image gives an RVA that Contains refuses.
    uint32_t RvaOf(uint32_t Virtual) const {
        return Virtual - Address;
    }
    // Copies the zero-terminated name at Rva (at most NameLimit bytes) into
    // Name; else says what is wrong with it ("outside the image", ...).
    std::string ReadName(uint64_t Rva, std::string& Name) const;
};

// Copies the headers and sections of the file's Size bytes where H puts them
// (ReadHeaders checked that they fit).
void LayOutImage(const unsigned char* File, size_t Size, const Headers& H, const Image& I);

// Checks every base relocation, and applies them when the image is not at
// its preferred base.
std::string Relocate(const Image& I, const Headers& H);
