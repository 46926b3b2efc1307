#include "qelhost/services/input_box.hpp"
#include "qelhost/services/dialog.hpp"

namespace {

// The host's input box: 76 columns wide, the field 66, and a row of
// buttons two rows below it when asked for.
constexpr int Width = 76;

DialogItem Item(int Type, int X1, int Y1, int X2, int Y2, const std::u32string& Text) {
    DialogItem Made;
    Made.Type = Type;
    Made.X1 = X1;
    Made.Y1 = Y1;
    Made.X2 = X2;
    Made.Y2 = Y2;
    Made.Text = Text;
    return Made;
}

} // namespace

bool RunInputBox(InputBoxContent& Box, AnswerSource Ask) {
    int Height = Box.Buttons ? 8 : 6;
    std::vector<DialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, Width - 4, Height - 2, Box.Title),
        Item(DI_TEXT, 5, 2, 0, 2, Box.SubTitle),
        Item(Box.Password ? DI_PSWEDIT : DI_EDIT, 5, 3, Width - 6, 3, Box.Text)};
    const int Field = 2;
    Items[Field].Focus = true;
    Items[Field].HistoryName = Box.Password ? "" : Box.HistoryName;
    if (Box.Buttons) {
        Items.push_back(Item(DI_BUTTON, 0, 5, 0, 5, U"Ok"));
        Items.back().Default = true;
        Items.back().Flags = DIF_CENTERGROUP;
        Items.push_back(Item(DI_BUTTON, 0, 5, 0, 5, U"Cancel"));
        Items.back().Flags = DIF_CENTERGROUP;
    }
    int Edited = -1;
    int Closed = RunHostDialog(-1, -1, Width, Height, Items, Edited, Ask);
    Box.Text = Items[Field].Text;
    return Closed == Field || (Box.Buttons && Closed == Field + 1);
}
