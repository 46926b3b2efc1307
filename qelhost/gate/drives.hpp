// The session's drives: how a Windows path the plugin or the session names
// becomes a file of this machine, and back. Each build implements it:
//   linux/drives.cpp    drive letters mapped onto folders (--drive C=DIR,
//                       C: the current folder unless mapped), nothing
//                       outside them ever reached;
//   windows/drives.cpp  Windows' own drives, paths handed on as written.
#pragma once

#include "qelhost/gate/drive_map.hpp"

#include <string>

// Maps --drive's "C=DIR" (repeatable, the last for a letter counts); the
// reason when it cannot, for a usage line.
std::string MapDrive(const std::string& OptionValue);

struct HostPath {
    uint32_t Error = 0; // a Windows error code when refused
    std::string Path;
};

// The file of this machine that the Windows path Path names (relative paths
// against the plugin's current folder). Refused, with Windows' error code,
// as ReadWindowsPath refuses, and on a drive not mapped (ErrorPathNotFound)
// or through a link that leaves its drive's folder (ErrorAccessDenied).
HostPath HostPathFor(const std::string& Path);

// The Windows path of a file of this machine, "" when it lies on no drive.
std::string WindowsPathFor(const std::string& HostPath);

// Makes Folder (of this machine) reachable: when it lies on no drive, it
// becomes the first unmapped letter from D:. The plugin's own folder is.
void MakeReachable(const std::string& Folder);

// The Windows path of a file of this machine named as qelhost's own command
// line names it (relative to qelhost's working folder), its folder made
// reachable first; as written when it cannot be found. The plugin's
// ModuleName is its DLL's.
std::string WindowsPathOfFile(const std::string& File);

// The plugin's current folder, as a Windows path ("C:\" at the start).
std::string CurrentFolder();
// Changes it; a Windows error code when Path is no folder that can be reached.
uint32_t SetCurrentFolder(const std::string& Path);
