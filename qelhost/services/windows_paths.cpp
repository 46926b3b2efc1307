#include "qelhost/services/windows_paths.hpp"

#include <unistd.h>

#include <vector>

namespace {

bool IsSeparator(char C) {
    return C == '/' || C == '\\';
}

std::string CurrentFolder() {
    std::vector<char> Buffer(4096);
    if (getcwd(Buffer.data(), Buffer.size()) == nullptr)
        return "/";
    std::string Folder = Buffer.data();
    for (char& C : Folder)
        if (C == '\\')
            C = '/';
    return Folder;
}

// The steps of Path, "." dropped and ".." taking back the one before it
// (never past the root).
std::vector<std::string> Steps(const std::string& Path) {
    std::vector<std::string> Result;
    std::string Step;
    for (size_t I = 0; I <= Path.size(); ++I) {
        if (I < Path.size() && !IsSeparator(Path[I])) {
            Step += Path[I];
            continue;
        }
        if (Step == "..") {
            if (!Result.empty())
                Result.pop_back();
        } else if (!Step.empty() && Step != ".") {
            Result.push_back(Step);
        }
        Step.clear();
    }
    return Result;
}

std::string FromSteps(const std::string& Root, const std::vector<std::string>& Parts) {
    std::string Path = Root;
    for (const std::string& Part : Parts)
        Path += (Path.empty() || Path.back() != '/' ? "/" : "") + Part;
    return Path.empty() ? "/" : Path;
}

} // namespace

std::string PathHere(const std::string& Given) {
    bool Drive = Given.size() >= 2 && Given[1] == ':';
    if (Drive && (Given[0] == 'C' || Given[0] == 'c'))
        return FromSteps(CurrentFolder(), Steps(Given.substr(2)));
    if (Drive && (Given[0] == 'Z' || Given[0] == 'z'))
        return FromSteps("", Steps(Given.substr(2)));
    if (!Given.empty() && Given[0] == '/')
        return FromSteps("", Steps(Given));
    return FromSteps("", Steps(CurrentFolder() + "/" + Given));
}

std::string ShownPath(const std::string& Here) {
    std::string Current = CurrentFolder();
    std::string Path = Here;
    std::string Drive = "Z:";
    if (Here == Current) {
        Path.clear();
        Drive = "C:";
    } else if (Here.compare(0, Current.size(), Current) == 0 && Here[Current.size()] == '/') {
        Path = Here.substr(Current.size());
        Drive = "C:";
    }
    for (char& C : Path)
        if (C == '/')
            C = '\\';
    return Drive + (Path.empty() ? "\\" : Path);
}

std::string JoinedPath(const std::string& Here, const std::string& Name) {
    return Here.empty() || Here.back() == '/' ? Here + Name : Here + "/" + Name;
}
