// The user's side of boxes and dialogs: answers prepared by the session
// script, or asked for on the terminal, and the host's history lists.
#pragma once

#include <string>
#include <vector>

struct EditStep {
    enum Kind { Type, Clear, FromHistory } What;
    std::string Text; // UTF-8, for Type
    int Entry = 0;    // 1 = the latest, for FromHistory
};

struct Answer {
    int Line = 0; // of the session script; 0 when asked for
    std::vector<EditStep> Edits;
    enum Kind { PressButton, PressEnter, PressEsc } Close = PressEnter;
    std::string ButtonName; // label (UTF-8) or 1-based number, for Button
};

// Script steps: edits gather until a closing step completes the answer.
void PrepareEdit(const EditStep& Step, int Line);
void PrepareClose(Answer::Kind Close, const std::string& Button, int Line);

// The script line of the oldest prepared answer or pending edit, 0 if none.
int FirstUnusedAnswerLine();

// Whether the user is asked on the terminal when nothing was prepared.
void AskOnTerminal(bool Ask);

// The answer for the box or dialog called What: the next prepared one, else
// asked on the terminal, else the run stops. Buttons are the faces shown;
// Field is null for a box without an edit field.
struct FieldView {
    std::string Text;        // UTF-8
    std::string HistoryName; // empty without a history
};
Answer NextAnswer(const std::string& What, const std::vector<std::string>& Buttons,
                  const FieldView* Field);

// The 0-based position in Buttons that Answer presses, or -1 for Esc; stops
// the run when it names no button. DefaultButton is what Enter presses.
int ChosenButton(const Answer& Answer, const std::vector<std::string>& Buttons, int DefaultButton);

// Tells what the user pressed: Pressed is the 0-based button, -1 for Esc,
// or -2 for Enter on a dialog without a default button.
void ReportClose(const Answer& Answer, int Pressed, const std::vector<std::string>& Buttons);

// History lists by name, latest entry first, each entry once.
const std::vector<std::string>& History(const std::string& Name);
void AddToHistory(const std::string& Name, const std::string& Text);
