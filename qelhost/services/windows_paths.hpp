// Paths as the plugin sees them: Windows paths. The session's commands take
// a Windows path or one relative to the current folder; the host works on
// the folder here and shows the plugin its Windows path. Drive C: is the
// current folder.
#pragma once

#include <string>

// The folder here that Given names ("C:\work", "work", "/tmp/work"),
// without "." or ".." steps; UTF-8.
std::string PathHere(const std::string& Given);

// The Windows path the plugin is shown for Here (a path PathHere gave):
// "C:\work" for a folder under the current one, else "Z:" and the whole
// path, as Wine shows the root; UTF-8.
std::string ShownPath(const std::string& Here);

// Here and Name joined by the separator of this system.
std::string JoinedPath(const std::string& Here, const std::string& Name);
