// The host's input box (the InputBox service): a dialog with a title, a
// subtitle and one edit field, answered as a dialog's field is.
#pragma once

#include "qelhost/services/user_answer.hpp"

#include <string>

struct InputBoxContent {
    std::u32string Title, SubTitle, Text;
    std::string HistoryName; // UTF-8; empty: no history
    bool Password = false;   // the field shows '*'
    bool Buttons = false;    // Ok and Cancel under the field
};

// Draws the box and plays the user's answer into its field. True when the
// user accepted (Enter, or Ok), with Text the field's text; false for Esc
// or Cancel.
bool RunInputBox(InputBoxContent& Box, AnswerSource Ask);
