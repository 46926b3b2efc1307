// The plugin's only way of talking to the user: the host's language-file
// lookup, message box and dialog, called through the kept startup record.
// Every operation needs SetStartupInfo to have run and returns when the host
// has closed its box or dialog.
#pragma once

#include "host/host_interface.hpp"

// The startup record the host handed over; every service call goes through
// it, so a later SetStartupInfo takes effect from the next call on.
extern PluginStartupInfo StartupInfoCopy;

// The number of a message in the plugin's language file.
typedef uint8_t MessageId;

// One line of a message box: at most 100 characters and the terminator.
constexpr int MessageLineSize = 101;
typedef char MessageLine[MessageLineSize];

// The plugin's description of one dialog item, turned into a FarDialogItem
// by RunDialog.
struct DialogItemSpec {
    int Type;
    int X1;
    int Y1;
    int X2;
    int Y2;
    int Focus;
    union {
        int Selected;
        const char* History; // with DIF_HISTORY: the name of a host history list
    };
    DWORD Flags;
    int DefaultButton;
    // The item's text. For DI_EDIT and DI_FIXEDIT a writable buffer of at
    // least DialogTextSize bytes, which receives the edited text.
    const char* Data;
};

// Ten 32-bit fields on Windows; on far2l the union and Data are pointer-wide.
#if QELFAR_HOST_FAR2L
static_assert(sizeof(DialogItemSpec) == 48);
static_assert(offsetof(DialogItemSpec, Selected) == 24);
static_assert(offsetof(DialogItemSpec, Flags) == 32);
static_assert(offsetof(DialogItemSpec, Data) == 40);
#else
static_assert(sizeof(DialogItemSpec) == 40);
static_assert(offsetof(DialogItemSpec, Selected) == 24);
static_assert(offsetof(DialogItemSpec, Flags) == 28);
static_assert(offsetof(DialogItemSpec, Data) == 36);
#endif

// The most lines of a box and items of a dialog. The host records for one
// call live on the stack, so showing a box or a dialog never needs the heap
// and cannot fail for want of it; the plugin's own box has 3 lines and its
// dialog 5 items.
constexpr int MaxMessageLines = 8;
constexpr int MaxDialogItems = 8;

// The host's text for a message number, unchecked and uncopied; may be null.
const char* GetMessageText(MessageId Id);

// Shows Lines (title first, buttons last) and returns the host's result;
// more than MaxMessageLines lines are refused with -1, as if cancelled.
int ShowMessageBox(DWORD Flags, const char* HelpTopic, int ButtonsNumber, const MessageLine* Lines,
                   int LinesNumber);

// A box titled "Information" with Text as its one line and the button "Ok".
// Text is cut to 100 characters; a null Text shows an empty line.
void ShowInformation(const char* Text);

// ShowInformation of a language-file message.
void ShowMessage(MessageId Id);

// Runs a dialog of Width x Height, centred, from the descriptions, and
// carries back each item's Selected and the text of its edit items. Returns
// the host's result: the position of the closing item, or -1. More than
// MaxDialogItems items are refused with -1, the items left unchanged.
int RunDialog(int Width, int Height, DialogItemSpec* Items, int ItemsNumber);
