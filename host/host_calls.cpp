#include "host/host_calls.hpp"

#include "host/bounded_text.hpp"

#include <string.h>

static const char InformationTitle[] = "Information";
static const char OkButton[] = "Ok";

const char* GetMessageText(MessageId Id) {
    return StartupInfoCopy.GetMsg(StartupInfoCopy.ModuleNumber, Id);
}

int ShowMessageBox(DWORD Flags, const char* HelpTopic, int ButtonsNumber, const MessageLine* Lines,
                   int LinesNumber) {
    if (LinesNumber < 0 || LinesNumber > MaxMessageLines)
        return -1;
    const char* Items[MaxMessageLines];
    for (int I = 0; I < LinesNumber; ++I)
        Items[I] = Lines[I];
    return StartupInfoCopy.Message(StartupInfoCopy.ModuleNumber, Flags, HelpTopic, Items,
                                   LinesNumber, ButtonsNumber);
}

void ShowInformation(const char* Text) {
    MessageLine Lines[3] = {};
    CopyBoundedText(Lines[0], MessageLineSize, InformationTitle);
    CopyBoundedText(Lines[1], MessageLineSize, Text);
    CopyBoundedText(Lines[2], MessageLineSize, OkButton);
    ShowMessageBox(0, nullptr, 1, Lines, 3);
}

void ShowMessage(MessageId Id) {
    ShowInformation(GetMessageText(Id));
}

static bool CarriesEditedText(int Type) {
    return Type == DI_EDIT || Type == DI_FIXEDIT;
}

static void FillHostItem(FarDialogItem& Host, const DialogItemSpec& Description) {
    Host.Type = Description.Type;
    Host.X1 = Description.X1;
    Host.Y1 = Description.Y1;
    Host.X2 = Description.X2;
    Host.Y2 = Description.Y2;
    Host.Focus = Description.Focus;
    Host.Selected = Description.Selected;
    if (Description.Flags & DIF_HISTORY)
        Host.History = Description.History; // the whole field, pointer-wide on any build
    Host.Flags = Description.Flags;
    Host.DefaultButton = Description.DefaultButton;
    CopyBoundedText(Host.Data, DialogTextSize, Description.Data);
}

static void CarryBack(DialogItemSpec& Description, const FarDialogItem& Host) {
    Description.Selected = Host.Selected;
    if (!CarriesEditedText(Description.Type) || Description.Data == nullptr)
        return;
    // Edit items are given writable buffers. The host's 512 bytes come back
    // whole; the last is made a terminator so the text always ends inside.
    char* Buffer = const_cast<char*>(Description.Data);
    memcpy(Buffer, Host.Data, DialogTextSize);
    TerminateWithin(Buffer, DialogTextSize);
}

int RunDialog(int Width, int Height, DialogItemSpec* Items, int ItemsNumber) {
    if (ItemsNumber < 0 || ItemsNumber > MaxDialogItems)
        return -1;
    FarDialogItem HostItems[MaxDialogItems];
    memset(HostItems, 0, ItemsNumber * sizeof(FarDialogItem));
    for (int I = 0; I < ItemsNumber; ++I)
        FillHostItem(HostItems[I], Items[I]);
    int Result = StartupInfoCopy.Dialog(StartupInfoCopy.ModuleNumber, -1, -1, Width, Height,
                                        nullptr, HostItems, ItemsNumber);
    for (int I = 0; I < ItemsNumber; ++I)
        CarryBack(Items[I], HostItems[I]);
    return Result;
}
