#include "qelhost/gate/plugin_call.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/dialog_services.hpp"
#include "qelhost/services/dialog_view.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/service_call.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <list>

namespace {

const char Service[] = "SendDlgMessage";

struct PluginDialog {
    RunningDialog Dialog;
    std::vector<FarDialogItem> Records; // the plugin's, as it handed them
};

// The dialogs open now, the innermost last; a handle is the address of one.
std::list<PluginDialog> Open;
AnswerSource Answers = nullptr;

PluginDialog* Find(HANDLE Handle) {
    for (PluginDialog& Each : Open)
        if (&Each == Handle)
            return &Each;
    return nullptr;
}

PluginDialog& Owner(RunningDialog& Dialog) {
    for (PluginDialog& Each : Open)
        if (&Each.Dialog == &Dialog)
            return Each;
    StopRun(ExitQelhostFault, "a dialog of no DialogEx was told an event");
}

struct Named {
    int Code;
    const char* Name;
};
const Named Messages[] = {
    {DN_BTNCLICK, "DN_BTNCLICK"},
    {DN_DRAWDIALOG, "DN_DRAWDIALOG"},
    {DN_EDITCHANGE, "DN_EDITCHANGE"},
    {DN_GOTFOCUS, "DN_GOTFOCUS"},
    {DN_INITDIALOG, "DN_INITDIALOG"},
    {DN_KILLFOCUS, "DN_KILLFOCUS"},
    {DN_LISTCHANGE, "DN_LISTCHANGE"},
    {DN_CLOSE, "DN_CLOSE"},
    {DM_ENABLE, "DM_ENABLE"},
    {DM_ENABLEREDRAW, "DM_ENABLEREDRAW"},
    {DM_GETDLGDATA, "DM_GETDLGDATA"},
    {DM_GETDLGITEM, "DM_GETDLGITEM"},
    {DM_GETTEXT, "DM_GETTEXT"},
    {DM_GETTEXTLENGTH, "DM_GETTEXTLENGTH"},
    {DM_SETDLGDATA, "DM_SETDLGDATA"},
    {DM_SETDLGITEM, "DM_SETDLGITEM"},
    {DM_SETFOCUS, "DM_SETFOCUS"},
    {DM_REDRAW, "DM_REDRAW"},
    {DM_SETTEXT, "DM_SETTEXT"},
    {DM_GETFOCUS, "DM_GETFOCUS"},
    {DM_GETTEXTPTR, "DM_GETTEXTPTR"},
    {DM_SETTEXTPTR, "DM_SETTEXTPTR"},
    {DM_SHOWITEM, "DM_SHOWITEM"},
    {DM_ADDHISTORY, "DM_ADDHISTORY"},
    {DM_GETCHECK, "DM_GETCHECK"},
    {DM_SETCHECK, "DM_SETCHECK"},
    {DM_LISTGETCURPOS, "DM_LISTGETCURPOS"},
    {DM_LISTSETCURPOS, "DM_LISTSETCURPOS"},
    {DM_LISTDELETE, "DM_LISTDELETE"},
    {DM_LISTADD, "DM_LISTADD"},
    {DM_LISTADDSTR, "DM_LISTADDSTR"},
    {DM_LISTSET, "DM_LISTSET"},
    {DM_SETHISTORY, "DM_SETHISTORY"},
    {DM_KEY, "DM_KEY"},
    {DM_MOVEDIALOG, "DM_MOVEDIALOG"},
    {DM_GETDLGRECT, "DM_GETDLGRECT"},
    {DM_LISTGETITEM, "DM_LISTGETITEM"},
    {DM_LISTINFO, "DM_LISTINFO"},
    {DM_RESIZEDIALOG, "DM_RESIZEDIALOG"},
    {DM_SETITEMPOSITION, "DM_SETITEMPOSITION"},
};

std::string MessageName(int Msg) {
    for (const Named& Known : Messages)
        if (Known.Code == Msg)
            return Known.Name;
    if (Msg >= DM_USER)
        return "DM_USER+" + std::to_string(Msg - DM_USER);
    return "message " + std::to_string(Msg);
}

std::string Oem(const std::u32string& Text) {
    return UnicodeToOem(Text);
}

// The item as the plugin's record: its own record with the host's state.
FarDialogItem RecordOf(const PluginDialog& Owned, int Position) {
    const DialogItem& Item = Owned.Dialog.Items[Position];
    FarDialogItem Record = Owned.Records[Position];
    Record.X1 = Item.X1;
    Record.Y1 = Item.Y1;
    Record.X2 = Item.X2;
    Record.Y2 = Item.Y2;
    Record.Focus = Item.Focus;
    Record.Flags = Item.Flags;
    Record.DefaultButton = Item.Default;
    if (Item.Type == DI_CHECKBOX || Item.Type == DI_RADIOBUTTON)
        Record.Selected = Item.Selected;
    memset(Record.Data, 0, sizeof Record.Data);
    std::string Text = Oem(Item.Text).substr(0, DialogTextSize - 1);
    memcpy(Record.Data, Text.data(), Text.size());
    return Record;
}

// The host's default answer to each message.
long DefaultAnswer(const RunningDialog& Dialog, int Msg, int Param1, long Param2) {
    switch (Msg) {
    case DN_CLOSE:
    case DN_EDITCHANGE:
    case DN_LISTCHANGE:
    case DN_DRAWDIALOG:
    case DN_HOTKEY:
        return TRUE;
    case DN_KILLFOCUS:
        return -1;
    case DN_BTNCLICK: {
        // A button closes the dialog unless told not to; a check box or
        // radio button keeps its new state.
        bool Valid = Param1 >= 0 && Param1 < static_cast<int>(Dialog.Items.size());
        const DialogItem* Item = Valid ? &Dialog.Items[Param1] : nullptr;
        return Item != nullptr && Item->Type == DI_BUTTON && !(Item->Flags & DIF_BTNNOCLOSE) ? FALSE
                                                                                             : TRUE;
    }
    case DN_CTLCOLORDIALOG:
    case DN_CTLCOLORDLGITEM:
    case DN_CTLCOLORDLGLIST:
        return Param2;
    default:
        return 0;
    }
}

// Tells the plugin's procedure, through the gate; without one, the
// host's default answer.
long Tell(RunningDialog& Dialog, int Msg, int Param1, long Param2) {
    PluginDialog& Owned = Owner(Dialog);
    if (Dialog.Procedure == nullptr)
        return DefaultAnswer(Dialog, Msg, Param1, Param2);
    FarDialogItem Changed; // DN_EDITCHANGE hands the item's new state
    if (Msg == DN_EDITCHANGE) {
        Changed = RecordOf(Owned, Param1);
        Param2 = static_cast<long>(reinterpret_cast<uintptr_t>(&Changed));
    }
    long Result = static_cast<long>(CallPluginBack(
        "the dialog procedure of DialogEx", reinterpret_cast<const void*>(Dialog.Procedure),
        {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&Owned)), static_cast<uint32_t>(Msg),
         static_cast<uint32_t>(Param1), static_cast<uint32_t>(Param2)}));
    if (Msg == DN_EDITCHANGE)
        printf("host: the dialog procedure gets %s(%d): %ld\n", MessageName(Msg).c_str(), Param1,
               Result);
    else
        printf("host: the dialog procedure gets %s(%d, %ld): %ld\n", MessageName(Msg).c_str(),
               Param1, Param2, Result);
    return Result;
}

