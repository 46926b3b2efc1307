// The plugin's language files (.lng), read as the host reads them.
#pragma once

#include <string>
#include <vector>

struct LanguageFile {
    std::string Path;
    std::string Language;              // from ".Language=English,English"
    std::vector<std::string> Messages; // OEM texts, numbered from 0
};

// Reads one file. Returns an empty string, or why it is not a language file.
std::string ReadLanguageFile(const std::string& Path, LanguageFile& File);

// Finds, among the .lng files in Folder, the one for Language (compared
// without case). Returns an empty string, or why none was found.
std::string FindLanguageFile(const std::string& Folder, const std::string& Language,
                             LanguageFile& File);
