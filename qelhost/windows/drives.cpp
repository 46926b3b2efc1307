// qelhost.exe's drives are Windows' own: a path is handed on as Windows
// makes it full, and --drive is refused, since mapping letters is the
// Linux qelhost's way of giving it drives at all.
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/platform.hpp"

#include <windows.h>

std::string MapDrive(const std::string&) {
    return "--drive is for the Linux qelhost; qelhost.exe uses Windows' own drives";
}

// Full and in Windows' own form, as the Linux qelhost hands paths on: a
// relative path, "." and ".." resolved against the current folder, so the
// plugin is never shown "work" or "J:\work\.." as a panel's folder.
HostPath HostPathFor(const std::string& Path) {
    if (Path.empty())
        return {ErrorPathNotFound, ""};
    char Full[MaxPath];
    DWORD Length = GetFullPathNameA(Path.c_str(), sizeof Full, Full, nullptr);
    if (Length == 0)
        return {GetLastError(), ""};
    if (Length >= sizeof Full)
        return {ErrorFilenameExcedRange, ""};
    std::string Result(Full, Length);
    if (Result.size() > 3 && Result.back() == '\\') // a drive's root keeps its "\"
        Result.pop_back();
    return {0, Result};
}

std::string WindowsPathFor(const std::string& Host) {
    return HostPathFor(Host).Path;
}

void MakeReachable(const std::string&) {}

std::string WindowsPathOfFile(const std::string& File) {
    HostPath Found = HostPathFor(File);
    return Found.Error != 0 ? File : Found.Path;
}

std::string CurrentFolder() {
    char Folder[MaxPath];
    DWORD Length = GetCurrentDirectoryA(sizeof Folder, Folder);
    return Length == 0 || Length >= sizeof Folder ? "" : std::string(Folder, Length);
}

uint32_t SetCurrentFolder(const std::string& Path) {
    return SetCurrentDirectoryA(HostPathFor(Path).Path.c_str()) ? 0 : GetLastError();
}
