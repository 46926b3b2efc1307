// The user's side of the host's boxes and dialogs, as the services see it:
// they ask their caller for the answer (an AnswerSource it hands them), then
// apply it: edits to the dialog's field, and the button that closes it.
#pragma once

#include <string>
#include <vector>

// What closed a box or dialog, besides the 0-based number of a button.
constexpr int PressedEsc = -1;
constexpr int PressedEnterWithoutDefault = -2; // a dialog without a default button
// A dialog's default button when none of its buttons is one.
constexpr int NoDefaultButton = -1;

struct EditStep {
    enum Kind { Type, Append, Clear, FromHistory, Check, Radio, ListItem } What;
    std::string Text; // UTF-8, for Type and Append
    // 1 = the latest, for FromHistory; the dialog's check box, radio button
    // or list item of that number (from 1), for Check, Radio and ListItem.
    int Entry = 0;
};

// Whether the step edits the field's text.
inline bool EditsText(const EditStep& Step) {
    return Step.What <= EditStep::FromHistory;
}

struct Answer {
    int Line = 0; // of the session input; 0 when asked for at the box
    std::vector<EditStep> Edits;
    enum Kind { PressButton, PressEnter, PressEsc, PressKey } Close = PressEnter;
    // Label (UTF-8) or number from 1, for PressButton; the key's name
    // ("ShiftF4"), for PressKey.
    std::string ButtonName;
};

// The dialog's edit field, as the user sees it, and how many check boxes,
// radio buttons and list items it has besides.
struct FieldView {
    bool HasField = true;
    std::string Text;        // UTF-8
    std::string HistoryName; // empty without a history
    int CheckBoxes = 0, RadioButtons = 0, ListItems = 0;
    // Why each list item (the first at 0) cannot be chosen, "" for one that
    // can: the cursor never stops on a separator or a disabled item.
    std::vector<std::string> ListItemsBarred = {};
};

// Why the list item Entry (from 1, one of Field's) cannot be chosen ("list
// item 4 is a separator"), or "".
std::string BarredListItem(const FieldView& Field, int Entry);

// The answer for the box, dialog or menu called What ("the box
// \"Information\""), whose buttons (a menu's items) show the faces Buttons
// ("{ Ok }"; an empty face cannot be chosen); Field is null without an edit
// field; BreakKeys, the names of a menu's break keys, is null for a box or
// dialog. Whatever it returns fits: its button, key and history entries exist.
typedef Answer (*AnswerSource)(const std::string& What, const std::vector<std::string>& Buttons,
                               const FieldView* Field, const std::vector<std::string>* BreakKeys);

// The 0-based position of the button named by its label (without case) or
// its number from 1, or -1 when there is none (or its face is empty).
int FindButton(const std::string& Name, const std::vector<std::string>& Buttons);

// The 0-based button that Reply presses, PressedEsc, or, for Enter without
// a default button, PressedEnterWithoutDefault.
int ChosenButton(const Answer& Reply, const std::vector<std::string>& Buttons, int DefaultButton);

// Tells what the user pressed.
void ReportClose(const Answer& Reply, int Pressed, const std::vector<std::string>& Buttons);
