// The host's message box: drawn, answered, and the pressed button returned.
#pragma once

#include "qelhost/services/user_answer.hpp"

#include <stdint.h>

#include <string>
#include <vector>

struct MessageContent {
    uint32_t Flags = 0;
    std::u32string Title;
    std::vector<std::u32string> Texts;   // a text may hold line breaks
    std::vector<std::u32string> Buttons; // labels, hotkey markers included
};

// Draws the box on the screen (texts escaped, long lines and too many lines
// cut visibly), asks the user which button closes it, and returns its
// 0-based number, or PressedEsc.
int ShowHostMessage(const MessageContent& Box, AnswerSource Ask);
