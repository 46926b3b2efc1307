#include "qelhost/services/dialog.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/dialog_view.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

void SetText(DialogItem& Field, const std::u32string& Text) {
    Field.Text = Text.substr(0, DialogTextSize - 1);
}

// Selected: whether the field's whole text is still selected, as it is when
// the dialog opens; typing then replaces it, else goes at the end.
void ApplyEdit(DialogItem& Field, const EditStep& Step, bool& Selected) {
    bool Replaces = Selected && Step.What == EditStep::Type && !Field.Text.empty();
    Selected = false;
    if (Step.What == EditStep::Clear) {
        printf("user: clears the field\n");
        SetText(Field, U"");
    } else if (Replaces) {
        printf("user: types \"%s\" over the selected text\n", Escaped(Step.Text).c_str());
        SetText(Field, FromUtf8(Step.Text));
    } else if (Step.What == EditStep::Type || Step.What == EditStep::Append) {
        printf("user: %stypes \"%s\"\n", Step.What == EditStep::Append ? "presses End and " : "",
               Escaped(Step.Text).c_str());
        SetText(Field, Field.Text + FromUtf8(Step.Text));
    } else { // the answer's entry exists: AnswerSource checked it
        const std::string& Entry = History(Field.HistoryName)[Step.Entry - 1];
        printf("user: takes \"%s\" from the history %s\n", Escaped(Entry).c_str(),
               Escaped(Field.HistoryName).c_str());
        SetText(Field, FromUtf8(Entry));
    }
}

// A disabled or hidden item cannot be reached: a button of them has no face
// to choose it by, is no default for Enter, and a field
// of them none to type into.
bool Reachable(const DialogItem& Item) {
    return !(Item.Flags & (DIF_DISABLE | DIF_HIDDEN));
}

// Why an item that is not Reachable cannot be reached, as the user is told.
const char* Unreachable(const DialogItem& Item) {
    return Item.Flags & DIF_HIDDEN ? "hidden" : "disabled";
}

// The field the user types into: the focused edit item, else the first.
int FieldPosition(const std::vector<DialogItem>& Items) {
    int First = -1;
    for (int I = 0; I < static_cast<int>(Items.size()); ++I)
        if (IsEdit(Items[I]) && Reachable(Items[I])) {
            if (Items[I].Focus)
                return I;
            if (First < 0)
                First = I;
        }
    return First;
}

// The position of the N-th (from 1) item that Counts.
template <typename Counts> int NthItem(const std::vector<DialogItem>& Items, int N, Counts Is) {
    for (int I = 0; I < static_cast<int>(Items.size()); ++I)
        if (Is(Items[I]) && --N == 0)
            return I;
    return -1;
}

bool IsCheckBox(const DialogItem& Item) {
    return Item.Type == DI_CHECKBOX;
}
bool IsRadio(const DialogItem& Item) {
    return Item.Type == DI_RADIOBUTTON;
}

// The list whose items the user picks: the focused one, else the first.
int ListPosition(const std::vector<DialogItem>& Items) {
    int First = -1;
    for (int I = 0; I < static_cast<int>(Items.size()); ++I)
        if (IsList(Items[I])) {
            if (Items[I].Focus)
                return I;
            if (First < 0)
                First = I;
        }
    return First;
}

long Tell(RunningDialog& Dialog, int Msg, int Param1, long Param2) {
    return Dialog.Send == nullptr ? 1 : Dialog.Send(Dialog, Msg, Param1, Param2);
}

// A check box toggles (through the third state with DIF_3STATE), a radio
// button is chosen; the procedure may refuse the change.
void Choose(RunningDialog& Dialog, int Item) {
    DialogItem& Chosen = Dialog.Items[Item];
    if (!Reachable(Chosen)) {
        printf("user: cannot reach %s: it is %s\n", ToUtf8(ItemFace(Chosen)).c_str(),
               Unreachable(Chosen));
        return;
    }
    MoveFocus(Dialog, Item);
    int States = Chosen.Flags & DIF_3STATE ? 3 : 2;
    int State = IsRadio(Chosen) ? 1 : (Chosen.Selected + 1) % States;
    printf("user: %s %s\n", IsRadio(Chosen) ? "chooses" : "toggles",
           ToUtf8(ItemFace(Chosen)).c_str());
    std::vector<DialogItem> Before = Dialog.Items;
    SetCheck(Dialog, Item, State);
    if (Tell(Dialog, DN_BTNCLICK, Item, State) == 0) {
        printf("host: the dialog procedure refuses the change\n");
        Dialog.Items = Before;
    }
    Dialog.Changed = true;
}

