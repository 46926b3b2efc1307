// EditorControl and ViewerControl, the services through which a plugin
// reads and changes the open editor or viewer. What they change is told in
// the transcript (reading is quiet); records the plugin hands over are read
// and written without trusting its pointers, a bad one stopping the run
// with the service and command named.
#pragma once

#include "host/native_editor.hpp"
#include "host/native_keys.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/services/editor_window.hpp"

#include <string>

// What the services need of the session above them: the plugin's event
// entry points, and the next key of the script (ECTL_READINPUT).
struct WindowHooks {
    void (*EditorEvent)(int Event, void* Param);
    // The next key the user presses, as its console record: false, with the
    // reason told, when the script has none.
    bool (*ReadKey)(INPUT_RECORD& Record);
};
void SetWindowHooks(WindowHooks Hooks);

PLUGIN_STDCALL int EditorControl(int Command, void* Param);
PLUGIN_STDCALL int ViewerControl(int Command, void* Param);

// Saves the editor's text to its file as the host does: EE_SAVE to the
// plugin first. False when it cannot be written (told in the transcript).
bool SaveEditorFile(EditorWindow& Editor);

// ECTL_SETKEYBAR and VCTL_SETKEYBAR: tells the plain labels of the key bar
// the plugin hands over (null: the window's own; -1: redraw it).
void TellKeyBar(const std::string& Where, const void* Param);

// The name of an ECTL_ or VCTL_ command, or its number in hex.
std::string EditorCommandName(int Command);
std::string ViewerCommandName(int Command);
