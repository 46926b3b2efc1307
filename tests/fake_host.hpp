// A stand-in for the file manager: hands the plugin a PluginStartupInfo whose
// services record every call, answer from scripted texts and results, and
// play the user's edits into dialogs.
#pragma once

#include "host/host_interface.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct RecordedMessage {
    INT_PTR PluginNumber;
    DWORD Flags;
    const char* HelpTopic;
    std::vector<std::string> Items;
    int ItemsNumber;
    int ButtonsNumber;
};

struct RecordedDialog {
    INT_PTR PluginNumber;
    int X1, Y1, X2, Y2;
    const char* HelpTopic;
    std::vector<FarDialogItem> Items; // as the host received them
    const FarDialogItem* Address;     // where the plugin put them
    int ItemsNumber;
};

struct FakeHost {
    INT_PTR ModuleNumber = 0;
    // Texts GetMsg answers with; an id without an entry answers "msg<id>".
    // An entry may be null, as a broken language file would give.
    std::map<int, const char*> MessageTexts;
    std::map<int, std::string> DefaultTexts;
    std::vector<std::pair<INT_PTR, int>> GetMsgCalls; // (PluginNumber, MsgId)
    std::vector<RecordedMessage> Messages;
    std::vector<RecordedDialog> Dialogs;
    std::vector<std::string> CallOrder; // "GetMsg 7", "Message", "Dialog"
    int MessageResult = 0;
    int DialogResult = -1;
    // Plays the user's part in a dialog: edits the items before it closes.
    std::function<void(FarDialogItem* Items, int ItemsNumber)> UserEdits;
};

extern FakeHost TheFakeHost;

// Clears every record and script and returns the startup record the host
// would pass, with all three services and the given module number.
PluginStartupInfo ResetFakeHost(INT_PTR ModuleNumber = 42);

// A test whose plugin has been started against a fresh fake host, and which
// fails if the plugin leaves temporary storage behind.
class PluginWithFakeHost : public testing::Test {
  protected:
    static constexpr int TestModuleNumber = 42;
    void SetUp() override;
    void TearDown() override;
};
