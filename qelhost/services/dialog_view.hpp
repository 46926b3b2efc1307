// How the host draws a dialog: items at their places, clipped to the screen.
#pragma once

#include "qelhost/services/dialog_items.hpp"

// What an item shows in its row: a button's face, a check box with its
// mark, a text without hotkey markers; escaped.
std::u32string ItemFace(const DialogItem& Item);

// Draws the dialog of Width by Height (already within the screen) and the
// items, which may reach past its edges, as far as the screen reaches.
void DrawDialog(const std::vector<DialogItem>& Items, int Width, int Height);
