#include "qelhost/services/language_file.hpp"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <fstream>

namespace {

std::string Trimmed(const std::string& Line) {
    size_t First = Line.find_first_not_of(" \t\r\n");
    size_t Last = Line.find_last_not_of(" \t\r\n");
    return First == std::string::npos ? "" : Line.substr(First, Last - First + 1);
}

// The text between the quotes: \\ \" \n \t stand for themselves, any other
// backslash is kept as it is.
std::string MessageText(const std::string& Line) {
    size_t End = Line.size() > 1 && Line.back() == '"' ? Line.size() - 1 : Line.size();
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

} // namespace

std::string ReadLanguageFile(const std::string& Path, LanguageFile& File) {
    std::ifstream Stream(Path, std::ios::binary);
    if (!Stream)
        return "cannot open " + Path;
    std::string Line;
    std::getline(Stream, Line);
    Line = Trimmed(Line);
    const std::string Header = ".Language=";
    if (Line.compare(0, Header.size(), Header) != 0)
        return Path + " is not a language file: its first line is not " + Header + "...";
    File.Path = Path;
    File.Language = Line.substr(Header.size(), Line.find(',') - Header.size());
    File.Messages.clear();
    while (std::getline(Stream, Line)) {
        Line = Trimmed(Line);
        if (!Line.empty() && Line[0] == '"')
            File.Messages.push_back(MessageText(Line));
    }
    return "";
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
    for (const std::string& Path : Candidates)
        if (ReadLanguageFile(Path, File).empty() &&
            strcasecmp(File.Language.c_str(), Language.c_str()) == 0)
            return "";
    return "no " + Language + " language file (.lng) beside the plugin in " + Folder;
}
