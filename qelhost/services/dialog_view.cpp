#include "qelhost/services/dialog_view.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

// A field: its text padded with '·' to its width, '↓' for a history.
std::u32string FieldFace(const DialogItem& Item) {
    int Width = std::max(Item.X2 - Item.X1 + 1, 1); // of an item clipped to the screen
    std::u32string Text = Escaped(Item.Text);
    if (Item.Type == DI_PSWEDIT)
        Text.assign(Item.Text.size(), U'*');
    Text.resize(Width, U'·');
    if (!Item.HistoryName.empty())
        Text += U'↓';
    return Text;
}

int FaceLength(const DialogItem& Item) {
    return static_cast<int>(ItemFace(Item).size());
}

// Each row's run of DIF_CENTERGROUP items, side by side, one blank apart,
// centred in the dialog's width.
std::vector<int> CentredColumns(const std::vector<DialogItem>& Items, int Width) {
    int Count = static_cast<int>(Items.size());
    std::vector<int> Columns(Count);
    for (int I = 0; I < Count; ++I)
        Columns[I] = Items[I].X1;
    for (int First = 0; First < Count;) {
        if (!(Items[First].Flags & DIF_CENTERGROUP)) {
            ++First;
            continue;
        }
        int Last = First;
        int Length = FaceLength(Items[First]);
        while (Last + 1 < Count && Items[Last + 1].Flags & DIF_CENTERGROUP &&
               Items[Last + 1].Y1 == Items[First].Y1)
            Length += 1 + FaceLength(Items[++Last]);
        int Column = CentredStart(Width, Length);
        for (int I = First; I <= Last; ++I) {
            Columns[I] = Column;
            Column += FaceLength(Items[I]) + 1;
        }
        First = Last + 1;
    }
    return Columns;
}

// An item far off the screen looks the same brought nearer (its text is
// shorter than DialogTextSize), and near coordinates keep sums small.
int Clipped(int Coordinate, int Limit) {
    return std::clamp(Coordinate, -2 * DialogTextSize, Limit + 1);
}

std::vector<DialogItem> ClippedToScreen(std::vector<DialogItem> Items) {
    for (DialogItem& Item : Items) {
        Item.X1 = Clipped(Item.X1, ScreenWidth);
        Item.X2 = Clipped(Item.X2, ScreenWidth);
        Item.Y1 = Clipped(Item.Y1, ScreenHeight);
        Item.Y2 = Clipped(Item.Y2, ScreenHeight);
    }
    return Items;
}

// A list box's rows, the chosen one marked; a combo box as its field with
// the list's arrow.
void DrawList(TextCanvas& Canvas, const DialogItem& Item) {
    int Width = std::max(Item.X2 - Item.X1 + 1, 1);
    if (Item.Type == DI_COMBOBOX) {
        std::u32string Text = Escaped(Item.Text);
        Text.resize(Width, U'·');
        Canvas.Write(Item.X1, Item.Y1, Text + U"▼");
        return;
    }
    int Rows = std::max(Item.Y2 - Item.Y1 + 1, 1);
    for (int I = 0; I < static_cast<int>(Item.List.size()) && I < Rows; ++I) {
        std::u32string Row = (I == Item.ListPos ? U"> " : U"  ") +
                             CutToWidth(Escaped(WithoutHotkey(Item.List[I])), Width - 2);
        if (Item.ListFlags[I] & LIF_SEPARATOR)
            Row = std::u32string(Width, U'─');
        Canvas.Write(Item.X1, Item.Y1 + I, Row);
    }
}

// A text with DIF_SEPARATOR (single) or DIF_SEPARATOR2 (double) is a line
// across the dialog's box, its text centred on it.
void DrawSeparator(TextCanvas& Canvas, const DialogItem& Item, int Left, int Right) {
    bool Double = Item.Flags & DIF_SEPARATOR2;
    Canvas.Write(Left, Item.Y1,
                 (Double ? U"╠" : U"╟") +
                     std::u32string(std::max(Right - Left - 1, 0), Double ? U'═' : U'─') +
                     (Double ? U"╣" : U"╢"));
    std::u32string Face = ItemFace(Item);
    if (!Face.empty())
        Canvas.Write(Left + 1 + CentredStart(Right - Left - 1, static_cast<int>(Face.size()) + 2),
                     Item.Y1, U" " + Face + U" ");
}

