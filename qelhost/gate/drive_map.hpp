// Windows paths as the plugin and the session write them, read without the
// file system: drive letters in either case, "\" and "/", "." and "..", and
// the names Windows keeps for devices. What a path names is decided here,
// before anything on disk is looked at; each build's drives.cpp then finds
// it on disk (the Linux qelhost through the folders mapped onto the drive
// letters, refusing links that leave them).
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

constexpr int DriveCount = 26;
// The longest path the ANSI file functions take, the zero included (MAX_PATH).
constexpr size_t MaxPath = 260;
// The longest single name a Windows file system keeps.
constexpr size_t MaxNameLength = 255;

// A path taken apart: its drive 'A' to 'Z' and the names below the drive's
// root, with "." and ".." already resolved. Error is a Windows error code
// when the path is refused (then nothing else is set).
struct WindowsPath {
    uint32_t Error = 0;
    char Drive = 0;
    std::vector<std::string> Names;
};

// The upper-case drive letter Text starts with ("c", "C:", "c:\x"), or 0.
char DriveLetterOf(const std::string& Text);

// Path read as Windows reads it: relative paths ("a\b", "\a", "C:a") against
// Current, an absolute path. Refused, with Windows' error code:
// ".." past a drive's root, a device (CON, NUL, COM1, "\\.\", "\\?\") and a
// name with a character Windows forbids (ErrorAccessDenied or
// ErrorInvalidName); a network path (ErrorBadNetPath); an empty path
// (ErrorPathNotFound); one too long for the ANSI functions
// (ErrorFilenameExcedRange).
WindowsPath ReadWindowsPath(const std::string& Path, const WindowsPath& Current);

// "C:\a\b", or "C:\" for a drive's root.
std::string ShownWindowsPath(const WindowsPath& Path);

// A folder of this machine per drive letter; "" where none is mapped.
struct DriveMap {
    std::string Folders[DriveCount];
};

// --drive's "C=DIR" (also "c:=DIR"): the letter and the folder as written,
// or a reason it cannot be read.
std::string ReadDriveOption(const std::string& Value, char& Letter, std::string& Folder);

// Where Path lies under its drive's folder (an absolute folder without a
// trailing "/"), or "" when its drive is not mapped.
std::string HostPathIn(const DriveMap& Map, const WindowsPath& Path);

// The Windows path of an absolute host path without "." or ".." in it, on
// the drive whose folder holds it (the deepest, then the first letter), or
// Error ErrorPathNotFound when no drive's does.
WindowsPath WindowsPathOf(const DriveMap& Map, const std::string& HostPath);

// Whether Name matches a Windows wildcard Mask ("*" and "?", without regard
// to ASCII case; "*.*" matches every name, a mask ending in "." the names
// without an extension).
bool MatchesWildcard(const std::string& Name, const std::string& Mask);
