// A real folder's entries as the host hands them to plugins: find records
// with the name in code page 866, the attributes, the size and the times.
#pragma once

#include "qelhost/services/panel_records.hpp"

#include <string>
#include <vector>

constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;

struct FolderEntry {
    FindRecord Data;
    std::string Here; // the entry's path on this system
};

// The entries of the folder Here (not "." or ".."), in the order of their
// names' bytes; false, with Why the system's reason, when it cannot be read.
bool ListFolder(const std::string& Here, std::vector<FolderEntry>& Entries, std::string& Why);

// The name in a find record, as UTF-8.
std::string EntryName(const FindRecord& Data);
uint64_t EntrySize(const FindRecord& Data);
bool IsFolder(const FindRecord& Data);
