// The user at a terminal: the prompts (qel> and those of boxes and
// dialogs) and the lines typed at them. One input serves them all.
#pragma once

#include "qelhost/session/line_input.hpp"

#include <string>

// The terminal's input, or null when the session is not typed at one.
void UseTerminal(LineInput* Input);
bool OnTerminal();

// Shows Prompt and reads the line typed. False once the input has ended
// (Ctrl-D), the cursor then on a fresh line. A line too long is refused with
// one line of explanation and asked for again.
bool AskLine(const std::string& Prompt, std::string& Line);

// Whether the user has ended the input.
bool InputEnded();

// A mistake at a prompt: one line, and the prompt comes again.
void TellMistake(const std::string& Why);
