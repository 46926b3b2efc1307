// The session commands that make the host call the plugin: the plugins
// menus, the command line, Enter on a file, keys on its panel, leaving it.
#pragma once

#include "qelhost/session/entry_points.hpp"

#include <string>
#include <vector>

struct Session {
    PluginEntries Plugin;
    Registration Registered;
    Native::PluginStartupInfo StartupInfo;
    std::vector<HANDLE> Panels; // open plugin panels, the active one last
    int Line = 0;               // of the session input
};

// A command that cannot be run, found before any call into the plugin.
struct BadCommand {
    std::string Why;
};

// Where is panels, editor or viewer; Item counts from 1 ("" is 1).
void ChooseFromMenu(Session& S, const std::string& Where, const std::string& Item);
void TypeCommandLine(Session& S, const std::string& Text);
void PressEnterOnFile(Session& S, const std::string& Path);
// The words of a key command (the key's name, then its modifiers): its
// virtual key, modifier bits and title; a BadCommand names a mistake.
struct NamedKey {
    int VirtualKey;
    unsigned State;
    std::string Title;
};
NamedKey ReadKeyWords(const std::vector<std::string>& Words);

// Words: the key's name, then its modifiers.
void PressKey(Session& S, const std::vector<std::string>& Words);
// The user leaves the plugin's panel: ProcessEvent(FE_CLOSE) may refuse,
// unless Forced (the host is ending).
void CloseActivePanel(Session& S, bool Forced = false);
// Item counts from 1 ("" is 1) in the plugins configuration menu.
void ConfigurePlugin(Session& S, const std::string& Item);
