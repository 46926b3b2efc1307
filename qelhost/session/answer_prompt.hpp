// The prompts of a box or dialog that has no prepared answer: the user
// edits the field (or takes a history entry) and picks the button.
#pragma once

#include "qelhost/session/answers.hpp"

// The 0-based position of the button named by its label (without case) or
// its number from 1, or -1 when there is none.
int FindButton(const std::string& Name, const std::vector<std::string>& Buttons);

// Asks until the user gives a fitting answer; Esc when the input ends.
Answer AskUser(const std::vector<std::string>& Buttons, const FieldView* Field);
