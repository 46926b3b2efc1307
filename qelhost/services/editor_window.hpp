// The one editor window qelhost opens on a real file: its text, where it
// was read from, what the plugin is shown, and what the plugin set on it
// (title, key bar, colours). One editor at a time, as the session drives
// one window.
#pragma once

#include "qelhost/services/editor_text.hpp"

#include <string>
#include <vector>

// A colour the plugin gave a stretch of a line (ECTL_ADDCOLOR).
struct EditorColour {
    int Line = 0;
    int StartPos = 0;
    int EndPos = 0;
    int Colour = 0;
};

struct EditorWindow {
    int Id = 0;
    std::string Path;       // as the user named it: where it is read and saved
    std::string PluginPath; // the Windows path the plugin is shown, code page 866
    EditorText Text;
    bool HasTitle = false; // the plugin's title instead of the file's name
    std::string Title;     // code page 866
    bool CustomKeyBar = false;
    bool SavedSinceOpened = false;
    bool QuitAsked = false; // ECTL_QUIT: the editor closes when the plugin returns
    std::vector<EditorColour> Colours;
};

// The open editor, or null.
EditorWindow* ActiveEditor();

// Opens the editor on the file at Path, at Line and Pos (from 0; -1 for
// the start). Returns "" or why the file cannot be edited; a file that is
// not there opens empty, as a new one.
std::string OpenEditorWindow(const std::string& Path, int Line, int Pos);
void CloseEditorWindow();

// Writes the text to Path; "" or the system's reason.
std::string SaveEditorText(EditorWindow& Editor, const std::string& Path);

// How the host shows the plugin a file named Path: a Windows path. A
// relative one is on drive C:, which stands for the current folder; an
// absolute Linux path is handed as written.
std::string PluginPathOf(const std::string& Path);

// The largest file the editor and the viewer read.
constexpr size_t MaxEditedBytes = 16 * 1024 * 1024;

// Reads the regular file at Path whole (at most MaxEditedBytes): "" or why not.
std::string ReadWholeFile(const std::string& Path, std::string& Bytes);
