// The wrappers around the host's GetMsg, Message and Dialog: what the host
// receives and what comes back to the caller.
#include "host/host_calls.hpp"
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"
#include "tests/heap_hooks.hpp"

#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace {

using HostCalls = PluginWithFakeHost;

void ExpectInformationBox(const RecordedMessage& Box, const std::string& Line) {
    EXPECT_EQ(Box.PluginNumber, 42);
    EXPECT_EQ(Box.Flags, 0u);
    EXPECT_EQ(Box.HelpTopic, nullptr);
    EXPECT_EQ(Box.ItemsNumber, 3);
    EXPECT_EQ(Box.ButtonsNumber, 1);
    EXPECT_EQ(Box.Items, (std::vector<std::string>{"Information", Line, "Ok"}));
}

TEST_F(HostCalls, GetMessageTextPassesTheModuleNumberAndTheHostsPointer) {
    static const char Text[] = "from the language file";
    TheFakeHost.MessageTexts[200] = Text;
    EXPECT_EQ(GetMessageText(200), Text);
    ASSERT_EQ(TheFakeHost.GetMsgCalls.size(), 1u);
    EXPECT_EQ(TheFakeHost.GetMsgCalls[0], std::make_pair(42, 200)); // zero-extended
}

TEST_F(HostCalls, ALaterStartupRecordIsUsedFromTheNextCallOn) {
    PluginStartupInfo Later = ResetFakeHost(77);
    SetStartupInfo(&Later);
    ShowMessage(6);
    EXPECT_EQ(TheFakeHost.GetMsgCalls.at(0).first, 77);
    EXPECT_EQ(TheFakeHost.Messages.at(0).PluginNumber, 77);
}

TEST_F(HostCalls, InformationBoxHasTitleOneLineAndOk) {
    ShowInformation("some text");
    ShowInformation("");
    ShowMessage(5);
    ASSERT_EQ(TheFakeHost.Messages.size(), 3u);
    ExpectInformationBox(TheFakeHost.Messages[0], "some text");
    ExpectInformationBox(TheFakeHost.Messages[1], "");
    ExpectInformationBox(TheFakeHost.Messages[2], "msg5");
}

TEST_F(HostCalls, LongTextsAreCutToTheLine) {
    std::string Long(150, 'x');
    ShowInformation(Long.c_str());
    ExpectInformationBox(TheFakeHost.Messages.at(0), std::string(100, 'x'));
}

TEST_F(HostCalls, NullTextFromTheHostIsShownAsAnEmptyLine) {
    TheFakeHost.MessageTexts[4] = nullptr;
    ShowMessage(4);
    ExpectInformationBox(TheFakeHost.Messages.at(0), "");
}

TEST_F(HostCalls, MessageBoxPassesItsArgumentsAndResultThrough) {
    MessageLine Lines[4] = {"Title", "one", "two", "Button"};
    TheFakeHost.MessageResult = 17;
    EXPECT_EQ(ShowMessageBox(0x10, "Topic", 2, Lines, 4), 17);
    const RecordedMessage& Box = TheFakeHost.Messages.at(0);
    EXPECT_EQ(Box.Flags, 0x10u);
    EXPECT_STREQ(Box.HelpTopic, "Topic");
    EXPECT_EQ(Box.ButtonsNumber, 2);
    EXPECT_EQ(Box.Items, (std::vector<std::string>{"Title", "one", "two", "Button"}));

    EXPECT_EQ(ShowMessageBox(0, nullptr, 0, nullptr, 0), 17);
    EXPECT_EQ(TheFakeHost.Messages.at(1).ItemsNumber, 0);
}

// Descriptions of an edit, a fixed edit, a password edit and a check box.
struct DialogFixture {
    char Edit[DialogTextSize];
    char FixEdit[DialogTextSize];
    char Password[DialogTextSize];
    DialogItemSpec Items[4];

    DialogFixture() {
        memset(Edit, '#', sizeof Edit);
        strcpy(Edit, "edit");
        strcpy(FixEdit, "fixed");
        strcpy(Password, "secret");
        Items[0] = {DI_EDIT, 1, 2, 3, 4, 1, {5}, 0, 0, Edit};
        Items[1] = {DI_FIXEDIT, 0, 0, 0, 0, 0, {0}, 0, 0, FixEdit};
        Items[2] = {DI_PSWEDIT, 0, 0, 0, 0, 0, {0}, 0, 0, Password};
        Items[3] = {8, 0, 0, 0, 0, 0, {1}, 0, 0, "check"};
    }
};

// The user types into every item and flips every Selected.
void TypeEverywhere(FarDialogItem* Items, int Count) {
    for (int I = 0; I < Count; ++I) {
        memset(Items[I].Data, 'a' + I, sizeof Items[I].Data);
        Items[I].Data[3] = '\0';
        Items[I].Selected = 100 + I;
    }
}

