#include "qelhost/services/dialog_items.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/from_plugin.hpp"

#include <string.h>

namespace {

const char* Service = "Dialog"; // the service reading them

// A list or combo box's items, from the FarList its record points to (a
// null pointer: no items).
void ReadListItems(DialogItem& Item, const FarList* List, int Position) {
    if (List == nullptr)
        return;
    std::string What = "the list of item " + std::to_string(Position + 1);
    FarList Header = ReadList(Service, What.c_str(), List, 1)[0];
    int Count = CheckedCount(Service, Header.ItemsNumber, MaxListItems, "list items", "lists");
    std::vector<FarListItem> Items = ReadList(Service, What.c_str(), Header.Items, Count);
    for (int I = 0; I < Count; ++I) {
        const FarListItem& Entry = Items[I];
        Item.List.push_back(
            OemToUnicode(std::string(Entry.Text, strnlen(Entry.Text, sizeof Entry.Text))));
        Item.ListFlags.push_back(Entry.Flags);
        if (Entry.Flags & LIF_SELECTED)
            Item.ListPos = I;
    }
}

DialogItem Converted(const FarDialogItem& Record, int Position) {
    DialogItem Item;
    Item.Type = Record.Type;
    Item.X1 = Record.X1;
    Item.Y1 = Record.Y1;
    Item.X2 = Record.X2;
    Item.Y2 = Record.Y2;
    Item.Focus = Record.Focus != 0;
    Item.Flags = Record.Flags;
    Item.Default = Record.DefaultButton != 0;
    Item.Text = OemToUnicode(std::string(Record.Data, strnlen(Record.Data, DialogTextSize)));
    // Selected and History share their place: only an edit field with
    // DIF_HISTORY holds a name there.
    if (IsEdit(Item) && Record.Flags & DIF_HISTORY) {
        std::string What = "the history name of item " + std::to_string(Position + 1);
        Item.HistoryName = ToUtf8(ReadText(Service, What, Record.History));
    } else if (IsList(Item)) {
        ReadListItems(Item, reinterpret_cast<const FarList*>(Record.History), Position);
    } else {
        Item.Selected = Record.Selected;
    }
    return Item;
}

// Writes Item's text into the plugin's record Position, cut to its buffer.
void WriteDialogText(const char* Where, FarDialogItem* Items, int Position,
                     const DialogItem& Item) {
    char Data[DialogTextSize] = {};
    std::string Oem = UnicodeToOem(Item.Text).substr(0, DialogTextSize - 1);
    memcpy(Data, Oem.data(), Oem.size());
    if (!CopyToPlugin(Items[Position].Data, Data, DialogTextSize))
        PluginFault(Where, "item " + std::to_string(Position + 1) + " cannot be written");
}

// Writes a check box's or radio button's state into its record.
void WriteDialogState(const char* Where, FarDialogItem* Items, int Position,
                      const DialogItem& Item) {
    int State = Item.Selected;
    if (!CopyToPlugin(&Items[Position].Selected, &State, sizeof State))
        PluginFault(Where, "item " + std::to_string(Position + 1) + " cannot be written");
}

} // namespace

bool IsList(const DialogItem& Item) {
    return Item.Type == DI_LISTBOX || Item.Type == DI_COMBOBOX;
}

DialogItem HostDialogItem(int Type, int X1, int Y1, int X2, int Y2, const std::u32string& Text,
                          DWORD Flags) {
    DialogItem Item;
    Item.Type = Type;
    Item.X1 = X1;
    Item.Y1 = Y1;
    Item.X2 = X2;
    Item.Y2 = Y2;
    Item.Flags = Flags;
    Item.Text = Text;
    return Item;
}

bool IsEdit(const DialogItem& Item) {
    return Item.Type == DI_EDIT || Item.Type == DI_FIXEDIT || Item.Type == DI_PSWEDIT;
}

std::vector<DialogItem> ReadDialogItems(FarDialogItem* Items, int Count, const char* Where) {
    Service = Where;
    CheckedCount(Service, Count, MaxDrawnDialogItems, "items", "draws");
    std::vector<FarDialogItem> Records = ReadList(Service, "the item list", Items, Count);
    // The host writes the field's text back: the records must take it.
    if (!CopyToPlugin(Items, Records.data(), Records.size() * sizeof(FarDialogItem)))
        PluginFault(Service, "the item list at " + AddressText(Items) + " cannot be written");
    std::vector<DialogItem> Result;
    for (int I = 0; I < Count; ++I)
        Result.push_back(Converted(Records[I], I));
    return Result;
}

void WriteDialogBack(FarDialogItem* Records, const std::vector<DialogItem>& Items,
                     const char* Where) {
    for (size_t I = 0; I < Items.size(); ++I) {
        const DialogItem& Item = Items[I];
        if (IsEdit(Item) || Item.Type == DI_COMBOBOX)
            WriteDialogText(Where, Records, static_cast<int>(I), Item);
        if (Item.Type == DI_CHECKBOX || Item.Type == DI_RADIOBUTTON)
            WriteDialogState(Where, Records, static_cast<int>(I), Item);
    }
}