void DrawItem(TextCanvas& Canvas, const DialogItem& Item, int Column, int Width, int BoxLeft,
              int BoxRight) {
    std::u32string Face = ItemFace(Item);
    if (Item.Flags & DIF_HIDDEN)
        return;
    if (Item.Type == DI_TEXT && Item.Flags & (DIF_SEPARATOR | DIF_SEPARATOR2))
        DrawSeparator(Canvas, Item, BoxLeft, BoxRight);
    else if (IsList(Item))
        DrawList(Canvas, Item);
    else if (Item.Type == DI_TEXT && Item.Flags & DIF_CENTERTEXT && Item.X2 > Item.X1)
        Canvas.Write(Item.X1 + CentredStart(Item.X2 - Item.X1 + 1, static_cast<int>(Face.size())),
                     Item.Y1, Face);
    else if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX)
        Canvas.Frame(Item.X1, Item.Y1, Item.X2, Item.Y2, Item.Type == DI_DOUBLEBOX, Face);
    else if (IsEdit(Item))
        Canvas.Write(Item.X1, Item.Y1, FieldFace(Item));
    else if (Item.Type == DI_VTEXT)
        for (size_t K = 0; K < Face.size() && K <= ScreenHeight; ++K)
            Canvas.Write(Item.X1, Item.Y1 + static_cast<int>(K), Face.substr(K, 1));
    else
        Canvas.Write(Item.X1 == -1 ? CentredStart(Width, static_cast<int>(Face.size())) : Column,
                     Item.Y1, Face);
}

} // namespace

std::u32string ItemFace(const DialogItem& Item) {
    std::u32string Text =
        Escaped(Item.Flags & DIF_SHOWAMPERSAND ? Item.Text : WithoutHotkey(Item.Text));
    if (Item.Type == DI_BUTTON && Item.Flags & DIF_NOBRACKETS)
        return Text;
    if (Item.Type == DI_BUTTON)
        return Bracketed(Text, Item.Default);
    if (Item.Type == DI_CHECKBOX)
        return (Item.Selected == 2 ? U"[?] " : Item.Selected ? U"[x] " : U"[ ] ") + Text;
    if (Item.Type == DI_RADIOBUTTON)
        return (Item.Selected ? U"(•) " : U"( ) ") + Text;
    return Text;
}

void DrawDialog(const std::vector<DialogItem>& PluginItems, int Width, int Height) {
    std::vector<DialogItem> Items = ClippedToScreen(PluginItems);
    std::vector<int> Columns = CentredColumns(Items, Width);
    // Items may reach past the dialog's edges; the picture shows them whole
    // as far as the screen reaches.
    int CanvasWidth = Width, CanvasHeight = Height;
    for (size_t I = 0; I < Items.size(); ++I) {
        int Right = std::max(Items[I].X2, Columns[I] + FaceLength(Items[I]));
        CanvasWidth = std::max(CanvasWidth, Right + 2);
        CanvasHeight = std::max(CanvasHeight, std::max(Items[I].Y1, Items[I].Y2) + 1);
    }
    TextCanvas Canvas(CanvasWidth, CanvasHeight);
    int BoxLeft = 0, BoxRight = Width - 1; // the first box's sides, where separators end
    for (const DialogItem& Item : Items)
        if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX) {
            BoxLeft = Item.X1;
            BoxRight = Item.X2;
            break;
        }
    for (size_t I = 0; I < Items.size(); ++I)
        DrawItem(Canvas, Items[I], Columns[I], Width, BoxLeft, BoxRight);
    fputs(Canvas.Printed().c_str(), stdout);
}
