// The session's commands for the host's editor and viewer: opening one on a
// real file, keys and typing in it, show, save and close; and the events
// the plugin gets from them. One window is open at a time; while it is,
// key and close go to it, and the plugins menu of its kind is opened from it.
#pragma once

#include "qelhost/session/plugin_commands.hpp"

#include <string>
#include <vector>

// Hands the services what they need of the session: the plugin's events and
// the script's next key. Once, before the plugin starts.
void ConnectWindows(Session& S);

// Words: FILE, then LINE and COL from 1.
void EditFile(const std::vector<std::string>& Words);
void ViewFile(const std::string& Path);
void ShowWindow();
void SaveEditedFile();
void TypeIntoEditor(Session& S, const std::string& Text);

// False when no editor or viewer is open, to leave the command as it was.
bool KeyToWindow(Session& S, const std::vector<std::string>& Words);
bool CloseWindow();
// The plugins menu of the open window's kind: the menu's call and what
// follows it (the window closing if the plugin asked, its redraw).
bool MenuFromWindow(Session& S, const std::string& Where, const std::string& Item);

// At the end of the session: the window closes, unsaved changes dropped.
void CloseWindowsAtEnd();
