// The DLL's image as mapped in memory, and reading from it with every range
// checked: the image holds what the DLL put there, none of it trusted.
#pragma once

#include "qelhost/linux_pe_loader/pe_headers.hpp"
#include "qelhost/linux_pe_loader/pe_reading.hpp"

#include <stdint.h>

#include <string>

struct DllFile;

struct Image {
    unsigned char* Base = nullptr;
    uint32_t Size = 0;

    bool Contains(uint64_t Rva, uint64_t Length = 1) const {
        return Fits(Rva, Length, Size);
    }
    template <typename Record> bool Read(uint64_t Rva, Record& Out) const {
        return CopyRecord(Base, Size, Rva, Out);
    }
    // The RVA of a virtual address of the mapped image; one outside the image
    // gives an RVA that Contains refuses.
    uint32_t RvaOf(uint32_t Address) const {
        return Address - static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Base));
    }
    // Copies the zero-terminated name at Rva (at most NameLimit bytes) into
    // Name; else says what is wrong with it ("outside the image", ...).
    std::string ReadName(uint64_t Rva, std::string& Name) const;
};

// Maps the headers and sections of File, as H describes them.
std::string MapImage(const DllFile& File, const Headers& H, Image& I);

// Applies the base relocations when the image is not at its preferred base.
std::string Relocate(const Image& I, const Headers& H);
