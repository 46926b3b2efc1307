#include "qelhost/services/folder_listing.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/windows_paths.hpp"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>

namespace {

// Seconds since 1970 as a FILETIME: 100-nanosecond steps since 1601.
FILETIME FileTime(time_t Seconds) {
    constexpr uint64_t From1601To1970 = 11644473600ULL;
    uint64_t Steps = (static_cast<uint64_t>(Seconds) + From1601To1970) * 10000000ULL;
    return {static_cast<DWORD>(Steps), static_cast<DWORD>(Steps >> 32)};
}

FolderEntry Entry(const std::string& Here, const std::string& Name, const struct stat& Status) {
    FolderEntry Result;
    memset(&Result.Data, 0, sizeof Result.Data);
    FindRecord& Data = Result.Data;
    bool Folder = S_ISDIR(Status.st_mode);
    Data.dwFileAttributes = Folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    Data.ftLastWriteTime = FileTime(Status.st_mtime);
    Data.ftCreationTime = Data.ftLastWriteTime;
    Data.ftLastAccessTime = FileTime(Status.st_atime);
    if (!Folder) {
        Data.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(Status.st_size) >> 32);
        Data.nFileSizeLow = static_cast<DWORD>(Status.st_size);
    }
    std::string Oem = UnicodeToOem(FromUtf8(Name)).substr(0, MaxPathChars - 1);
    memcpy(Data.cFileName, Oem.data(), Oem.size());
    Result.Here = JoinedPath(Here, Name);
    return Result;
}

} // namespace

bool ListFolder(const std::string& Here, std::vector<FolderEntry>& Entries, std::string& Why) {
    Entries.clear();
    DIR* Folder = opendir(Here.c_str());
    if (Folder == nullptr) {
        Why = strerror(errno);
        return false;
    }
    std::vector<std::string> Names;
    while (const dirent* Found = readdir(Folder))
        if (strcmp(Found->d_name, ".") != 0 && strcmp(Found->d_name, "..") != 0)
            Names.push_back(Found->d_name);
    closedir(Folder);
    std::sort(Names.begin(), Names.end());
    for (const std::string& Name : Names) {
        struct stat Status;
        if (stat(JoinedPath(Here, Name).c_str(), &Status) == 0)
            Entries.push_back(Entry(Here, Name, Status));
    }
    return true;
}

std::string EntryName(const FindRecord& Data) {
    return ToUtf8(OemToUnicode(std::string(Data.cFileName, strnlen(Data.cFileName, MAX_PATH))));
}

uint64_t EntrySize(const FindRecord& Data) {
    return (static_cast<uint64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
}

bool IsFolder(const FindRecord& Data) {
    return (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