void PickListItem(RunningDialog& Dialog, int List, int Entry) {
    DialogItem& Item = Dialog.Items[List];
    if (!Reachable(Item)) {
        printf("user: cannot reach the list: it is %s\n", Unreachable(Item));
        return;
    }
    MoveFocus(Dialog, List);
    Item.ListPos = Entry;
    printf("user: picks \"%s\"\n", Printable(Item.List[Entry]).c_str());
    if (Item.Type == DI_COMBOBOX)
        SetText(Item, Item.List[Entry]);
    Tell(Dialog, DN_LISTCHANGE, List, Entry);
    Dialog.Changed = true;
}

// Plays the answer's steps into the dialog; the field edited, or -1.
int ApplySteps(RunningDialog& Dialog, const Answer& Reply) {
    int Field = FieldPosition(Dialog.Items);
    bool Selected = true;
    bool Edited = false;
    for (const EditStep& Step : Reply.Edits) {
        if (EditsText(Step)) {
            MoveFocus(Dialog, Field);
            ApplyEdit(Dialog.Items[Field], Step, Selected);
            Edited = true;
            Dialog.Changed = true;
            Tell(Dialog, DN_EDITCHANGE, Field, 0);
        } else if (Step.What == EditStep::Check) {
            Choose(Dialog, NthItem(Dialog.Items, Step.Entry, IsCheckBox));
        } else if (Step.What == EditStep::Radio) {
            Choose(Dialog, NthItem(Dialog.Items, Step.Entry, IsRadio));
        } else {
            PickListItem(Dialog, ListPosition(Dialog.Items), Step.Entry - 1);
        }
    }
    return Edited ? Field : -1;
}

std::string DialogName(const std::vector<DialogItem>& Items) {
    for (const DialogItem& Item : Items)
        if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX)
            if (!Item.Text.empty())
                return "the dialog \"" + ToUtf8(ItemFace(Item)) + "\"";
    return "the dialog \"\"";
}

FieldView Controls(const std::vector<DialogItem>& Items) {
    FieldView View;
    int Field = FieldPosition(Items);
    View.HasField = Field >= 0;
    if (View.HasField)
        View = {true, ToUtf8(Items[Field].Text), Items[Field].HistoryName, 0, 0, 0};
    for (const DialogItem& Item : Items) {
        View.CheckBoxes += IsCheckBox(Item);
        View.RadioButtons += IsRadio(Item);
    }
    int List = ListPosition(Items);
    if (List < 0)
        return View;
    View.ListItems = static_cast<int>(Items[List].List.size());
    for (DWORD Flags : Items[List].ListFlags)
        View.ListItemsBarred.push_back(Flags & LIF_SEPARATOR ? "a separator"
                                       : Flags & LIF_DISABLE ? "disabled"
                                                             : "");
    return View;
}

// The dialog's width or height (From -1: centred, To is the size), from
// corners that may be inverted or far off the screen.
int Extent(int From, int To, int Limit) {
    long long Size = From == -1 ? To : static_cast<long long>(To) - From + 1;
    return static_cast<int>(std::clamp<long long>(Size, 1, Limit));
}

void AddFieldToHistory(const DialogItem& Field) {
    if (Field.HistoryName.empty() || Field.Text.empty())
        return;
    AddToHistory(Field.HistoryName, ToUtf8(Field.Text));
    printf("host: adds \"%s\" to the history %s\n", Printable(Field.Text).c_str(),
           Escaped(Field.HistoryName).c_str());
}

} // namespace

void PlaceDialog(RunningDialog& Dialog, int X1, int Y1, int X2, int Y2) {
    Dialog.Width = Extent(X1, X2, ScreenWidth);
    Dialog.Height = Extent(Y1, Y2, ScreenHeight);
}

void MoveFocus(RunningDialog& Dialog, int Item) {
    if (Item == Dialog.Focus || Item < 0)
        return;
    if (Dialog.Focus >= 0) {
        long Kept = Tell(Dialog, DN_KILLFOCUS, Dialog.Focus, 0);
        if (Dialog.Send != nullptr && Kept >= 0 && Kept < static_cast<long>(Dialog.Items.size()))
            Item = static_cast<int>(Kept);
    }
    for (DialogItem& Each : Dialog.Items)
        Each.Focus = false;
    Dialog.Items[Item].Focus = true;
    Dialog.Focus = Item;
    Tell(Dialog, DN_GOTFOCUS, Item, 0);
}

