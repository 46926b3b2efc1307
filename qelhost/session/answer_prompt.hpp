// The prompts of a box or dialog that has no prepared answer: the user
// edits the field (or takes a history entry), toggles check boxes and
// chooses radio buttons and list items, and picks the button.
#pragma once

#include "qelhost/services/user_answer.hpp"

#include <string>
#include <vector>

// Asks until the user gives a fitting answer; Esc when the input ends.
Answer AskUser(const std::vector<std::string>& Buttons, const FieldView* Field,
               const std::vector<std::string>* BreakKeys);
