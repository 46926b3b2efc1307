// The Linux qelhost's KERNEL32.dll file functions: every name the plugin
// hands over goes through the session's drives (platform.hpp), so that
// nothing outside the mapped folders is ever opened, listed, changed or
// even looked at, and every failure is told with Windows' error code.
// Only regular files and folders are reached: a FIFO, device or socket in a
// drive is refused as Windows refuses what it cannot open.
#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/code_pages.hpp"
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/stand_ins.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/platform.hpp"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <vector>

// WIN32_FIND_DATAA.
struct FindData {
    DWORD FileAttributes;
    FileTime CreationTime, LastAccessTime, LastWriteTime;
    DWORD FileSizeHigh, FileSizeLow, Reserved0, Reserved1;
    char FileName[260];
    char AlternateFileName[14];
};
static_assert(sizeof(FindData) == 320);

constexpr DWORD FileAttributeReadonly = 0x1;
constexpr DWORD FileAttributeDirectory = 0x10;
constexpr DWORD FileAttributeArchive = 0x20;
constexpr DWORD InvalidFileAttributes = 0xFFFFFFFF;

namespace {

// ---- Names ----

// A name the plugin handed over, as UTF-8 for the drives.
std::string NameOf(const char* Name) {
    bool Invalid, UsedDefault;
    std::string Bytes = PluginMemoryText(Name, MaxPath + 1);
    return FromWide(CpUtf8, ToWide(FileApisCodePage(), Bytes, Invalid), '?', UsedDefault);
}

// A name of this machine (UTF-8) or a Windows path made of them, in the
// file functions' code page.
std::string PluginNameOf(const std::string& Utf8) {
    bool Invalid, UsedDefault;
    return FromWide(FileApisCodePage(), ToWide(CpUtf8, Utf8, Invalid), '?', UsedDefault);
}

BOOL Refuse(uint32_t Error) {
    SetPluginLastError(Error);
    return 0;
}

WindowsPath CurrentPath() {
    return ReadWindowsPath(CurrentFolder(), WindowsPath{0, 'C', {}});
}

uint32_t ErrorOf(int Number) {
    switch (Number) {
    case ENOENT:
        return ErrorFileNotFound;
    case ENOTDIR:
        return ErrorPathNotFound;
    case EEXIST:
        return ErrorFileExists;
    case ENOTEMPTY:
        return ErrorDirNotEmpty;
    case ENOSPC:
    case EDQUOT:
        return ErrorDiskFull;
    case EMFILE:
    case ENFILE:
        return ErrorTooManyOpenFiles;
    case ENAMETOOLONG:
        return ErrorFilenameExcedRange;
    case EXDEV:
        return ErrorNotSameDevice;
    case EROFS:
        return ErrorWriteProtect;
    case ENOMEM:
        return ErrorNotEnoughMemory;
    case EBADF:
        return ErrorInvalidHandle;
    default: // EACCES, EPERM, EISDIR, ELOOP and the rest
        return ErrorAccessDenied;
    }
}

// The host path of a name; Error set (and told to the plugin) when refused.
HostPath Reached(const char* Name) {
    if (Name == nullptr) {
        SetPluginLastError(ErrorInvalidParameter);
        return {ErrorInvalidParameter, ""};
    }
    HostPath Path = HostPathFor(NameOf(Name));
    if (Path.Error != 0)
        SetPluginLastError(Path.Error);
    return Path;
}

// ENOENT for a file whose folder is missing too is Windows' "path not found".
uint32_t MissingError(const std::string& Path) {
    size_t Slash = Path.find_last_of('/');
    struct stat Info;
    return Slash != std::string::npos && Slash > 0 &&
                   stat(Path.substr(0, Slash).c_str(), &Info) != 0
               ? ErrorPathNotFound
               : ErrorFileNotFound;
}

uint32_t SystemError(const std::string& Path) {
    return errno == ENOENT ? MissingError(Path) : ErrorOf(errno);
}

// ---- Times and attributes ----

constexpr uint64_t UnixEpochTicks = 116444736000000000ull;

FileTime FileTimeOfUnix(const timespec& Time) {
    uint64_t Ticks = UnixEpochTicks + static_cast<uint64_t>(Time.tv_sec) * 10000000 +
                     static_cast<uint64_t>(Time.tv_nsec) / 100;
    return {static_cast<uint32_t>(Ticks), static_cast<uint32_t>(Ticks >> 32)};
}

timespec UnixOfFileTime(const FileTime& Time) {
    uint64_t Ticks = uint64_t{Time.High} << 32 | Time.Low;
    uint64_t Since = Ticks > UnixEpochTicks ? Ticks - UnixEpochTicks : 0;
    return {static_cast<time_t>(Since / 10000000), static_cast<long>(Since % 10000000 * 100)};
}

DWORD AttributesOf(const struct stat& Info) {
    DWORD Attributes = S_ISDIR(Info.st_mode) ? FileAttributeDirectory : FileAttributeArchive;
    if ((Info.st_mode & S_IWUSR) == 0)
        Attributes |= FileAttributeReadonly;
    return Attributes;
}

bool IsReachableKind(const struct stat& Info) {
    return S_ISREG(Info.st_mode) || S_ISDIR(Info.st_mode);
}

// ---- Handles ----

struct OpenFile {
    int Descriptor;
};
struct Search {
    std::vector<FindData> Found;
    size_t Next = 0;
};
struct Mapping {
    int Descriptor;
};

std::map<uintptr_t, OpenFile> Files;
std::map<uintptr_t, Search> Searches;
std::map<uintptr_t, Mapping> Mappings;
std::map<const void*, size_t> Views;
uintptr_t NextHandle = 0x100;
constexpr size_t MaxHandles = 1024;
constexpr size_t MaxView = 256u << 20;

HANDLE NewHandle() {
    if (Files.size() + Searches.size() + Mappings.size() >= MaxHandles)
        return nullptr;
    while (Files.count(NextHandle) || Searches.count(NextHandle) || Mappings.count(NextHandle))
        NextHandle = NextHandle >= 0x7FFFFFF0 ? 0x100 : NextHandle + 4;
    uintptr_t Handle = NextHandle;
    NextHandle += 4;
    return reinterpret_cast<HANDLE>(Handle);
}

OpenFile* FileOf(HANDLE Handle) {
    auto Found = Files.find(reinterpret_cast<uintptr_t>(Handle));
    if (Found == Files.end()) {
        SetPluginLastError(ErrorInvalidHandle);
        return nullptr;
    }
    return &Found->second;
}

int OpenFlags(DWORD Access, DWORD Disposition, bool& Valid) {
    constexpr DWORD GenericRead = 0x80000000, GenericWrite = 0x40000000, FileWriteData = 0x2,
                    FileAppendData = 0x4;
    bool Writes = (Access & (GenericWrite | FileWriteData | FileAppendData)) != 0;
    bool Reads = (Access & GenericRead) != 0 || (Access & 0x1) != 0 || !Writes;
    int Flags = Writes ? (Reads ? O_RDWR : O_WRONLY) : O_RDONLY;
    Valid = true;
    switch (Disposition) {
    case 1: // CREATE_NEW
        return Flags | O_CREAT | O_EXCL;
    case 2: // CREATE_ALWAYS
        return Flags | O_CREAT | O_TRUNC;
    case 3: // OPEN_EXISTING
        return Flags;
    case 4: // OPEN_ALWAYS
        return Flags | O_CREAT;
    case 5: // TRUNCATE_EXISTING
        return Flags | O_TRUNC;
    default:
        Valid = false;
        return 0;
    }
}

// ---- Listing ----

FindData FindDataOf(const std::string& Name, const struct stat& Info) {
    FindData Data{};
    Data.FileAttributes = AttributesOf(Info);
    Data.CreationTime = FileTimeOfUnix(Info.st_mtim);
    Data.LastAccessTime = FileTimeOfUnix(Info.st_atim);
    Data.LastWriteTime = FileTimeOfUnix(Info.st_mtim);
    uint64_t Size = S_ISDIR(Info.st_mode) ? 0 : static_cast<uint64_t>(Info.st_size);
    Data.FileSizeHigh = static_cast<DWORD>(Size >> 32);
    Data.FileSizeLow = static_cast<DWORD>(Size);
    std::string Shown = PluginNameOf(Name).substr(0, sizeof Data.FileName - 1);
    memcpy(Data.FileName, Shown.c_str(), Shown.size() + 1);
    return Data;
}

// The entries of Folder (a Windows path) whose names match Mask, "." and
// ".." included below a drive's root as Windows lists them; an entry that
// leads out of the drive is left out.
uint32_t List(const std::string& Folder, const std::string& Mask, std::vector<FindData>& Found) {
    HostPath Where = HostPathFor(Folder);
    if (Where.Error != 0)
        return Where.Error;
    DIR* Listing = opendir(Where.Path.c_str());
    if (Listing == nullptr)
        return errno == ENOENT || errno == ENOTDIR ? ErrorPathNotFound : ErrorOf(errno);
    std::vector<std::string> Names;
    while (dirent* Entry = readdir(Listing))
        Names.push_back(Entry->d_name);
    closedir(Listing);
    std::sort(Names.begin(), Names.end());
    bool AtRoot = ReadWindowsPath(Folder, CurrentPath()).Names.empty();
    for (const std::string& Name : Names) {
        bool Dots = Name == "." || Name == "..";
        // A name Windows cannot hold is not listed (it would name another).
        if ((Dots && AtRoot) || Name.find_first_of("\\:*?\"<>|") != std::string::npos ||
            !MatchesWildcard(PluginNameOf(Name), Mask))
            continue;
        std::string Entry = Dots ? Where.Path : HostPathFor(Folder + "\\" + Name).Path;
        struct stat Info;
        if (Entry.empty() || stat(Entry.c_str(), &Info) != 0 || !IsReachableKind(Info))
            continue;
        Found.push_back(FindDataOf(Name, Info));
    }
    return Found.empty() ? ErrorFileNotFound : 0;
}

// ---- The session's temporary folder ----

std::string TemporaryFolder; // of this machine; made on first use

std::string SessionTemporaryFolder() {
    if (TemporaryFolder.empty()) {
        const char* Base = getenv("TMPDIR");
        std::string Template =
            std::string(Base != nullptr && *Base != 0 ? Base : "/tmp") + "/qelhost-temp-XXXXXX";
        if (mkdtemp(Template.data()) == nullptr)
            return "";
        TemporaryFolder = Template;
        MakeReachable(TemporaryFolder);
    }
    return TemporaryFolder;
}

void RemoveTree(const std::string& Path) {
    struct stat Info;
    if (lstat(Path.c_str(), &Info) != 0)
        return;
    if (S_ISDIR(Info.st_mode)) {
        if (DIR* Listing = opendir(Path.c_str())) {
            std::vector<std::string> Names;
            while (dirent* Entry = readdir(Listing))
                if (strcmp(Entry->d_name, ".") != 0 && strcmp(Entry->d_name, "..") != 0)
                    Names.push_back(Entry->d_name);
            closedir(Listing);
            for (const std::string& Name : Names)
                RemoveTree(Path + "/" + Name);
        }
        rmdir(Path.c_str());
    } else {
        unlink(Path.c_str());
    }
}

std::string PluginFile; // of this machine

// A Windows path (UTF-8) put in the plugin's buffer of Size as the Get*A
// functions do: the length without the zero, or the size needed with it.
DWORD PathAnswered(const std::string& Utf8, char* Out, DWORD Size) {
    std::string Text = PluginNameOf(Utf8);
    if (Size <= Text.size())
        return static_cast<DWORD>(Text.size() + 1);
    PluginMemoryWrite(Out, Text.c_str(), Text.size() + 1);
    return static_cast<DWORD>(Text.size());
}

} // namespace

