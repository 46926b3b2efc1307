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

void DrawItem(TextCanvas& Canvas, const DialogItem& Item, int Column, int Width) {
    std::u32string Face = ItemFace(Item);
    if (Item.Type == DI_SINGLEBOX || Item.Type == DI_DOUBLEBOX)
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
    std::u32string Text = Escaped(WithoutHotkey(Item.Text));
    if (Item.Type == DI_BUTTON)
        return ButtonFace(Escaped(Item.Text), Item.Default);
    if (Item.Type == DI_CHECKBOX)
        return (Item.Selected ? U"[x] " : U"[ ] ") + Text;
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
    for (size_t I = 0; I < Items.size(); ++I)
        DrawItem(Canvas, Items[I], Columns[I], Width);
    fputs(Canvas.Printed().c_str(), stdout);
}
