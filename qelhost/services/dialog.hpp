// The host's modal dialog: drawn, the user's answer played into it (edits in
// its field, check boxes, radio buttons and list items), and the item that
// closed it returned. A dialog of DialogEx also tells its procedure what
// happens, and lets it refuse a button or the close.
#pragma once

#include "qelhost/services/dialog_items.hpp"
#include "qelhost/services/user_answer.hpp"

struct RunningDialog {
    std::vector<DialogItem> Items;
    int Width = 0, Height = 0; // within the screen
    int Focus = -1;
    // DialogEx's procedure, told each event; null for a plain Dialog.
    long (*Send)(RunningDialog& Dialog, int Msg, int Param1, long Param2) = nullptr;
    FARWINDOWPROC Procedure = nullptr;
    long Data = 0;        // DialogEx's Param, DM_GETDLGDATA's answer
    bool Changed = false; // since it was last drawn
    int CloseAsked = -2;  // DM_CLOSE's exit code; -2 while none
    int RedrawLocks = 0;  // DM_ENABLEREDRAW
};

// The dialog of the plugin's corners: X1 = Y1 = -1 centres it, X2 and Y2
// then being its width and height.
void PlaceDialog(RunningDialog& Dialog, int X1, int Y1, int X2, int Y2);

// Runs the dialog to its close. The field opens with its text selected, as
// in the real hosts: typing replaces it. Returns the position of the item
// that closed it, or PressedEsc; Field is then the position of the field the
// user edited, or -1.
int RunHostDialog(RunningDialog& Dialog, int& Field, AnswerSource Ask);

// The same for a dialog the host makes of its own items.
int RunHostDialog(int X1, int Y1, int X2, int Y2, std::vector<DialogItem>& Items, int& Field,
                  AnswerSource Ask);

// Moves the focus to Item, telling the procedure (DN_KILLFOCUS may keep it).
void MoveFocus(RunningDialog& Dialog, int Item);
// Sets a check box's or radio button's state (a radio button clears the
// others of its group); returns the state it had.
int SetCheck(RunningDialog& Dialog, int Item, int State);