int SetCheck(RunningDialog& Dialog, int Item, int State) {
    std::vector<DialogItem>& Items = Dialog.Items;
    int Was = Items[Item].Selected;
    if (IsRadio(Items[Item]) && State) {
        // The group runs from the radio button with DIF_GROUP to the next one.
        int First = Item;
        while (First > 0 && !(Items[First].Flags & DIF_GROUP) && IsRadio(Items[First - 1]))
            --First;
        for (int I = First; I < static_cast<int>(Items.size()) && IsRadio(Items[I]); ++I)
            if (I == First || !(Items[I].Flags & DIF_GROUP))
                Items[I].Selected = 0;
    }
    Items[Item].Selected = State;
    Dialog.Changed = true;
    return Was;
}

int RunHostDialog(RunningDialog& Dialog, int& Field, AnswerSource Ask) {
    for (int I = 0; I < static_cast<int>(Dialog.Items.size()); ++I)
        if (Dialog.Items[I].Focus && Dialog.Focus < 0)
            Dialog.Focus = I;
    Tell(Dialog, DN_INITDIALOG, Dialog.Focus, Dialog.Data);
    for (;;) {
        if (Dialog.Send != nullptr)
            Tell(Dialog, DN_DRAWDIALOG, 0, 0);
        DrawDialog(Dialog.Items, Dialog.Width, Dialog.Height);
        Dialog.Changed = false;
        std::vector<int> ButtonPositions;
        std::vector<std::string> Faces;
        int DefaultButton = NoDefaultButton;
        for (size_t I = 0; I < Dialog.Items.size(); ++I) {
            const DialogItem& Button = Dialog.Items[I];
            if (Button.Type != DI_BUTTON)
                continue;
            if (Button.Default && Reachable(Button) && DefaultButton == NoDefaultButton)
                DefaultButton = static_cast<int>(Faces.size());
            ButtonPositions.push_back(static_cast<int>(I));
            Faces.push_back(Reachable(Button) ? ToUtf8(ItemFace(Button)) : "");
        }
        int Position = FieldPosition(Dialog.Items);
        FieldView View = Controls(Dialog.Items);
        Answer Reply =
            Ask(DialogName(Dialog.Items), Faces,
                View.HasField || View.CheckBoxes || View.RadioButtons || View.ListItems ? &View
                                                                                        : nullptr,
                nullptr);
        Field = ApplySteps(Dialog, Reply);
        int Pressed = ChosenButton(Reply, Faces, DefaultButton);
        ReportClose(Reply, Pressed, Faces);
        // Enter with no default button closes the dialog by the field itself.
        int Result = Pressed == PressedEnterWithoutDefault ? std::max(Position, 0)
                     : Pressed == PressedEsc               ? PressedEsc
                                                           : ButtonPositions[Pressed];
        if (Field >= 0)
            printf("host: the field reads \"%s\"\n", Printable(Dialog.Items[Field].Text).c_str());
        if (Dialog.CloseAsked != -2) {
            Result = Dialog.CloseAsked;
            Dialog.CloseAsked = -2;
        } else if (Reply.Close == Answer::PressButton && Dialog.Send != nullptr) {
            MoveFocus(Dialog, Result);
            if (Tell(Dialog, DN_BTNCLICK, Result, 0) != 0 ||
                Dialog.Items[Result].Flags & DIF_BTNNOCLOSE) {
                printf("host: the dialog stays open\n");
                continue;
            }
        }
        if (Dialog.Send != nullptr && Tell(Dialog, DN_CLOSE, Result, 0) == 0) {
            printf("host: the dialog procedure refuses to close the dialog\n");
            continue;
        }
        if (Result >= 0 && Position >= 0)
            AddFieldToHistory(Dialog.Items[Position]);
        return Result;
    }
}

int RunHostDialog(int X1, int Y1, int X2, int Y2, std::vector<DialogItem>& Items, int& Field,
                  AnswerSource Ask) {
    RunningDialog Dialog;
    Dialog.Items = Items;
    PlaceDialog(Dialog, X1, Y1, X2, Y2);
    int Result = RunHostDialog(Dialog, Field, Ask);
    Items = Dialog.Items;
    return Result;
}
