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
    std::string Name;       // as the user named it
    std::string Path;       // the file of this machine it is read from and saved to
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

// Opens the editor on the file the Windows path Name names (through the
// drives of platform.hpp), at Line and Pos (from 0). Returns "" or why the
// file cannot be edited; a file that is not there opens empty, as a new one.
std::string OpenEditorWindow(const std::string& Name, int Line, int Pos);
void CloseEditorWindow();

// Writes the text to Path; "" or the system's reason.
std::string SaveEditorText(EditorWindow& Editor, const std::string& Path);

// Where a window's file is: the file of this machine that the Windows path
// Name names, and the full Windows path the plugin is shown. "" or why the
// name cannot be used.
struct WindowFile {
    std::string Path;
    std::string PluginPath;
};
std::string FindWindowFile(const std::string& Name, WindowFile& File);

// The file's name as the window's title shows it: what follows the last
// "\", "/" or ":" of the name the user gave.
std::string TitleName(const std::string& Name);

// The largest file the editor and the viewer read.
constexpr size_t MaxEditedBytes = 16 * 1024 * 1024;

// Reads the regular file at Path whole (at most MaxEditedBytes): "" or why not.
std::string ReadWholeFile(const std::string& Path, std::string& Bytes);