template <typename Record> Record ReadParam(int Msg, long Param) {
    Record Value;
    const void* From = reinterpret_cast<const void*>(static_cast<uintptr_t>(Param));
    if (!CopyFromPlugin(&Value, From, sizeof Value))
        PluginFault(Service, MessageName(Msg) + ": the parameter at " + AddressText(From) +
                                 " cannot be read");
    return Value;
}

void WriteBytes(int Msg, long Param, const void* Bytes, size_t Size) {
    void* To = reinterpret_cast<void*>(static_cast<uintptr_t>(Param));
    if (!CopyToPlugin(To, Bytes, Size))
        PluginFault(Service, MessageName(Msg) + ": the parameter at " + AddressText(To) +
                                 " cannot take " + std::to_string(Size) + " bytes");
}

std::u32string TextParam(int Msg, long Param) {
    return ReadText(Service, MessageName(Msg) + "'s text",
                    reinterpret_cast<const char*>(static_cast<uintptr_t>(Param)));
}

void AddListItems(DialogItem& Item, const FarList& List, int Msg) {
    int Count = CheckedCount(Service, List.ItemsNumber, MaxListItems, "list items", "lists");
    std::vector<FarListItem> Items =
        ReadList(Service, (MessageName(Msg) + "'s list").c_str(), List.Items, Count);
    for (const FarListItem& Entry : Items) {
        Item.List.push_back(
            OemToUnicode(std::string(Entry.Text, strnlen(Entry.Text, sizeof Entry.Text))));
        Item.ListFlags.push_back(Entry.Flags);
    }
}

