// The user's side of boxes and dialogs: answers prepared by the session
// script (or typed at qel>), or asked for at the box's own prompt.
#pragma once

#include "qelhost/services/user_answer.hpp"

#include <string>
#include <vector>

// Prepared steps: edits gather until a closing step completes the answer.
void PrepareEdit(const EditStep& Step, int Line);
void PrepareClose(Answer::Kind Close, const std::string& Button, int Line);

// The input line of the oldest prepared answer or pending edit, 0 if none.
int FirstUnusedAnswerLine();
void DropPreparedAnswers();

// The line of the command now running, named when a box it shows finds no
// prepared answer.
void NoteCommandLine(int Line);

// The session's AskUser (user_answer.hpp): the next prepared answer when it
// fits (its button and history entries exist); else, on a terminal, the
// user is asked; in a script the run stops. Once the user has ended the
// input, Esc.
Answer NextAnswer(const std::string& What, const std::vector<std::string>& Buttons,
                  const FieldView* Field, const std::vector<std::string>* BreakKeys);
