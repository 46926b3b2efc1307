// A session of the host with one plugin: the start-up calls, then commands
// from a script or typed at a prompt.
#pragma once

#include "qelhost/session/command_line.hpp"
#include "qelhost/session/line_input.hpp"
#include "qelhost/gate/plugin_module.hpp"

#include <string>

struct SessionInput {
    LineInput* Commands;
    bool FromTerminal; // prompt, and let the user correct mistakes
    std::string Name;  // for messages: the script's path, or "standard input"
};

// What the loader layers tell the user (loader_notes.hpp), in the transcript.
void NoteFromLoader(const char* Text);

struct Session;
// The next command of the session's input, trimmed, past blank lines and
// comments, echoed as every command is; false at the end of the input. For
// a plugin that reads keys of its own while it runs.
bool NextScriptCommand(Session& S, std::string& Line);

// Runs the session; returns qelhost's exit status.
int RunSession(const PluginModule& Module, const Options& Chosen, SessionInput Input);