long TextRequest(PluginDialog& Owned, int Msg, int Position, long Param2) {
    DialogItem& Item = Owned.Dialog.Items[Position];
    std::string Text = Oem(Item.Text);
    switch (Msg) {
    case DM_GETTEXTLENGTH:
        return static_cast<long>(Text.size());
    case DM_GETTEXTPTR:
        if (Param2 != 0)
            WriteBytes(Msg, Param2, Text.c_str(), Text.size() + 1);
        return static_cast<long>(Text.size());
    case DM_GETTEXT: {
        if (Param2 == 0)
            return static_cast<long>(Text.size());
        FarDialogItemData Data = ReadParam<FarDialogItemData>(Msg, Param2);
        size_t Length =
            Data.PtrLength <= 0 ? Text.size() : std::min<size_t>(Data.PtrLength, Text.size());
        std::string Part = Text.substr(0, Length);
        WriteBytes(Msg, static_cast<long>(reinterpret_cast<uintptr_t>(Data.PtrData)), Part.c_str(),
                   Part.size() + 1);
        Data.PtrLength = static_cast<int>(Length);
        WriteBytes(Msg, Param2, &Data, sizeof Data);
        return static_cast<long>(Length);
    }
    case DM_SETTEXT: {
        FarDialogItemData Data = ReadParam<FarDialogItemData>(Msg, Param2);
        std::u32string New = ReadText(Service, "DM_SETTEXT's text", Data.PtrData);
        if (Data.PtrLength > 0 && static_cast<size_t>(Data.PtrLength) < New.size())
            New.resize(Data.PtrLength);
        Item.Text = New.substr(0, DialogTextSize - 1);
        break;
    }
    default: // DM_SETTEXTPTR
        Item.Text = TextParam(Msg, Param2).substr(0, DialogTextSize - 1);
        break;
    }
    Owned.Dialog.Changed = true;
    return static_cast<long>(Oem(Item.Text).size());
}

long ListRequest(PluginDialog& Owned, int Msg, int Position, long Param2) {
    DialogItem& Item = Owned.Dialog.Items[Position];
    int Count = static_cast<int>(Item.List.size());
    Owned.Dialog.Changed = true;
    switch (Msg) {
    case DM_LISTGETCURPOS:
        if (Param2 != 0) {
            FarListPos Where = {Item.ListPos, 0};
            WriteBytes(Msg, Param2, &Where, sizeof Where);
        }
        return Item.ListPos;
    case DM_LISTSETCURPOS: {
        FarListPos Where = ReadParam<FarListPos>(Msg, Param2);
        Item.ListPos = std::clamp(Where.SelectPos, 0, std::max(Count - 1, 0));
        if (Item.Type == DI_COMBOBOX && Count > 0)
            Item.Text = Item.List[Item.ListPos];
        return Item.ListPos;
    }
    case DM_LISTDELETE:
        if (Param2 != 0)
            StopRun(ExitStopped, "SendDlgMessage: DM_LISTDELETE of some items, which qelhost "
                                 "does not provide (only of all, with a null parameter)");
        Item.List.clear();
        Item.ListFlags.clear();
        Item.ListPos = 0;
        return 0;
    case DM_LISTADDSTR:
        Item.List.push_back(TextParam(Msg, Param2));
        Item.ListFlags.push_back(0);
        return static_cast<long>(Item.List.size()) - 1;
    case DM_LISTSET:
        Item.List.clear();
        Item.ListFlags.clear();
        Item.ListPos = 0;
        [[fallthrough]];
    default: // DM_LISTADD
        AddListItems(Item, ReadParam<FarList>(Msg, Param2), Msg);
        return static_cast<long>(Item.List.size());
    }
}

