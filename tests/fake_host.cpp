#include "tests/fake_host.hpp"

#include "plugin/plugin.hpp"
#include "tests/heap_hooks.hpp"
#include "tests/startup_record.hpp"

#include <string.h>

FakeHost TheFakeHost;

static const char* FARAPI FakeGetMsg(INT_PTR PluginNumber, int MsgId) {
    TheFakeHost.GetMsgCalls.emplace_back(PluginNumber, MsgId);
    TheFakeHost.CallOrder.push_back("GetMsg " + std::to_string(MsgId));
    auto Scripted = TheFakeHost.MessageTexts.find(MsgId);
    if (Scripted != TheFakeHost.MessageTexts.end())
        return Scripted->second;
    auto& Text = TheFakeHost.DefaultTexts[MsgId];
    Text = "msg" + std::to_string(MsgId);
    return Text.c_str();
}

static int FARAPI FakeMessage(INT_PTR PluginNumber, DWORD Flags, const char* HelpTopic,
                              const char* const* Items, int ItemsNumber, int ButtonsNumber) {
    RecordedMessage Box{PluginNumber, Flags, HelpTopic, {}, ItemsNumber, ButtonsNumber};
    for (int I = 0; I < ItemsNumber; ++I)
        Box.Items.emplace_back(Items[I]);
    TheFakeHost.Messages.push_back(Box);
    TheFakeHost.CallOrder.push_back("Message");
    return TheFakeHost.MessageResult;
}

static int FARAPI FakeDialog(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                             const char* HelpTopic, FarDialogItem* Item, int ItemsNumber) {
    RecordedDialog Run{PluginNumber,
                       X1,
                       Y1,
                       X2,
                       Y2,
                       HelpTopic,
                       std::vector<FarDialogItem>(Item, Item + ItemsNumber),
                       Item,
                       ItemsNumber};
    TheFakeHost.Dialogs.push_back(Run);
    TheFakeHost.CallOrder.push_back("Dialog");
    if (TheFakeHost.UserEdits)
        TheFakeHost.UserEdits(Item, ItemsNumber);
    return TheFakeHost.DialogResult;
}

PluginStartupInfo ResetFakeHost(INT_PTR ModuleNumber) {
    TheFakeHost = FakeHost{};
    TheFakeHost.ModuleNumber = ModuleNumber;
    return StartupRecord(ModuleNumber, FakeGetMsg, FakeMessage, FakeDialog);
}

void PluginWithFakeHost::SetUp() {
    PluginStartupInfo Info = ResetFakeHost(TestModuleNumber);
    SetStartupInfo(&Info);
    ResetHeapHooks();
}

void PluginWithFakeHost::TearDown() {
    EXPECT_EQ(LiveAllocations(), 0) << "temporary storage was not released";
}
