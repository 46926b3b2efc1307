// What the session's show command prints of the editor: the status line
// (the file's name or the plugin's title, modified, line and column), the
// key bar the plugin set, and the text with its tabs expanded, each line
// numbered, and under the cursor's line and each line in the block a line
// that marks the cursor (^) and the block's cells (~; one past the text
// when the block takes the line's end).
#pragma once

#include "qelhost/services/editor_window.hpp"

#include <string>

// At most this many lines of the text are printed; the rest are counted.
constexpr int MaxShownLines = 1000;

std::string EditorPicture(const EditorWindow& Editor);

// The status line alone: "sample.txt (modified) │ Line 1/5 │ Col 6".
std::string EditorStatus(const EditorWindow& Editor);
