// The host's modal dialog: drawn, the user's edits played into its edit
// field, and the item that closed it returned.
#pragma once

#include "qelhost/services/dialog_items.hpp"
#include "qelhost/services/user_answer.hpp"

// X1 = Y1 = -1 centres the dialog, X2 and Y2 then being its width and
// height. The field opens with its text selected, as in the real hosts:
// typing replaces it. Returns the position of the item that closed it, or
// PressedEsc; Field is then the position of the field the user edited, or -1.
int RunHostDialog(int X1, int Y1, int X2, int Y2, std::vector<DialogItem>& Items, int& Field,
                  AnswerSource Ask);