void NotePluginFile(const std::string& HostPath) {
    char* Real = realpath(HostPath.c_str(), nullptr);
    PluginFile = Real != nullptr ? Real : HostPath;
    free(Real);
    size_t Slash = PluginFile.find_last_of('/');
    MakeReachable(Slash == 0 ? "/" : PluginFile.substr(0, Slash));
}

void RemoveSessionTemporaryFolder() {
    if (!TemporaryFolder.empty())
        RemoveTree(TemporaryFolder);
    TemporaryFolder.clear();
}

PLUGIN_STDCALL HANDLE Kernel32CreateFileA(const char* Name, DWORD Access, DWORD, void*,
                                          DWORD Disposition, DWORD Flags, HANDLE) {
    UsingPluginArguments Using("KERNEL32.dll!CreateFileA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return INVALID_HANDLE_VALUE;
    bool Valid;
    int OpenWith = OpenFlags(Access, Disposition, Valid);
    if (!Valid) {
        SetPluginLastError(ErrorInvalidParameter);
        return INVALID_HANDLE_VALUE;
    }
    struct stat Before;
    bool Existed = stat(Path.Path.c_str(), &Before) == 0;
    constexpr DWORD BackupSemantics = 0x02000000;
    if (Existed &&
        (!IsReachableKind(Before) || (S_ISDIR(Before.st_mode) && (Flags & BackupSemantics) == 0))) {
        SetPluginLastError(ErrorAccessDenied);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE Handle = NewHandle();
    if (Handle == nullptr) {
        SetPluginLastError(ErrorTooManyOpenFiles);
        return INVALID_HANDLE_VALUE;
    }
    if (Existed && S_ISDIR(Before.st_mode))
        OpenWith = O_RDONLY | O_DIRECTORY;
    int Descriptor =
        open(Path.Path.c_str(), OpenWith | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (Descriptor < 0) {
        SetPluginLastError(SystemError(Path.Path));
        return INVALID_HANDLE_VALUE;
    }
    struct stat Opened;
    if (fstat(Descriptor, &Opened) != 0 || !IsReachableKind(Opened)) {
        close(Descriptor);
        SetPluginLastError(ErrorAccessDenied);
        return INVALID_HANDLE_VALUE;
    }
    Files[reinterpret_cast<uintptr_t>(Handle)] = {Descriptor};
    // Opening what was there with CREATE_ALWAYS or OPEN_ALWAYS says so.
    SetPluginLastError(Existed && (Disposition == 2 || Disposition == 4) ? ErrorAlreadyExists : 0);
    return Handle;
}

PLUGIN_STDCALL BOOL Kernel32ReadFile(HANDLE Handle, void* Buffer, DWORD Size, DWORD* Read, void*) {
    UsingPluginArguments Using("KERNEL32.dll!ReadFile");
    OpenFile* File = FileOf(Handle);
    if (File == nullptr)
        return 0;
    std::string Bytes(std::min<DWORD>(Size, 1u << 20), '\0');
    DWORD Total = 0;
    while (Total < Size) {
        size_t Piece = std::min<size_t>(Bytes.size(), Size - Total);
        ssize_t Got = read(File->Descriptor, Bytes.data(), Piece);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0) {
            if (Read != nullptr)
                PluginMemoryWrite(Read, &Total, sizeof Total);
            return Refuse(errno == EISDIR ? ErrorInvalidFunction : ErrorOf(errno));
        }
        if (Got == 0)
            break;
        PluginMemoryWrite(static_cast<char*>(Buffer) + Total, Bytes.data(),
                          static_cast<size_t>(Got));
        Total += static_cast<DWORD>(Got);
    }
    if (Read != nullptr)
        PluginMemoryWrite(Read, &Total, sizeof Total);
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32WriteFile(HANDLE Handle, const void* Buffer, DWORD Size, DWORD* Written,
                                      void*) {
    UsingPluginArguments Using("KERNEL32.dll!WriteFile");
    OpenFile* File = FileOf(Handle);
    if (File == nullptr)
        return 0;
    DWORD Total = 0;
    while (Total < Size) {
        size_t Piece = std::min<size_t>(1u << 20, Size - Total);
        std::string Bytes = PluginMemoryBytes(static_cast<const char*>(Buffer) + Total, Piece);
        ssize_t Put = write(File->Descriptor, Bytes.data(), Bytes.size());
        if (Put < 0 && errno == EINTR)
            continue;
        if (Put <= 0) {
            if (Written != nullptr)
                PluginMemoryWrite(Written, &Total, sizeof Total);
            return Refuse(Put < 0 ? ErrorOf(errno) : ErrorDiskFull);
        }
        Total += static_cast<DWORD>(Put);
    }
    if (Written != nullptr)
        PluginMemoryWrite(Written, &Total, sizeof Total);
    return 1;
}

PLUGIN_STDCALL DWORD Kernel32SetFilePointer(HANDLE Handle, long Distance, long* High,
                                            DWORD Method) {
    UsingPluginArguments Using("KERNEL32.dll!SetFilePointer");
    constexpr DWORD InvalidSetFilePointer = 0xFFFFFFFF;
    OpenFile* File = FileOf(Handle);
    if (File == nullptr)
        return InvalidSetFilePointer;
    int64_t Move = Distance;
    if (High != nullptr) {
        long Upper;
        memcpy(&Upper, PluginMemoryBytes(High, sizeof Upper).data(), sizeof Upper);
        Move = static_cast<int64_t>(static_cast<uint64_t>(static_cast<uint32_t>(Upper)) << 32 |
                                    static_cast<uint32_t>(Distance));
    }
    if (Method > 2) {
        SetPluginLastError(ErrorInvalidParameter);
        return InvalidSetFilePointer;
    }
    off_t At = lseek(File->Descriptor, static_cast<off_t>(Move),
                     Method == 0   ? SEEK_SET
                     : Method == 1 ? SEEK_CUR
                                   : SEEK_END);
    if (At < 0) {
        SetPluginLastError(errno == EINVAL ? 131 /* ERROR_NEGATIVE_SEEK */ : ErrorOf(errno));
        return InvalidSetFilePointer;
    }
    if (High != nullptr) {
        long Upper = static_cast<long>(static_cast<uint64_t>(At) >> 32);
        PluginMemoryWrite(High, &Upper, sizeof Upper);
    }
    SetPluginLastError(0);
    return static_cast<DWORD>(At);
}

PLUGIN_STDCALL DWORD Kernel32GetFileSize(HANDLE Handle, DWORD* High) {
    UsingPluginArguments Using("KERNEL32.dll!GetFileSize");
    OpenFile* File = FileOf(Handle);
    struct stat Info;
    if (File == nullptr || fstat(File->Descriptor, &Info) != 0)
        return 0xFFFFFFFF; // INVALID_FILE_SIZE
    uint64_t Size = static_cast<uint64_t>(Info.st_size);
    if (High != nullptr) {
        DWORD Upper = static_cast<DWORD>(Size >> 32);
        PluginMemoryWrite(High, &Upper, sizeof Upper);
    }
    SetPluginLastError(0);
    return static_cast<DWORD>(Size);
}

PLUGIN_STDCALL BOOL Kernel32GetFileTime(HANDLE Handle, FileTime* Creation, FileTime* Access,
                                        FileTime* Write) {
    UsingPluginArguments Using("KERNEL32.dll!GetFileTime");
    OpenFile* File = FileOf(Handle);
    struct stat Info;
    if (File == nullptr)
        return 0;
    if (fstat(File->Descriptor, &Info) != 0)
        return Refuse(ErrorOf(errno));
    FileTime Modified = FileTimeOfUnix(Info.st_mtim), Accessed = FileTimeOfUnix(Info.st_atim);
    if (Creation != nullptr)
        PluginMemoryWrite(Creation, &Modified, sizeof Modified);
    if (Access != nullptr)
        PluginMemoryWrite(Access, &Accessed, sizeof Accessed);
    if (Write != nullptr)
        PluginMemoryWrite(Write, &Modified, sizeof Modified);
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32SetFileTime(HANDLE Handle, const FileTime* Creation,
                                        const FileTime* Access, const FileTime* Write) {
    UsingPluginArguments Using("KERNEL32.dll!SetFileTime");
    OpenFile* File = FileOf(Handle);
    if (File == nullptr)
        return 0;
    (void)Creation; // Linux keeps no creation time
    timespec Times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
    FileTime Given;
    if (Access != nullptr) {
        memcpy(&Given, PluginMemoryBytes(Access, sizeof Given).data(), sizeof Given);
        Times[0] = UnixOfFileTime(Given);
    }
    if (Write != nullptr) {
        memcpy(&Given, PluginMemoryBytes(Write, sizeof Given).data(), sizeof Given);
        Times[1] = UnixOfFileTime(Given);
    }
    return futimens(File->Descriptor, Times) == 0 ? 1 : Refuse(ErrorOf(errno));
}

PLUGIN_STDCALL BOOL Kernel32CloseHandle(HANDLE Handle) {
    uintptr_t Value = reinterpret_cast<uintptr_t>(Handle);
    if (auto File = Files.find(Value); File != Files.end()) {
        close(File->second.Descriptor);
        Files.erase(File);
        return 1;
    }
    if (auto Map = Mappings.find(Value); Map != Mappings.end()) {
        close(Map->second.Descriptor);
        Mappings.erase(Map);
        return 1;
    }
    // The console's handles and the pseudo-handles of the process and thread.
    if (Value == 3 || Value == 7 || Value == 11 || Value == 0xFFFFFFFF || Value == 0xFFFFFFFE)
        return 1;
    return Refuse(ErrorInvalidHandle);
}

PLUGIN_STDCALL BOOL Kernel32DeleteFileA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!DeleteFileA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return 0;
    struct stat Info;
    if (lstat(Path.Path.c_str(), &Info) == 0 && !S_ISREG(Info.st_mode))
        return Refuse(ErrorAccessDenied);
    return unlink(Path.Path.c_str()) == 0 ? 1 : Refuse(SystemError(Path.Path));
}

PLUGIN_STDCALL BOOL Kernel32MoveFileA(const char* From, const char* To) {
    UsingPluginArguments Using("KERNEL32.dll!MoveFileA");
    HostPath Source = Reached(From);
    if (Source.Error != 0)
        return 0;
    HostPath Target = Reached(To);
    if (Target.Error != 0)
        return 0;
    struct stat Info;
    if (lstat(Source.Path.c_str(), &Info) != 0)
        return Refuse(SystemError(Source.Path));
    if (!IsReachableKind(Info))
        return Refuse(ErrorAccessDenied);
    // MoveFileA never replaces a file; a change of case alone is a rename.
    struct stat There;
    if (Source.Path != Target.Path && lstat(Target.Path.c_str(), &There) == 0 &&
        (There.st_dev != Info.st_dev || There.st_ino != Info.st_ino))
        return Refuse(ErrorAlreadyExists);
    return rename(Source.Path.c_str(), Target.Path.c_str()) == 0 ? 1
                                                                 : Refuse(SystemError(Target.Path));
}

PLUGIN_STDCALL BOOL Kernel32CopyFileA(const char* From, const char* To, BOOL FailIfExists) {
    UsingPluginArguments Using("KERNEL32.dll!CopyFileA");
    HostPath Source = Reached(From);
    if (Source.Error != 0)
        return 0;
    HostPath Target = Reached(To);
    if (Target.Error != 0)
        return 0;
    int In = open(Source.Path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (In < 0)
        return Refuse(SystemError(Source.Path));
    struct stat Info;
    if (fstat(In, &Info) != 0 || !S_ISREG(Info.st_mode)) {
        close(In);
        return Refuse(ErrorAccessDenied);
    }
    int Out = open(Target.Path.c_str(),
                   O_WRONLY | O_CREAT | (FailIfExists ? O_EXCL : O_TRUNC) | O_NOFOLLOW |
                       O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                   0666);
    if (Out < 0) {
        uint32_t Error = errno == EEXIST ? ErrorFileExists : SystemError(Target.Path);
        close(In);
        return Refuse(Error);
    }
    char Buffer[65536];
    ssize_t Got;
    bool Failed = false;
    while ((Got = read(In, Buffer, sizeof Buffer)) > 0)
        if (write(Out, Buffer, static_cast<size_t>(Got)) != Got) {
            Failed = true;
            break;
        }
    uint32_t Error = Failed || Got < 0 ? ErrorOf(errno) : 0;
    timespec Times[2] = {Info.st_atim, Info.st_mtim};
    futimens(Out, Times); // CopyFileA keeps the time of writing
    close(In);
    if (close(Out) != 0 && Error == 0)
        Error = ErrorOf(errno);
    return Error == 0 ? 1 : Refuse(Error);
}

PLUGIN_STDCALL BOOL Kernel32CreateDirectoryA(const char* Name, void*) {
    UsingPluginArguments Using("KERNEL32.dll!CreateDirectoryA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return 0;
    if (mkdir(Path.Path.c_str(), 0777) == 0)
        return 1;
    return Refuse(errno == EEXIST   ? ErrorAlreadyExists
                  : errno == ENOENT ? ErrorPathNotFound
                                    : ErrorOf(errno));
}

PLUGIN_STDCALL BOOL Kernel32RemoveDirectoryA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!RemoveDirectoryA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return 0;
    struct stat Info;
    if (lstat(Path.Path.c_str(), &Info) == 0 && !S_ISDIR(Info.st_mode))
        return Refuse(ErrorDirectoryName);
    if (rmdir(Path.Path.c_str()) == 0)
        return 1;
    return Refuse(errno == ENOTEMPTY || errno == EEXIST ? ErrorDirNotEmpty
                                                        : SystemError(Path.Path));
}

PLUGIN_STDCALL DWORD Kernel32GetFileAttributesA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!GetFileAttributesA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return InvalidFileAttributes;
    struct stat Info;
    if (stat(Path.Path.c_str(), &Info) != 0) {
        SetPluginLastError(SystemError(Path.Path));
        return InvalidFileAttributes;
    }
    if (!IsReachableKind(Info)) {
        SetPluginLastError(ErrorAccessDenied);
        return InvalidFileAttributes;
    }
    return AttributesOf(Info);
}

PLUGIN_STDCALL BOOL Kernel32SetFileAttributesA(const char* Name, DWORD Attributes) {
    UsingPluginArguments Using("KERNEL32.dll!SetFileAttributesA");
    HostPath Path = Reached(Name);
    if (Path.Error != 0)
        return 0;
    struct stat Info;
    if (stat(Path.Path.c_str(), &Info) != 0)
        return Refuse(SystemError(Path.Path));
    if (!IsReachableKind(Info))
        return Refuse(ErrorAccessDenied);
    // Only "read-only" has a meaning here: the owner's permission to write.
    mode_t Mode = Info.st_mode & 07777;
    Mode = (Attributes & FileAttributeReadonly) != 0 ? Mode & ~mode_t{0222} : Mode | S_IWUSR;
    return chmod(Path.Path.c_str(), Mode) == 0 ? 1 : Refuse(ErrorOf(errno));
}

PLUGIN_STDCALL DWORD Kernel32GetFullPathNameA(const char* Name, DWORD Size, char* Out,
                                              char** FilePart) {
    UsingPluginArguments Using("KERNEL32.dll!GetFullPathNameA");
    WindowsPath Full = ReadWindowsPath(NameOf(Name), CurrentPath());
    if (Full.Error != 0)
        return Refuse(Full.Error);
    std::string Shown = ShownWindowsPath(Full);
    DWORD Length = PathAnswered(Shown, Out, Size);
    if (FilePart != nullptr && Length < Size) {
        char* Part = Full.Names.empty() ? nullptr
                                        : Out + PluginNameOf(Shown).size() -
                                              PluginNameOf(Full.Names.back()).size();
        PluginMemoryWrite(FilePart, &Part, sizeof Part);
    }
    return Length;
}

PLUGIN_STDCALL DWORD Kernel32GetCurrentDirectoryA(DWORD Size, char* Out) {
    UsingPluginArguments Using("KERNEL32.dll!GetCurrentDirectoryA");
    return PathAnswered(CurrentFolder(), Out, Size);
}

PLUGIN_STDCALL BOOL Kernel32SetCurrentDirectoryA(const char* Name) {
    UsingPluginArguments Using("KERNEL32.dll!SetCurrentDirectoryA");
    uint32_t Error = SetCurrentFolder(NameOf(Name));
    return Error == 0 ? 1 : Refuse(Error);
}

PLUGIN_STDCALL HANDLE Kernel32FindFirstFileA(const char* Pattern, FindData* Data) {
    UsingPluginArguments Using("KERNEL32.dll!FindFirstFileA");
    std::string Whole = NameOf(Pattern);
    size_t Slash = Whole.find_last_of("\\/");
    std::string Folder = Slash == std::string::npos ? "." : Whole.substr(0, Slash + 1);
    std::string Mask = Slash == std::string::npos ? Whole : Whole.substr(Slash + 1);
    if (Folder.size() == 2 && Folder[1] == ':')
        Folder += '.';
    Search Found;
    uint32_t Error =
        Mask.empty() ? ErrorFileNotFound : List(Folder, PluginNameOf(Mask), Found.Found);
    HANDLE Handle = Error == 0 ? NewHandle() : nullptr;
    if (Error == 0 && Handle == nullptr)
        Error = ErrorTooManyOpenFiles;
    if (Error != 0) {
        SetPluginLastError(Error);
        return INVALID_HANDLE_VALUE;
    }
    PluginMemoryWrite(Data, &Found.Found[0], sizeof(FindData));
    Found.Next = 1;
    Searches[reinterpret_cast<uintptr_t>(Handle)] = std::move(Found);
    return Handle;
}

PLUGIN_STDCALL BOOL Kernel32FindNextFileA(HANDLE Handle, FindData* Data) {
    UsingPluginArguments Using("KERNEL32.dll!FindNextFileA");
    auto Found = Searches.find(reinterpret_cast<uintptr_t>(Handle));
    if (Found == Searches.end())
        return Refuse(ErrorInvalidHandle);
    Search& S = Found->second;
    if (S.Next >= S.Found.size())
        return Refuse(ErrorNoMoreFiles);
    PluginMemoryWrite(Data, &S.Found[S.Next++], sizeof(FindData));
    return 1;
}

PLUGIN_STDCALL BOOL Kernel32FindClose(HANDLE Handle) {
    return Searches.erase(reinterpret_cast<uintptr_t>(Handle)) == 1 ? 1
                                                                    : Refuse(ErrorInvalidHandle);
}

PLUGIN_STDCALL DWORD Kernel32GetTempPathA(DWORD Size, char* Out) {
    UsingPluginArguments Using("KERNEL32.dll!GetTempPathA");
    std::string Folder = WindowsPathFor(SessionTemporaryFolder());
    if (Folder.empty())
        return Refuse(ErrorPathNotFound);
    if (Folder.back() != '\\')
        Folder += '\\';
    return PathAnswered(Folder, Out, Size);
}

PLUGIN_STDCALL DWORD Kernel32GetTempFileNameA(const char* Folder, const char* Prefix, DWORD Unique,
                                              char* Out) {
    UsingPluginArguments Using("KERNEL32.dll!GetTempFileNameA");
    std::string Base = NameOf(Folder);
    std::string Start = PluginMemoryText(Prefix, 3);
    HostPath Where = HostPathFor(Base);
    struct stat Info;
    if (Where.Error != 0 || stat(Where.Path.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode))
        return Refuse(Where.Error != 0 ? Where.Error : ErrorDirectoryName);
    if (!Base.empty() && Base.back() != '\\' && Base.back() != '/')
        Base += '\\';
    for (DWORD Number = Unique != 0 ? Unique : 1; Number <= 0xFFFF; ++Number) {
        char Name[16];
        snprintf(Name, sizeof Name, "%X.tmp", Unique != 0 ? Unique & 0xFFFF : Number);
        std::string Windows = Base + NameOf(Start.c_str()) + Name;
        HostPath File = HostPathFor(Windows);
        if (File.Error != 0)
            return Refuse(File.Error);
        if (Unique == 0) { // made, so that the name stays the plugin's
            int Made = open(File.Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (Made < 0 && errno == EEXIST)
                continue;
            if (Made < 0)
                return Refuse(ErrorOf(errno));
            close(Made);
        }
        std::string Text = PluginNameOf(Windows);
        PluginMemoryPutText(Out, MaxPath, Text);
        return Unique != 0 ? Unique : Number;
    }
    return Refuse(ErrorFileExists);
}

PLUGIN_STDCALL DWORD Kernel32GetShortPathNameA(const char* Long, char* Short, DWORD Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetShortPathNameA");
    HostPath Path = Reached(Long);
    struct stat Info;
    if (Path.Error != 0)
        return 0;
    if (stat(Path.Path.c_str(), &Info) != 0)
        return Refuse(SystemError(Path.Path));
    // No short names: the long one is answered, as on a volume without them.
    return PathAnswered(NameOf(Long), Short, Size);
}

PLUGIN_STDCALL DWORD Kernel32SearchPathA(const char* Folders, const char* Name,
                                         const char* Extension, DWORD Size, char* Out,
                                         char** FilePart) {
    UsingPluginArguments Using("KERNEL32.dll!SearchPathA");
    std::string File = NameOf(Name);
    if (Extension != nullptr && File.find('.', File.find_last_of("\\/") + 1) == std::string::npos)
        File += NameOf(Extension);
    std::vector<std::string> Where;
    if (Folders != nullptr) {
        std::string List = NameOf(Folders);
        for (size_t Start = 0; Start <= List.size();) {
            size_t End = std::min(List.find(';', Start), List.size());
            if (End > Start)
                Where.push_back(List.substr(Start, End - Start));
            Start = End + 1;
        }
    } else {
        // The plugin's own folder, then the current one.
        std::string Own = WindowsPathFor(PluginFile);
        Where.push_back(Own.substr(0, Own.find_last_of('\\') + 1));
        Where.push_back(CurrentFolder());
    }
    WindowsPath Current = CurrentPath();
    for (const std::string& Folder : Where) {
        std::string Candidate = Folder + (Folder.back() == '\\' ? "" : "\\") + File;
        WindowsPath Full = ReadWindowsPath(Candidate, Current);
        HostPath Found = HostPathFor(Candidate);
        struct stat Info;
        if (Full.Error != 0 || Found.Error != 0 || stat(Found.Path.c_str(), &Info) != 0 ||
            !S_ISREG(Info.st_mode))
            continue;
        std::string Shown = ShownWindowsPath(Full);
        DWORD Length = PathAnswered(Shown, Out, Size);
        if (FilePart != nullptr && Length < Size) {
            char* Part = Out + PluginNameOf(Shown).size() - PluginNameOf(Full.Names.back()).size();
            PluginMemoryWrite(FilePart, &Part, sizeof Part);
        }
        return Length;
    }
    return Refuse(ErrorFileNotFound);
}

PLUGIN_STDCALL DWORD Kernel32GetModuleFileNameA(void* Module, char* Out, DWORD Size) {
    UsingPluginArguments Using("KERNEL32.dll!GetModuleFileNameA");
    // The host's own program has no file here; the plugin's is its DLL.
    std::string Path =
        Module == nullptr ? "C:\\Program Files\\Far\\Far.exe" : WindowsPathFor(PluginFile);
    std::string Text = PluginNameOf(Path);
    if (Size == 0)
        return Refuse(ErrorInsufficientBuffer);
    if (Text.size() >= Size) { // cut without its zero, as Windows XP does
        PluginMemoryWrite(Out, Text.data(), Size);
        SetPluginLastError(ErrorInsufficientBuffer);
        return Size;
    }
    PluginMemoryWrite(Out, Text.c_str(), Text.size() + 1);
    return static_cast<DWORD>(Text.size());
}

PLUGIN_STDCALL HANDLE Kernel32CreateFileMappingA(HANDLE Handle, void*, DWORD Protect, DWORD, DWORD,
                                                 const char* Name) {
    constexpr DWORD PageReadonly = 0x2, PageWriteCopy = 0x8;
    OpenFile* File = FileOf(Handle);
    if (File == nullptr)
        return nullptr;
    if ((Protect != PageReadonly && Protect != PageWriteCopy) || Name != nullptr) {
        // Only private views of a file: writing through a view, or sharing
        // one by name, is not served.
        SetPluginLastError(ErrorNotSupported);
        return nullptr;
    }
    HANDLE Mapping = NewHandle();
    int Copy = Mapping != nullptr ? dup(File->Descriptor) : -1;
    if (Copy < 0) {
        SetPluginLastError(ErrorTooManyOpenFiles);
        return nullptr;
    }
    Mappings[reinterpret_cast<uintptr_t>(Mapping)] = {Copy};
    return Mapping;
}

// A view is a copy of the file's bytes in the watched heap's neighbourhood:
// read-only mappings look the same to the plugin.
PLUGIN_STDCALL void* Kernel32MapViewOfFile(HANDLE Mapping, DWORD, DWORD OffsetHigh, DWORD OffsetLow,
                                           size_t Size) {
    auto Found = Mappings.find(reinterpret_cast<uintptr_t>(Mapping));
    if (Found == Mappings.end()) {
        SetPluginLastError(ErrorInvalidHandle);
        return nullptr;
    }
    struct stat Info;
    uint64_t Offset = uint64_t{OffsetHigh} << 32 | OffsetLow;
    if (fstat(Found->second.Descriptor, &Info) != 0 ||
        Offset > static_cast<uint64_t>(Info.st_size)) {
        SetPluginLastError(ErrorAccessDenied);
        return nullptr;
    }
    uint64_t Left = static_cast<uint64_t>(Info.st_size) - Offset;
    size_t Length = Size == 0 ? static_cast<size_t>(std::min<uint64_t>(Left, MaxView)) : Size;
    if (Length > MaxView || Length > Left) {
        SetPluginLastError(Length > MaxView ? ErrorNotEnoughMemory : ErrorAccessDenied);
        return nullptr;
    }
    char* View = static_cast<char*>(calloc(1, Length == 0 ? 1 : Length));
    if (View == nullptr) {
        SetPluginLastError(ErrorNotEnoughMemory);
        return nullptr;
    }
    ssize_t Got = pread(Found->second.Descriptor, View, Length, static_cast<off_t>(Offset));
    if (Got < 0) {
        free(View);
        SetPluginLastError(ErrorOf(errno));
        return nullptr;
    }
    Views[View] = Length;
    return View;
}

PLUGIN_STDCALL BOOL Kernel32UnmapViewOfFile(const void* View) {
    auto Found = Views.find(View);
    if (Found == Views.end())
        return Refuse(ErrorInvalidAddress);
    free(const_cast<void*>(View));
    Views.erase(Found);
    return 1;
}

PLUGIN_STDCALL DWORD Kernel32GetDriveTypeA(const char* Root) {
    UsingPluginArguments Using("KERNEL32.dll!GetDriveTypeA");
    constexpr DWORD DriveNoRootDir = 1, DriveFixed = 3;
    std::string Name = Root == nullptr ? CurrentFolder() : NameOf(Root);
    HostPath Path = HostPathFor(Name.substr(0, 2) + "\\");
    return Path.Error == 0 && DriveLetterOf(Name) != 0 ? DriveFixed : DriveNoRootDir;
}

PLUGIN_STDCALL DWORD Kernel32GetLogicalDrives() {
    DWORD Drives = 0;
    for (int Drive = 0; Drive < DriveCount; ++Drive)
        if (HostPathFor(std::string(1, static_cast<char>('A' + Drive)) + ":\\").Error == 0)
            Drives |= 1u << Drive;
    return Drives;
}

namespace {

template <typename Function> void* Address(Function* F) {
    return reinterpret_cast<void*>(F);
}
constexpr BoundBy Own = BoundBy::OwnLoader;

// clang-format off: one import a line
const StandIn FileRows[] = {
    {"kernel32.dll", "CreateFileA", Address(Kernel32CreateFileA), Own},
    {"kernel32.dll", "ReadFile", Address(Kernel32ReadFile), Own},
    {"kernel32.dll", "WriteFile", Address(Kernel32WriteFile), Own},
    {"kernel32.dll", "SetFilePointer", Address(Kernel32SetFilePointer), Own},
    {"kernel32.dll", "GetFileSize", Address(Kernel32GetFileSize), Own},
    {"kernel32.dll", "GetFileTime", Address(Kernel32GetFileTime), Own},
    {"kernel32.dll", "SetFileTime", Address(Kernel32SetFileTime), Own},
    {"kernel32.dll", "CloseHandle", Address(Kernel32CloseHandle), Own},
    {"kernel32.dll", "DeleteFileA", Address(Kernel32DeleteFileA), Own},
    {"kernel32.dll", "MoveFileA", Address(Kernel32MoveFileA), Own},
    {"kernel32.dll", "CopyFileA", Address(Kernel32CopyFileA), Own},
    {"kernel32.dll", "CreateDirectoryA", Address(Kernel32CreateDirectoryA), Own},
    {"kernel32.dll", "RemoveDirectoryA", Address(Kernel32RemoveDirectoryA), Own},
    {"kernel32.dll", "GetFileAttributesA", Address(Kernel32GetFileAttributesA), Own},
    {"kernel32.dll", "SetFileAttributesA", Address(Kernel32SetFileAttributesA), Own},
    {"kernel32.dll", "GetFullPathNameA", Address(Kernel32GetFullPathNameA), Own},
    {"kernel32.dll", "GetCurrentDirectoryA", Address(Kernel32GetCurrentDirectoryA), Own},
    {"kernel32.dll", "SetCurrentDirectoryA", Address(Kernel32SetCurrentDirectoryA), Own},
    {"kernel32.dll", "FindFirstFileA", Address(Kernel32FindFirstFileA), Own},
    {"kernel32.dll", "FindNextFileA", Address(Kernel32FindNextFileA), Own},
    {"kernel32.dll", "FindClose", Address(Kernel32FindClose), Own},
    {"kernel32.dll", "GetTempPathA", Address(Kernel32GetTempPathA), Own},
    {"kernel32.dll", "GetTempFileNameA", Address(Kernel32GetTempFileNameA), Own},
    {"kernel32.dll", "GetShortPathNameA", Address(Kernel32GetShortPathNameA), Own},
    {"kernel32.dll", "SearchPathA", Address(Kernel32SearchPathA), Own},
    {"kernel32.dll", "GetModuleFileNameA", Address(Kernel32GetModuleFileNameA), Own},
    {"kernel32.dll", "CreateFileMappingA", Address(Kernel32CreateFileMappingA), Own},
    {"kernel32.dll", "MapViewOfFile", Address(Kernel32MapViewOfFile), Own},
    {"kernel32.dll", "UnmapViewOfFile", Address(Kernel32UnmapViewOfFile), Own},
    {"kernel32.dll", "GetDriveTypeA", Address(Kernel32GetDriveTypeA), Own},
    {"kernel32.dll", "GetLogicalDrives", Address(Kernel32GetLogicalDrives), Own},
};
// clang-format on

} // namespace

std::span<const StandIn> FileStandIns() {
    return FileRows;
}
