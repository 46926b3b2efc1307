// The host's modal dialog: items drawn at their places, the user's edits
// played into the edit field, and the closing item returned.
#pragma once

#include "host/host_interface.hpp"

// X1 = Y1 = -1 centres the dialog, X2 and Y2 then being its width and
// height. Returns the position of the item that closed it, or -1 for Esc.
int RunHostDialog(int X1, int Y1, int X2, int Y2, FarDialogItem* Items, int ItemsNumber);
