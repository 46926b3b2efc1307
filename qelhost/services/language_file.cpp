#include "qelhost/services/language_file.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_format.hpp"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

const std::string Header = ".Language=";

// Whether the line's last character is a quote that closes it: not its
// opening one, nor one a backslash escapes.
bool ClosesQuote(const std::string& Line) {
    if (Line.size() < 2 || Line.back() != '"')
        return false;
    size_t Backslashes = 0;
    while (Backslashes + 2 < Line.size() && Line[Line.size() - 2 - Backslashes] == '\\')
        ++Backslashes;
    return Backslashes % 2 == 0;
}

// The text between the quotes: \\ \" \n \t stand for themselves, any other
// backslash is kept as it is.
std::string MessageText(const std::string& Line) {
    size_t End = Line.size() - 1;
    std::string Text;
    for (size_t I = 1; I < End; ++I) {
        char Next = I + 1 < End ? Line[I + 1] : '\0';
        if (Line[I] != '\\' || (Next != '\\' && Next != '"' && Next != 'n' && Next != 't')) {
            Text += Line[I];
            continue;
        }
        Text += Next == 'n' ? '\n' : Next == 't' ? '\t' : Next;
        ++I;
    }
    return Text;
}

// Text that is UTF-8 rather than code page 866: its bytes above 0x7F all
// form UTF-8 sequences of letters and signs that a language file would hold
// (Latin, Greek, Cyrillic, punctuation, symbols), which code page 866 text
// almost never does.
bool ReadsAsUtf8(const std::string& Text) {
    if (std::all_of(Text.begin(), Text.end(), [](char C) { return (C & 0x80) == 0; }))
        return false;
    for (char32_t Char : FromUtf8(Text))
        if (Char >= 0x80 && !(Char >= 0xA0 && Char < 0x530) && !(Char >= 0x2000 && Char < 0x2C00))
            return false;
    return true;
}

// The whole file, read only when it is a regular file within the bound.
// Reasons name the file as Name.
std::string ReadWhole(const std::string& Path, const std::string& Name, std::string& Bytes) {
    struct stat Status;
    std::string Why;
    int Descriptor = OpenRegularFile(Path, Status, Why);
    if (Descriptor < 0)
        return Why.empty() ? Name + " is not a regular file" : Name + ": " + Why;
    if (static_cast<unsigned long long>(Status.st_size) > MaxLanguageFileBytes)
        Why = Name + " is larger than " + std::to_string(MaxLanguageFileBytes) + " bytes";
    Bytes.resize(Why.empty() ? static_cast<size_t>(Status.st_size) : 0);
    ssize_t Got = ReadUpTo(Descriptor, Bytes.data(), Bytes.size());
    if (Got < 0)
        Why = Name + ": " + strerror(errno);
    close(Descriptor);
    if (!Why.empty())
        return Why;
    Bytes.resize(static_cast<size_t>(Got));
    return Bytes.empty() ? Name + " is empty" : "";
}

std::string ReadMessages(const std::string& Bytes, size_t Start, LanguageFile& File) {
    int Number = 1;
    for (size_t End; Start < Bytes.size(); Start = End + 1) {
        End = std::min(Bytes.find('\n', Start), Bytes.size());
        std::string Line = Trimmed(Bytes.substr(Start, End - Start));
        std::string Where = FileNameOf(File.Path) + " line " + std::to_string(++Number) + ": ";
        if (ReadsAsUtf8(Line))
            return Where + "the text is UTF-8, not code page 866: " + Escaped(Line);
        if (Line.empty() || Line[0] != '"')
            continue;
        if (!ClosesQuote(Line))
            return Where + "the message has no closing quote";
        File.Messages.push_back(MessageText(Line));
    }
    return "";
}

} // namespace

std::string ReadLanguageFile(const std::string& Path, LanguageFile& File,
                             const std::string& OnlyLanguage) {
    std::string Name = FileNameOf(Path), Bytes;
    std::string Error = ReadWhole(Path, Name, Bytes);
    if (!Error.empty())
        return Error;
    if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return Name + " starts with a UTF-8 byte-order mark: it is UTF-8, not code page 866";
    size_t End = std::min(Bytes.find('\n'), Bytes.size());
    std::string First = Trimmed(Bytes.substr(0, End));
    if (First.compare(0, Header.size(), Header) != 0)
        return Name + " is not a language file: its first line is not " + Header + "...";
    File = LanguageFile{Path, First.substr(Header.size(), First.find(',') - Header.size()), {}};
    if (!OnlyLanguage.empty() && strcasecmp(File.Language.c_str(), OnlyLanguage.c_str()) != 0)
        return "";
    return ReadMessages(Bytes, End + 1, File);
}

std::string FindLanguageFile(const std::string& Folder, const std::string& Language,
                             LanguageFile& File) {
    std::vector<std::string> Candidates;
    if (DIR* Directory = opendir(Folder.c_str())) {
        while (dirent* Entry = readdir(Directory)) {
            std::string Name = Entry->d_name;
            if (Name.size() > 4 && strcasecmp(Name.c_str() + Name.size() - 4, ".lng") == 0)
                Candidates.push_back(Folder + "/" + Name);
        }
        closedir(Directory);
    }
    std::sort(Candidates.begin(), Candidates.end()); // the same choice on every run
    std::vector<std::string> Unusable;
    for (const std::string& Path : Candidates) {
        std::string Error = ReadLanguageFile(Path, File, Language);
        bool Matches = strcasecmp(File.Language.c_str(), Language.c_str()) == 0;
        if (Error.empty() && Matches)
            return "";
        if (!Error.empty())
            Unusable.push_back(Error);
        File = LanguageFile{};
        if (!Error.empty() && Matches)
            break; // the file of this language, and it is broken
    }
    std::string Why = "no usable " + Language + " language file (.lng) beside the plugin";
    return Unusable.empty() ? Why : Why + ": " + Joined(Unusable, "; ");
}