TEST_F(HostCalls, DialogRecordsAreTheDescriptionsInOrderCentred) {
    DialogFixture F;
    TheFakeHost.DialogResult = 2;
    EXPECT_EQ(RunDialog(30, 5, F.Items, 4), 2);
    const RecordedDialog& Run = TheFakeHost.Dialogs.at(0);
    EXPECT_EQ(Run.PluginNumber, 42);
    EXPECT_EQ(std::make_tuple(Run.X1, Run.Y1, Run.X2, Run.Y2), std::make_tuple(-1, -1, 30, 5));
    EXPECT_EQ(Run.HelpTopic, nullptr);
    ASSERT_EQ(Run.ItemsNumber, 4);
    const FarDialogItem& Edit = Run.Items[0];
    EXPECT_EQ(std::make_tuple(Edit.Type, Edit.X1, Edit.Y1, Edit.X2, Edit.Y2, Edit.Focus),
              std::make_tuple(DI_EDIT, 1, 2, 3, 4, 1));
    EXPECT_EQ(Edit.Selected, 5);
    EXPECT_STREQ(Edit.Data, "edit");
    EXPECT_STREQ(Run.Items[3].Data, "check");
#if QELFAR_32BIT
    const auto* Bytes = reinterpret_cast<const unsigned char*>(Run.Address);
    EXPECT_EQ(memcmp(Bytes + 548 + 36, "fixed", 6), 0);
    EXPECT_EQ(memcmp(Bytes + 3 * 548 + 36, "check", 6), 0);
#endif
}

TEST_F(HostCalls, EditTextsComeBackWhole512BytesAlsoOnEsc) {
    DialogFixture F;
    TheFakeHost.UserEdits = TypeEverywhere;
    TheFakeHost.DialogResult = -1;
    EXPECT_EQ(RunDialog(30, 5, F.Items, 4), -1);
    char Expected[DialogTextSize];
    memset(Expected, 'a', sizeof Expected);
    Expected[3] = '\0';
    Expected[DialogTextSize - 1] = '\0';
    EXPECT_EQ(memcmp(F.Edit, Expected, sizeof Expected), 0);
    EXPECT_STREQ(F.FixEdit, "bbb");
    EXPECT_STREQ(F.Password, "secret") << "a password field's buffer is left alone";
    for (int I = 0; I < 4; ++I)
        EXPECT_EQ(F.Items[I].Selected, 100 + I);
}

TEST_F(HostCalls, AnUnterminatedFieldComesBackTerminatedInItsBuffer) {
    DialogFixture F;
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) {
        memset(Items[0].Data, 'z', sizeof Items[0].Data);
    };
    RunDialog(30, 5, F.Items, 4);
    EXPECT_EQ(std::string(F.Edit), std::string(511, 'z'));
}

TEST_F(HostCalls, LongOrNullDescriptionTextsAreCutOrEmpty) {
    std::string Long(700, 'L');
    DialogItemSpec Items[] = {{DI_TEXT, 0, 0, 0, 0, 0, {0}, 0, 0, Long.c_str()},
                              {DI_TEXT, 0, 0, 0, 0, 0, {0}, 0, 0, nullptr}};
    RunDialog(10, 3, Items, 2);
    const RecordedDialog& Run = TheFakeHost.Dialogs.at(0);
    EXPECT_EQ(std::string(Run.Items[0].Data), std::string(511, 'L'));
    EXPECT_STREQ(Run.Items[1].Data, "");
}

TEST_F(HostCalls, BoxesAndDialogsWorkWithAnExhaustedHeap) {
    DialogFixture F;
    TheHeapHooks.FailAfter = 0;
    TheFakeHost.DialogResult = 1;
    EXPECT_EQ(RunDialog(30, 5, F.Items, 4), 1);
    ShowMessage(6);
    EXPECT_EQ(TheFakeHost.Dialogs.size(), 1u);
    ExpectInformationBox(TheFakeHost.Messages.at(0), "msg6");
    EXPECT_EQ(TheHeapHooks.Allocations, 0);
}

TEST_F(HostCalls, TooManyLinesOrItemsAreRefusedWithoutCallingTheHost) {
    MessageLine Lines[MaxMessageLines + 1] = {};
    EXPECT_EQ(ShowMessageBox(0, nullptr, 1, Lines, MaxMessageLines + 1), -1);
    EXPECT_EQ(ShowMessageBox(0, nullptr, 1, Lines, -1), -1);
    EXPECT_TRUE(TheFakeHost.Messages.empty());
    ShowMessageBox(0, nullptr, 1, Lines, MaxMessageLines);
    EXPECT_EQ(TheFakeHost.Messages.at(0).ItemsNumber, MaxMessageLines);

    char Buffer[DialogTextSize] = "kept";
    DialogItemSpec Items[MaxDialogItems + 1];
    for (DialogItemSpec& Item : Items)
        Item = {DI_EDIT, 0, 0, 0, 0, 0, {7}, 0, 0, Buffer};
    TheFakeHost.DialogResult = 0;
    TheFakeHost.UserEdits = TypeEverywhere;
    EXPECT_EQ(RunDialog(30, 5, Items, MaxDialogItems + 1), -1);
    EXPECT_TRUE(TheFakeHost.Dialogs.empty());
    EXPECT_STREQ(Buffer, "kept");
    EXPECT_EQ(Items[0].Selected, 7);
    EXPECT_EQ(RunDialog(30, 5, Items, MaxDialogItems), 0);
    EXPECT_EQ(TheFakeHost.Dialogs.at(0).ItemsNumber, MaxDialogItems);
}

} // namespace
