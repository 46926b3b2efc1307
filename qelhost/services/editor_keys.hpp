// Keys as the host's editor and viewer take them: the key code of a console
// key event, and what each window does with a key the plugin left to it.
#pragma once

#include "host/native_keys.hpp"
#include "qelhost/services/editor_window.hpp"
#include "qelhost/services/viewer_window.hpp"

#include <string>

// The host's key code of a key event (a printable character is its byte;
// with Ctrl or Alt, a letter is its upper-case code), or 0 for another event.
int KeyOfInputRecord(const INPUT_RECORD& Record);

enum class WindowAction {
    Nothing, // the window has no use for the key
    Done,    // it moved, typed or deleted
    Save,    // F2: the file is to be saved
    Close,   // Esc or F10: the window is to close
};

// What the editor does with Key, done on its text (but for Save and Close,
// which the caller does, with the events they bring).
WindowAction EditorTakesKey(EditorWindow& Editor, int Key);
// The same for the viewer: scrolling, F2 wraps, F4 shows hex.
WindowAction ViewerTakesKey(ViewerWindow& Viewer, int Key);
