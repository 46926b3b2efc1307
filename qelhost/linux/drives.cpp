// The Linux qelhost's drives: each letter a folder of this machine, found
// through realpath when mapped, so that every path handed on is checked
// against the folder as it really is. A path is followed name by name:
// a link is followed only when where it leads stays inside the drive's
// folder, names are matched without regard to ASCII case when no exact
// one exists (as Windows' file systems match them), and what does not
// exist yet is added as written.
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/platform.hpp"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

DriveMap Drives;
bool DriveGiven[DriveCount];
bool DefaultsMade = false;
WindowsPath Current{0, 'C', {}};

// The folder as it really is (links resolved), or "".
std::string RealFolder(const std::string& Path) {
    char* Real = realpath(Path.c_str(), nullptr);
    if (Real == nullptr)
        return "";
    std::string Result = Real;
    free(Real);
    struct stat Info;
    return stat(Result.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode) ? Result : "";
}

// C: is the current folder unless --drive mapped it.
const DriveMap& SessionDrives() {
    if (!DefaultsMade) {
        DefaultsMade = true;
        if (!DriveGiven['C' - 'A'])
            Drives.Folders['C' - 'A'] = RealFolder(".");
    }
    return Drives;
}

bool Inside(const std::string& Path, const std::string& Folder) {
    return Folder == "/" || Path == Folder ||
           (Path.compare(0, Folder.size(), Folder) == 0 && Path.size() > Folder.size() &&
            Path[Folder.size()] == '/');
}

// The entry of Folder whose name is Name but for ASCII case, or "".
std::string NameIgnoringCase(const std::string& Folder, const std::string& Name) {
    DIR* Listing = opendir(Folder.c_str());
    if (Listing == nullptr)
        return "";
    std::string Found;
    while (dirent* Entry = readdir(Listing))
        if (strcasecmp(Entry->d_name, Name.c_str()) == 0) {
            Found = Entry->d_name;
            break;
        }
    closedir(Listing);
    return Found;
}

std::string Joined(const std::string& Folder, const std::string& Name) {
    return Folder == "/" ? "/" + Name : Folder + "/" + Name;
}

HostPath Follow(const std::string& Root, const WindowsPath& Path) {
    std::string Reached = Root;
    size_t I = 0;
    for (; I < Path.Names.size(); ++I) {
        std::string Next = Joined(Reached, Path.Names[I]);
        struct stat Info;
        if (lstat(Next.c_str(), &Info) != 0) {
            std::string Other = NameIgnoringCase(Reached, Path.Names[I]);
            if (Other.empty())
                break;
            Next = Joined(Reached, Other);
            if (lstat(Next.c_str(), &Info) != 0)
                break;
        }
        if (S_ISLNK(Info.st_mode)) {
            char* Target = realpath(Next.c_str(), nullptr);
            if (Target == nullptr)
                return {ErrorAccessDenied, ""}; // a link to nowhere is never followed
            Next = Target;
            free(Target);
            if (!Inside(Next, Root))
                return {ErrorAccessDenied, ""};
        }
        Reached = Next;
    }
    // What does not exist is added as written: no link can lie below it.
    for (; I < Path.Names.size(); ++I)
        Reached = Joined(Reached, Path.Names[I]);
    return {0, Reached};
}

} // namespace

std::string MapDrive(const std::string& OptionValue) {
    char Letter;
    std::string Folder;
    std::string Error = ReadDriveOption(OptionValue, Letter, Folder);
    if (!Error.empty())
        return Error;
    std::string Real = RealFolder(Folder);
    if (Real.empty())
        return "--drive " + std::string(1, Letter) + ": \"" + Folder + "\" is no folder";
    Drives.Folders[Letter - 'A'] = Real;
    DriveGiven[Letter - 'A'] = true;
    return "";
}

HostPath HostPathFor(const std::string& Path) {
    WindowsPath Read = ReadWindowsPath(Path, Current);
    if (Read.Error != 0)
        return {Read.Error, ""};
    const std::string& Root = SessionDrives().Folders[Read.Drive - 'A'];
    if (Root.empty())
        return {ErrorPathNotFound, ""};
    return Follow(Root, Read);
}

std::string WindowsPathFor(const std::string& Host) {
    WindowsPath Path = WindowsPathOf(SessionDrives(), Host);
    return Path.Error != 0 ? "" : ShownWindowsPath(Path);
}

void MakeReachable(const std::string& Folder) {
    std::string Real = RealFolder(Folder);
    if (Real.empty() || !WindowsPathFor(Real).empty())
        return;
    for (int Drive = 'D' - 'A'; Drive < DriveCount; ++Drive)
        if (Drives.Folders[Drive].empty()) {
            Drives.Folders[Drive] = Real;
            return;
        }
}

std::string WindowsPathOfFile(const std::string& File) {
    size_t Slash = File.rfind('/');
    std::string Folder = RealFolder(Slash == std::string::npos ? "." : File.substr(0, Slash + 1));
    if (Folder.empty())
        return File;
    MakeReachable(Folder);
    std::string Name = Slash == std::string::npos ? File : File.substr(Slash + 1);
    std::string Found = WindowsPathFor(Folder + "/" + Name);
    return Found.empty() ? File : Found;
}

std::string CurrentFolder() {
    return ShownWindowsPath(Current);
}

uint32_t SetCurrentFolder(const std::string& Path) {
    HostPath Host = HostPathFor(Path);
    if (Host.Error != 0)
        return Host.Error;
    struct stat Info;
    if (stat(Host.Path.c_str(), &Info) != 0)
        return errno == ENOENT ? ErrorFileNotFound : ErrorPathNotFound;
    if (!S_ISDIR(Info.st_mode))
        return ErrorDirectoryName;
    Current = WindowsPathOf(SessionDrives(), Host.Path);
    return 0;
}
