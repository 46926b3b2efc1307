#include "qelhost/services/input_box.hpp"
#include "qelhost/services/dialog.hpp"

namespace {

// The host's input box: 76 columns wide, the field 66, and a row of
// buttons two rows below it when asked for.
constexpr int Width = 76;

} // namespace

bool RunInputBox(InputBoxContent& Box, AnswerSource Ask) {
    int Height = Box.Buttons ? 8 : 6;
    std::vector<DialogItem> Items = {
        HostDialogItem(DI_DOUBLEBOX, 3, 1, Width - 4, Height - 2, Box.Title),
        HostDialogItem(DI_TEXT, 5, 2, 0, 2, Box.SubTitle),
        HostDialogItem(Box.Password ? DI_PSWEDIT : DI_EDIT, 5, 3, Width - 6, 3, Box.Text)};
    const int Field = 2;
    Items[Field].Focus = true;
    Items[Field].HistoryName = Box.Password ? "" : Box.HistoryName;
    if (Box.Buttons) {
        Items.push_back(HostDialogItem(DI_BUTTON, 0, 5, 0, 5, U"Ok", DIF_CENTERGROUP));
        Items.back().Default = true;
        Items.push_back(HostDialogItem(DI_BUTTON, 0, 5, 0, 5, U"Cancel", DIF_CENTERGROUP));
    }
    int Edited = -1;
    int Closed = RunHostDialog(-1, -1, Width, Height, Items, Edited, Ask);
    Box.Text = Items[Field].Text;
    return Closed == Field || (Box.Buttons && Closed == Field + 1);
}
