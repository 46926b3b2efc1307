// The session's commands, read from a script or typed at the qel> prompt.
#pragma once

#include "qelhost/session/plugin_commands.hpp"

#include <string>
#include <vector>

extern const char HelpText[];

// Runs one command line (trimmed, neither empty nor a comment); false after
// quit or exit. Throws BadCommand for a command that cannot be run.
bool RunCommand(Session& S, const std::string& Line);

// The words of Text, split at blanks.
std::vector<std::string> AllWords(const std::string& Text);
