// The user's side of boxes and dialogs: answers prepared by the session
// script (or typed at qel>), or asked for at the box's own prompt.
#pragma once

#include <string>
#include <vector>

// What closed a box or dialog, besides the 0-based number of a button.
constexpr int PressedEsc = -1;
constexpr int PressedEnterWithoutDefault = -2; // a dialog without a default button
// A dialog's default button when none of its buttons is one.
constexpr int NoDefaultButton = -1;

struct EditStep {
    enum Kind { Type, Clear, FromHistory } What;
    std::string Text; // UTF-8, for Type
    int Entry = 0;    // 1 = the latest, for FromHistory
};

struct Answer {
    int Line = 0; // of the session input; 0 when asked for at the box
    std::vector<EditStep> Edits;
    enum Kind { PressButton, PressEnter, PressEsc } Close = PressEnter;
    std::string ButtonName; // label (UTF-8) or number from 1, for PressButton
};

// Prepared steps: edits gather until a closing step completes the answer.
void PrepareEdit(const EditStep& Step, int Line);
void PrepareClose(Answer::Kind Close, const std::string& Button, int Line);

// The input line of the oldest prepared answer or pending edit, 0 if none.
int FirstUnusedAnswerLine();
void DropPreparedAnswers();

// The dialog's edit field, as the user sees it.
struct FieldView {
    std::string Text;        // UTF-8
    std::string HistoryName; // empty without a history
};

// The answer for the box or dialog called What, whose buttons show the faces
// Buttons; Field is null without an edit field. The next prepared answer when
// it fits (its button and history entries exist); else, on a terminal, the
// user is asked; in a script the run stops. Once the user has ended the
// input, Esc.
Answer NextAnswer(const std::string& What, const std::vector<std::string>& Buttons,
                  const FieldView* Field);

// The 0-based button that Reply presses, PressedEsc, or, for Enter without
// a default button, PressedEnterWithoutDefault.
int ChosenButton(const Answer& Reply, const std::vector<std::string>& Buttons, int DefaultButton);

// Tells what the user pressed.
void ReportClose(const Answer& Reply, int Pressed, const std::vector<std::string>& Buttons);
