#include "qelhost/services/dialog.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int DataSize = sizeof(FarDialogItem::Data);

bool IsEdit(const FarDialogItem& Item) {
    return Item.Type == DI_EDIT || Item.Type == DI_FIXEDIT || Item.Type == DI_PSWEDIT;
}

// The name of the item's history list, "" when it keeps none.
const char* HistoryName(const FarDialogItem& Item) {
    return Item.Flags & DIF_HISTORY && Item.History != nullptr ? Item.History : "";
}

std::u32string ItemText(const FarDialogItem& Item) {
    return Shown(std::string(Item.Data, strnlen(Item.Data, DataSize)).c_str());
}

// What an item shows in its row, for the items drawn as one run of text.
std::u32string Face(const FarDialogItem& Item) {
    std::u32string Text = WithoutHotkey(ItemText(Item));
    if (Item.Type == DI_BUTTON)
        return ButtonFace(ItemText(Item), Item.DefaultButton != 0);
    if (Item.Type == DI_CHECKBOX)
        return (Item.Selected ? U"[x] " : U"[ ] ") + Text;
    if (Item.Type == DI_RADIOBUTTON)
        return (Item.Selected ? U"(•) " : U"( ) ") + Text;
    return Text;
}

std::u32string FieldFace(const FarDialogItem& Item) {
    int Width = std::max(Item.X2 - Item.X1 + 1, 1); // of an item clipped to the screen
    std::u32string Text = ItemText(Item);
    if (Item.Type == DI_PSWEDIT)
        Text.assign(Text.size(), U'*');
    Text.resize(Width, U'·');
    if (*HistoryName(Item) != '\0')
        Text += U'↓';
    return Text;
}

// Each row's run of DIF_CENTERGROUP items, side by side, one blank apart,
// centred in the dialog's width.
std::vector<int> CentredColumns(const FarDialogItem* Items, int Count, int Width) {
    std::vector<int> Columns(Count);
    for (int I = 0; I < Count; ++I)
        Columns[I] = Items[I].X1;
    for (int First = 0; First < Count;) {
        if (!(Items[First].Flags & DIF_CENTERGROUP)) {
            ++First;
            continue;
        }
        int Last = First;
        int Length = static_cast<int>(Face(Items[First]).size());
        while (Last + 1 < Count && Items[Last + 1].Flags & DIF_CENTERGROUP &&
               Items[Last + 1].Y1 == Items[First].Y1)
            Length += 1 + static_cast<int>(Face(Items[++Last]).size());
        int Column = CentredStart(Width, Length);
        for (int I = First; I <= Last; ++I) {
            Columns[I] = Column;
            Column += static_cast<int>(Face(Items[I]).size()) + 1;
        }
        First = Last + 1;
    }
    return Columns;
}

// An item far off the screen looks the same brought nearer (its text is
// shorter than DataSize), and near coordinates keep sizes and sums small.
int Clipped(int Coordinate, int Limit) {
    return std::clamp(Coordinate, -2 * DataSize, Limit + 1);
}

std::vector<FarDialogItem> ClippedToScreen(const FarDialogItem* Items, int Count) {
    std::vector<FarDialogItem> Result(Items, Items + Count);
    for (FarDialogItem& Item : Result) {
        Item.X1 = Clipped(Item.X1, ScreenWidth);
        Item.X2 = Clipped(Item.X2, ScreenWidth);
        Item.Y1 = Clipped(Item.Y1, ScreenHeight);
        Item.Y2 = Clipped(Item.Y2, ScreenHeight);
    }
    return Result;
}

void Draw(const FarDialogItem* PluginItems, int Count, int Width, int Height) {
    std::vector<FarDialogItem> OnScreen = ClippedToScreen(PluginItems, Count);
    const FarDialogItem* Items = OnScreen.data();
    std::vector<int> Columns = CentredColumns(Items, Count, Width);
    // Items may reach past the dialog's edges; the picture shows them whole
    // as far as the screen reaches.
    int CanvasWidth = Width, CanvasHeight = Height;
    for (int I = 0; I < Count; ++I) {
        int Right = std::max(Items[I].X2, Columns[I] + static_cast<int>(Face(Items[I]).size()));
        CanvasWidth = std::max(CanvasWidth, Right + 2);
        CanvasHeight = std::max(CanvasHeight, std::max(Items[I].Y1, Items[I].Y2) + 1);
    }
    TextCanvas Canvas(std::min(CanvasWidth, ScreenWidth), std::min(CanvasHeight, ScreenHeight));
    for (int I = 0; I < Count; ++I) {
        const FarDialogItem& Item = Items[I];
        if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX)
            Canvas.Frame(Item.X1, Item.Y1, Item.X2, Item.Y2, Item.Type == DI_DOUBLEBOX,
                         WithoutHotkey(ItemText(Item)));
        else if (IsEdit(Item))
            Canvas.Write(Item.X1, Item.Y1, FieldFace(Item));
        else if (Item.Type == DI_VTEXT)
            for (size_t K = 0; K < Face(Item).size(); ++K)
                Canvas.Write(Item.X1, Item.Y1 + static_cast<int>(K), Face(Item).substr(K, 1));
        else
            Canvas.Write(Item.X1 == -1 ? CentredStart(Width, static_cast<int>(Face(Item).size()))
                                       : Columns[I],
                         Item.Y1, Face(Item));
    }
    fputs(Canvas.Printed().c_str(), stdout);
}

