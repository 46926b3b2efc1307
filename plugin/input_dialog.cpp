// F7 on the plugin's panel: a small input dialog with a history-backed field,
// and messages that report how it was closed.
#include "host/bounded_text.hpp"
#include "plugin/messages.hpp"
#include "plugin/plugin.hpp"

static const char InputHistoryName[] = "InputHistory";

constexpr int DialogWidth = 30;
constexpr int DialogHeight = 5;

// The dialog's items in the order the host receives them.
enum InputDialogItem { TitleFrame, InputLabel, InputField, AcceptButton, CancelButton, ItemCount };

static void ShowInputDialog() {
    // Lives for one run only, so every run starts from the initial text.
    char InputBuffer[DialogTextSize];
    // Each item goes to its named position, so the position the host reports
    // for the accept button is the one it was given.
    DialogItemSpec Items[ItemCount];
    Items[TitleFrame] = {DI_DOUBLEBOX, 0, 0, 30, 4, 0, {0}, 0, 0, GetMessageText(MsgDialogTitle)};
    Items[InputLabel] = {DI_TEXT, 2, 1, 10, 2, 0, {0}, 0, 0, GetMessageText(MsgInputLabel)};
    Items[InputField] = {DI_EDIT, 10, 1, 28, 2, 1, {0}, DIF_HISTORY, 0, InputBuffer};
    Items[InputField].History = InputHistoryName;
    Items[AcceptButton] = {
        DI_BUTTON, 1, 3, 10, 4, 0, {0}, DIF_CENTERGROUP, 1, GetMessageText(MsgAcceptButton)};
    Items[CancelButton] = {
        DI_BUTTON, 1, 3, 10, 4, 0, {0}, DIF_CENTERGROUP, 0, GetMessageText(MsgCancelButton)};
    CopyBoundedText(InputBuffer, sizeof InputBuffer, GetMessageText(MsgInitialInput));

    if (RunDialog(DialogWidth, DialogHeight, Items, ItemCount) == AcceptButton) {
        ShowMessage(MsgInputAccepted);
        ShowInformation(InputBuffer);
    } else {
        ShowMessage(MsgInputCancelled);
    }
}

int FARAPI ProcessKey(HANDLE, int Key, unsigned int ControlState) {
    // Only a bare F7. With any modifier or mode bit, or offered before the
    // host acts on it (PKF_PREPROCESS in Key), the key is the host's.
    if (Key != VK_F7 || ControlState != 0)
        return 0;
    ShowInputDialog();
    return 1;
}
