// A dialog's items as the host takes them from the plugin: copied from its
// FarDialogItem records after checking, texts converted from code page 866,
// and the edited field's text written back.
#pragma once

#include "qelhost/services/panel_records.hpp"

#include <string>
#include <vector>

struct DialogItem {
    int Type = DI_TEXT;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // as the plugin gave them
    bool Focus = false;
    int Selected = 0; // a check box's state (2: the third), a radio button's
    DWORD Flags = 0;
    bool Default = false;
    std::u32string Text;
    std::string HistoryName; // UTF-8; empty when the item keeps no history
    // A list or combo box's items, their LIF_* flags, and the one chosen.
    std::vector<std::u32string> List;
    std::vector<DWORD> ListFlags;
    int ListPos = 0;
};

// An item of a dialog the host makes of its own (an input box, a copy's
// question), at the corners given.
DialogItem HostDialogItem(int Type, int X1, int Y1, int X2, int Y2, const std::u32string& Text,
                          DWORD Flags = 0);

bool IsEdit(const DialogItem& Item);
bool IsList(const DialogItem& Item); // a list box or combo box

// At most this many items in one list of a dialog.
constexpr int MaxListItems = 4096;

// Checks the count and the records (readable and writable), and copies them;
// a bad one stops the run naming the service Where.
std::vector<DialogItem> ReadDialogItems(FarDialogItem* Items, int Count,
                                        const char* Where = "Dialog");

// What the user left in Items goes back into the plugin's records: each
// edit field's and combo box's text (cut to its buffer), each check box's
// and radio button's state. A record that cannot take it stops the run
// naming the service Where, whatever the dialog read in between.
void WriteDialogBack(FarDialogItem* Records, const std::vector<DialogItem>& Items,
                     const char* Where = "Dialog");
