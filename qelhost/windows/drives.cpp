// qelhost.exe's drives are Windows' own: a path is handed on as written
// ("/" read as "\"), and --drive is refused, since mapping letters is the
// Linux qelhost's way of giving it drives at all.
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/platform.hpp"

#include <windows.h>

std::string MapDrive(const std::string&) {
    return "--drive is for the Linux qelhost; qelhost.exe uses Windows' own drives";
}

HostPath HostPathFor(const std::string& Path) {
    if (Path.empty())
        return {ErrorPathNotFound, ""};
    std::string Written = Path;
    for (char& C : Written)
        if (C == '/')
            C = '\\';
    return {0, Written};
}

std::string WindowsPathFor(const std::string& Host) {
    return HostPathFor(Host).Path;
}

void MakeReachable(const std::string&) {}

std::string WindowsPathOfFile(const std::string& File) {
    char Full[MaxPath];
    DWORD Length = GetFullPathNameA(HostPathFor(File).Path.c_str(), sizeof Full, Full, nullptr);
    return Length == 0 || Length >= sizeof Full ? File : std::string(Full, Length);
}

std::string CurrentFolder() {
    char Folder[MaxPath];
    DWORD Length = GetCurrentDirectoryA(sizeof Folder, Folder);
    return Length == 0 || Length >= sizeof Folder ? "" : std::string(Folder, Length);
}

uint32_t SetCurrentFolder(const std::string& Path) {
    return SetCurrentDirectoryA(HostPathFor(Path).Path.c_str()) ? 0 : GetLastError();
}
