// A dialog's items as the host takes them from the plugin: copied from its
// FarDialogItem records after checking, texts converted from code page 866,
// and the edited field's text written back.
#pragma once

#include "host/host_interface.hpp"

#include <string>
#include <vector>

struct DialogItem {
    int Type = DI_TEXT;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // as the plugin gave them
    bool Focus = false;
    bool Selected = false;
    DWORD Flags = 0;
    bool Default = false;
    std::u32string Text;
    std::string HistoryName; // UTF-8; empty when the item keeps no history
};

bool IsEdit(const DialogItem& Item);

// Checks the count and the records (readable and writable), and copies them.
std::vector<DialogItem> ReadDialogItems(FarDialogItem* Items, int Count);

// Writes Item's text into the plugin's record Position, cut to its buffer.
void WriteDialogText(FarDialogItem* Items, int Position, const DialogItem& Item);
