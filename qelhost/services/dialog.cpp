#include "qelhost/services/dialog.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/dialog_view.hpp"
#include "qelhost/services/history.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

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

// The field the user types into: the focused edit item, else the first.
int FieldPosition(const std::vector<DialogItem>& Items) {
    int First = -1;
    for (int I = 0; I < static_cast<int>(Items.size()); ++I)
        if (IsEdit(Items[I])) {
            if (Items[I].Focus)
                return I;
            if (First < 0)
                First = I;
        }
    return First;
}

// The dialog's width or height (From -1: centred, To is the size), from
// corners that may be inverted or far off the screen.
int Extent(int From, int To, int Limit) {
    long long Size = From == -1 ? To : static_cast<long long>(To) - From + 1;
    return static_cast<int>(std::clamp<long long>(Size, 1, Limit));
}

std::string DialogName(const std::vector<DialogItem>& Items) {
    for (const DialogItem& Item : Items)
        if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX)
            if (!Item.Text.empty())
                return "the dialog \"" + ToUtf8(ItemFace(Item)) + "\"";
    return "the dialog \"\"";
}

} // namespace

int RunHostDialog(int X1, int Y1, int X2, int Y2, std::vector<DialogItem>& Items, int& Field,
                  AnswerSource Ask) {
    DrawDialog(Items, Extent(X1, X2, ScreenWidth), Extent(Y1, Y2, ScreenHeight));
    std::vector<int> ButtonPositions;
    std::vector<std::string> Faces;
    int DefaultButton = NoDefaultButton;
    for (size_t I = 0; I < Items.size(); ++I)
        if (Items[I].Type == DI_BUTTON) {
            if (Items[I].Default && DefaultButton == NoDefaultButton)
                DefaultButton = static_cast<int>(Faces.size());
            ButtonPositions.push_back(static_cast<int>(I));
            Faces.push_back(ToUtf8(ItemFace(Items[I])));
        }
    Field = FieldPosition(Items);
    FieldView View;
    if (Field >= 0)
        View = {ToUtf8(Items[Field].Text), Items[Field].HistoryName};
    Answer Reply = Ask(DialogName(Items), Faces, Field >= 0 ? &View : nullptr, nullptr);
    bool Selected = true;
    for (const EditStep& Step : Reply.Edits)
        ApplyEdit(Items[Field], Step, Selected);
    int Pressed = ChosenButton(Reply, Faces, DefaultButton);
    ReportClose(Reply, Pressed, Faces);
    // Enter with no default button closes the dialog by the field itself.
    int Result = Pressed == PressedEnterWithoutDefault ? std::max(Field, 0)
                 : Pressed == PressedEsc               ? PressedEsc
                                                       : ButtonPositions[Pressed];
    if (Field >= 0 && !Reply.Edits.empty())
        printf("host: the field reads \"%s\"\n", Printable(Items[Field].Text).c_str());
    if (Result >= 0 && Field >= 0 && !Items[Field].HistoryName.empty() &&
        !Items[Field].Text.empty()) {
        AddToHistory(Items[Field].HistoryName, ToUtf8(Items[Field].Text));
        printf("host: adds \"%s\" to the history %s\n", Printable(Items[Field].Text).c_str(),
               Escaped(Items[Field].HistoryName).c_str());
    }
    if (Reply.Edits.empty())
        Field = -1;
    return Result;
}
