// Keys as the host's editor and viewer take them (read from a console key
// event by key_names.hpp's KeyOfInputRecord): what each window does with a
// key the plugin left to it.
#pragma once

#include "host/native_keys.hpp"
#include "qelhost/services/editor_window.hpp"
#include "qelhost/services/viewer_window.hpp"

#include <string>

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
