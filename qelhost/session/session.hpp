// A session of the host with one plugin: the start-up calls, then commands
// from a script or typed at a prompt.
#pragma once

#include "qelhost/windows/pe_loader.hpp"

#include <istream>

struct SessionInput {
    std::istream* Commands;
    bool FromTerminal; // prompt, and report bad commands without stopping
};

// Runs the session; returns qelhost's exit status.
int RunSession(const PluginModule& Module, const std::string& ModulePath, SessionInput Input);
