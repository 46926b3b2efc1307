// Paths between the session, the plugin and this machine's folders, through
// the session's drives (platform.hpp): commands and the plugin name
// folders by Windows paths, and the plugin is shown Windows paths.
#pragma once

#include <string>

// The folder of this machine that the Windows path Given names (relative
// paths against the current folder); "" when the drives refuse it.
std::string PathHere(const std::string& Given);

// The Windows path the plugin is shown for Here, a folder PathHere gave.
std::string ShownPath(const std::string& Here);

// Here and Name joined by the separator of this machine.
std::string JoinedPath(const std::string& Here, const std::string& Name);