// Requests on one item: Param1 is its position.
long ItemRequest(PluginDialog& Owned, int Msg, int Position, long Param2) {
    RunningDialog& Dialog = Owned.Dialog;
    DialogItem& Item = Dialog.Items[Position];
    switch (Msg) {
    case DM_ENABLE:
    case DM_SHOWITEM: {
        DWORD Flag = Msg == DM_ENABLE ? DIF_DISABLE : DIF_HIDDEN;
        bool Was = !(Item.Flags & Flag);
        if (Param2 != -1) {
            Item.Flags = Param2 ? Item.Flags & ~Flag : Item.Flags | Flag;
            Dialog.Changed = true;
        }
        return Was;
    }
    case DM_GETCHECK:
        return Item.Selected;
    case DM_SETCHECK: {
        int State = Param2 == BSTATE_TOGGLE ? !Item.Selected : static_cast<int>(Param2);
        return SetCheck(Dialog, Position, State);
    }
    case DM_SETFOCUS:
        MoveFocus(Dialog, Position);
        return TRUE;
    case DM_GETDLGITEM: {
        FarDialogItem Record = RecordOf(Owned, Position);
        WriteBytes(Msg, Param2, &Record, sizeof Record);
        return TRUE;
    }
    case DM_SETDLGITEM: {
        FarDialogItem* Given = reinterpret_cast<FarDialogItem*>(static_cast<uintptr_t>(Param2));
        Item = ReadDialogItems(Given, 1, Service)[0];
        Owned.Records[Position] = ReadParam<FarDialogItem>(Msg, Param2);
        Dialog.Changed = true;
        return TRUE;
    }
    case DM_SETHISTORY:
        Item.HistoryName = Param2 == 0 ? "" : ToUtf8(TextParam(Msg, Param2));
        Item.Flags = Param2 == 0 ? Item.Flags & ~DIF_HISTORY : Item.Flags | DIF_HISTORY;
        Dialog.Changed = true;
        return TRUE;
    case DM_ADDHISTORY:
        if (!Item.HistoryName.empty() && Param2 != 0)
            AddToHistory(Item.HistoryName, ToUtf8(TextParam(Msg, Param2)));
        return TRUE;
    case DM_GETTEXT:
    case DM_GETTEXTLENGTH:
    case DM_GETTEXTPTR:
    case DM_SETTEXT:
    case DM_SETTEXTPTR:
        return TextRequest(Owned, Msg, Position, Param2);
    default:
        if (!IsList(Item))
            return FALSE;
        return ListRequest(Owned, Msg, Position, Param2);
    }
}

bool IsItemRequest(int Msg) {
    switch (Msg) {
    case DM_ENABLE:
    case DM_SHOWITEM:
    case DM_GETCHECK:
    case DM_SETCHECK:
    case DM_SETFOCUS:
    case DM_GETDLGITEM:
    case DM_SETDLGITEM:
    case DM_SETHISTORY:
    case DM_ADDHISTORY:
    case DM_GETTEXT:
    case DM_GETTEXTLENGTH:
    case DM_GETTEXTPTR:
    case DM_SETTEXT:
    case DM_SETTEXTPTR:
    case DM_LISTGETCURPOS:
    case DM_LISTSETCURPOS:
    case DM_LISTDELETE:
    case DM_LISTADD:
    case DM_LISTADDSTR:
    case DM_LISTSET:
        return true;
    default:
        return false;
    }
}

