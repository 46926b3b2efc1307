// The plugin's language files (.lng), read as the host reads them: a first
// line ".Language=English,English", then one quoted message a line, in code
// page 866; lines that do not start with a quote are comments.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

constexpr size_t MaxLanguageFileBytes = 4 * 1024 * 1024;

struct LanguageFile {
    std::string Path;
    std::string Language;              // from ".Language=English,English"
    std::vector<std::string> Messages; // code page 866, numbered from 0
};

// Reads the file at Path, which must be a regular file (it is not opened
// otherwise) of at most MaxLanguageFileBytes. With OnlyLanguage, a file of
// another language is read no further than its first line. Returns "" or
// why it is no usable language file, naming it without its folder:
// "x.lng is empty", "x.lng line 4: the message has no closing quote", …
std::string ReadLanguageFile(const std::string& Path, LanguageFile& File,
                             const std::string& OnlyLanguage = "");

// Finds, among the .lng files in Folder, the one for Language (compared
// without case). Returns "" or why none was found ("no usable English
// language file (.lng) beside the plugin: x.lng is empty"), naming each
// file looked at that could not be used and why.
std::string FindLanguageFile(const std::string& Folder, const std::string& Language,
                             LanguageFile& File);
