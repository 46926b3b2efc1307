// The headers of a PE32 i386 DLL, read from its file and checked: what the
// loader relies on later (sizes, sections, table ranges) is sound once
// ReadHeaders has accepted them.
#pragma once

#include "qelhost/pe/pe_format.hpp"

#include <stddef.h>

#include <string>
#include <vector>

// The largest image qelhost maps.
constexpr uint32_t ImageSizeLimit = 256u << 20;

struct Headers {
    pe::FileHeader File{};
    pe::OptionalHeader Optional{};
    pe::DataDirectory Directories[pe::DirectorySlots] = {};
    std::vector<pe::SectionHeader> Sections;

    const pe::DataDirectory& Table(pe::Directory Which) const {
        return Directories[Which];
    }
};

// Fills H from the file's Size bytes, or says what is wrong with them.
std::string ReadHeaders(const unsigned char* Bytes, size_t Size, Headers& H);
