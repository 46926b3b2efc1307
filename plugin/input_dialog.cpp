// F7 on the plugin's panel: a small input dialog with a history-backed field,
// and messages that report how it was closed.
#include "host/bounded_text.hpp"
#include "plugin/messages.hpp"
#include "plugin/plugin.hpp"

static const char InputHistoryName[] = "InputHistory";

constexpr int DialogWidth = 30;
constexpr int DialogHeight = 5;
constexpr int AcceptButtonPosition = 3;

static void ShowInputDialog() {
    // Lives for one run only, so every run starts from the initial text.
    char InputBuffer[DialogTextSize];
    DialogItemSpec Items[] = {
        {DI_DOUBLEBOX, 0, 0, 30, 4, 0, {0}, 0, 0, GetMessageText(MsgDialogTitle)},
        {DI_TEXT, 2, 1, 10, 2, 0, {0}, 0, 0, GetMessageText(MsgInputLabel)},
        {DI_EDIT, 10, 1, 28, 2, 1, {0}, DIF_HISTORY, 0, InputBuffer},
        {DI_BUTTON, 1, 3, 10, 4, 0, {0}, DIF_CENTERGROUP, 1, GetMessageText(MsgAcceptButton)},
        {DI_BUTTON, 1, 3, 10, 4, 0, {0}, DIF_CENTERGROUP, 0, GetMessageText(MsgCancelButton)},
    };
    Items[2].History = InputHistoryName;
    CopyBoundedText(InputBuffer, sizeof InputBuffer, GetMessageText(MsgInitialInput));

    int Result = RunDialog(DialogWidth, DialogHeight, Items, sizeof Items / sizeof Items[0]);
    if (Result == AcceptButtonPosition) {
        ShowMessage(MsgInputAccepted);
        ShowInformation(InputBuffer);
    } else {
        ShowMessage(MsgInputCancelled);
    }
}

int FARAPI ProcessKey(HANDLE, int Key, unsigned int ControlState) {
    // Only a bare F7; with any modifier or mode bit the key is the host's.
    if (Key != VK_F7 || ControlState != 0)
        return 0;
    ShowInputDialog();
    return 1;
}
