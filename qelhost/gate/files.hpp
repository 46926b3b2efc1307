// KERNEL32.dll's file functions, through the drives of the session
// (drives.hpp): the Linux qelhost serves them (linux/files.cpp) from the
// folders mapped onto the drive letters, never reaching outside them, with
// Windows' error codes; qelhost.exe leaves them to Windows. Names are in
// the file functions' code page (OEM 866 as the host sets it, or ANSI 1251
// after SetFileApisToANSI).
#pragma once

#include "host/host_types.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/stand_ins.hpp"

#include <stdint.h>

#include <string>

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

// The rows of the file functions for the stand-ins' table: the Linux
// qelhost's (linux/files.cpp); none in qelhost.exe, whose plugin calls
// Windows' own.
std::span<const StandIn> FileStandIns();

// The plugin's folder and file name, for GetModuleFileNameA and SearchPathA
// (set when the plugin is loaded).
void NotePluginFile(const std::string& HostPath);

// The session's temporary folder is removed at the end of the session.
void RemoveSessionTemporaryFolder();