void SetText(FarDialogItem& Item, const std::u32string& Text) {
    std::string Oem = UnicodeToOem(Text);
    Oem.resize(std::min<size_t>(Oem.size(), DataSize - 1));
    memset(Item.Data, 0, DataSize);
    memcpy(Item.Data, Oem.data(), Oem.size());
}

void ApplyEdit(FarDialogItem& Field, const EditStep& Step, int Line) {
    if (Step.What == EditStep::Clear) {
        printf("user: clears the field\n");
        SetText(Field, U"");
    } else if (Step.What == EditStep::Type) {
        printf("user: types \"%s\"\n", Step.Text.c_str());
        SetText(Field, ItemText(Field) + FromUtf8(Step.Text));
    } else {
        const char* Name = HistoryName(Field);
        const std::vector<std::string>& Entries = History(Name);
        if (Step.Entry < 1 || Step.Entry > static_cast<int>(Entries.size()))
            StopRun(ExitStopped, "line %d: the history \"%s\" has no entry %d", Line, Name,
                    Step.Entry);
        const std::string& Entry = Entries[Step.Entry - 1];
        printf("user: takes \"%s\" from the history %s\n", Entry.c_str(), Name);
        SetText(Field, FromUtf8(Entry));
    }
}

// The field the user types into: the focused edit item, else the first.
int FieldPosition(const FarDialogItem* Items, int Count) {
    int First = -1;
    for (int I = 0; I < Count; ++I)
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

} // namespace

int RunHostDialog(int X1, int Y1, int X2, int Y2, FarDialogItem* Items, int ItemsNumber) {
    int Count = std::max(ItemsNumber, 0);
    Draw(Items, Count, Extent(X1, X2, ScreenWidth), Extent(Y1, Y2, ScreenHeight));

    std::vector<int> ButtonPositions;
    std::vector<std::string> Faces;
    int DefaultButton = -1;
    for (int I = 0; I < Count; ++I)
        if (Items[I].Type == DI_BUTTON) {
            if (Items[I].DefaultButton && DefaultButton < 0)
                DefaultButton = static_cast<int>(Faces.size());
            ButtonPositions.push_back(I);
            Faces.push_back(ToUtf8(Face(Items[I])));
        }
    int Field = FieldPosition(Items, Count);
    const char* FieldHistory = Field >= 0 ? HistoryName(Items[Field]) : "";
    std::u32string Title;
    for (int I = 0; I < Count && Title.empty(); ++I)
        if (Items[I].Type == DI_SINGLEBOX || Items[I].Type == DI_DOUBLEBOX)
            Title = WithoutHotkey(ItemText(Items[I]));
    std::string What = "the dialog \"" + ToUtf8(Title) + "\"";

    FieldView View;
    if (Field >= 0)
        View = {ToUtf8(ItemText(Items[Field])), FieldHistory};
    Answer Reply = NextAnswer(What, Faces, Field >= 0 ? &View : nullptr);
    for (const EditStep& Step : Reply.Edits)
        ApplyEdit(Items[Field], Step, Reply.Line);
    // Enter with no default button closes the dialog by the field itself.
    int Pressed = ChosenButton(Reply, Faces, DefaultButton >= 0 ? DefaultButton : -2);
    int Result = Pressed == -2 ? std::max(Field, 0) : Pressed < 0 ? -1 : ButtonPositions[Pressed];
    ReportClose(Reply, Pressed, Faces);
    if (Field >= 0 && !Reply.Edits.empty())
        printf("host: the field reads \"%s\"\n", ToUtf8(ItemText(Items[Field])).c_str());
    if (Result >= 0 && *FieldHistory != '\0' && Items[Field].Data[0] != '\0') {
        AddToHistory(FieldHistory, ToUtf8(ItemText(Items[Field])));
        printf("host: adds \"%s\" to the history %s\n", ToUtf8(ItemText(Items[Field])).c_str(),
               FieldHistory);
    }
    return Result;
}