long ServeRequest(PluginDialog& Owned, int Msg, int Param1, long Param2) {
    RunningDialog& Dialog = Owned.Dialog;
    switch (Msg) {
    case DM_CLOSE:
        Dialog.CloseAsked = Param1;
        return TRUE;
    case DM_ENABLEREDRAW: {
        int Was = Dialog.RedrawLocks == 0;
        if (Param1 == FALSE)
            ++Dialog.RedrawLocks;
        else if (Param1 == TRUE && Dialog.RedrawLocks > 0)
            --Dialog.RedrawLocks;
        return Was;
    }
    case DM_REDRAW:
        if (Dialog.Changed && Dialog.RedrawLocks == 0) {
            printf("host: draws the dialog again\n");
            DrawDialog(Dialog.Items, Dialog.Width, Dialog.Height);
            Dialog.Changed = false;
        }
        return TRUE;
    case DM_GETDLGDATA:
        return Dialog.Data;
    case DM_SETDLGDATA: {
        long Was = Dialog.Data;
        Dialog.Data = Param2;
        return Was;
    }
    case DM_GETFOCUS:
        return Dialog.Focus;
    }
    if (Msg >= DM_USER) // the plugin's own messages go to its procedure
        return Tell(Dialog, Msg, Param1, Param2);
    if (!IsItemRequest(Msg))
        StopRun(ExitStopped, "SendDlgMessage: the plugin sent %s, which qelhost does not provide",
                MessageName(Msg).c_str());
    if (Param1 < 0 || Param1 >= static_cast<int>(Dialog.Items.size()))
        return FALSE;
    return ItemRequest(Owned, Msg, Param1, Param2);
}

} // namespace

void UseDialogAnswers(AnswerSource Ask) {
    Answers = Ask;
}

PLUGIN_STDCALL int DialogEx(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2, const char*,
                            FarDialogItem* Item, int ItemsNumber, DWORD, DWORD,
                            FARWINDOWPROC DlgProc, long Param) {
    (void)PluginNumber;
    return Serve("DialogEx", [&] {
        Open.emplace_back();
        PluginDialog& Owned = Open.back();
        Owned.Dialog.Items = ReadDialogItems(Item, ItemsNumber, "DialogEx");
        Owned.Records = ReadList("DialogEx", "the item list", Item, ItemsNumber);
        PlaceDialog(Owned.Dialog, X1, Y1, X2, Y2);
        Owned.Dialog.Send = Tell;
        Owned.Dialog.Procedure = DlgProc;
        Owned.Dialog.Data = Param;
        int Field = -1;
        int Result = RunHostDialog(Owned.Dialog, Field, Answers);
        WriteDialogBack(Item, Owned.Dialog.Items, "DialogEx");
        Open.pop_back();
        return Result;
    });
}

PLUGIN_STDCALL long SendDlgMessage(HANDLE hDlg, int Msg, int Param1, long Param2) {
    return Serve(Service, [&]() -> long {
        PluginDialog* Owned = Find(hDlg);
        if (Owned == nullptr)
            StopRun(ExitStopped, "SendDlgMessage: %s is no open dialog", AddressText(hDlg).c_str());
        long Result = ServeRequest(*Owned, Msg, Param1, Param2);
        printf("host: SendDlgMessage(%s, %d, %ld): %ld\n", MessageName(Msg).c_str(), Param1,
               Msg == DM_SETDLGDATA || Msg == DM_CLOSE || Msg == DM_SETCHECK || Msg == DM_ENABLE ||
                       Msg == DM_SHOWITEM || Msg == DM_ENABLEREDRAW
                   ? Param2
                   : 0L,
               Result);
        return Result;
    });
}

PLUGIN_STDCALL long DefDlgProc(HANDLE hDlg, int Msg, int Param1, long Param2) {
    return Serve("DefDlgProc", [&] {
        PluginDialog* Owned = Find(hDlg);
        if (Owned == nullptr)
            StopRun(ExitStopped, "DefDlgProc: %s is no open dialog", AddressText(hDlg).c_str());
        return DefaultAnswer(Owned->Dialog, Msg, Param1, Param2);
    });
}
