// The wrappers around the host's GetMsg, Message and Dialog: what the host
// receives and what comes back to the caller.
#include "host/host_calls.hpp"
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"
#include "tests/heap_hooks.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>

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
    EXPECT_EQ(TheFakeHost.GetMsgCalls[0], std::make_pair(INT_PTR{42}, 200)); // zero-extended
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

// Leaves a pattern in the stack where RunDialog will build its records.
[[gnu::noinline]] void DirtyTheStack() {
    volatile unsigned char Junk[16 * 1024];
    for (size_t I = 0; I < sizeof Junk; ++I)
        Junk[I] = 0xA5;
}

// What the host should find: each description's nine fields, a history
// item's History pointer, its text, and every other byte zero.
std::vector<unsigned char> HostRecords(const DialogItemSpec* Items, int Count) {
    std::vector<unsigned char> Bytes(Count * Layout.DialogItemSize, 0);
    for (int I = 0; I < Count; ++I) {
        const DialogItemSpec& D = Items[I];
        unsigned char* Record = Bytes.data() + I * Layout.DialogItemSize;
        const int32_t Fields[9] = {
            D.Type, D.X1, D.Y1, D.X2, D.Y2, D.Focus, D.Selected, int32_t(D.Flags), D.DefaultButton};
        for (int Field = 0; Field < 9; ++Field)
            memcpy(Record + Layout.DialogFieldAt[Field], &Fields[Field], 4);
        if (D.Flags & DIF_HISTORY)
            memcpy(Record + Layout.DialogFieldAt[6], &D.History, sizeof D.History);
        if (D.Data != nullptr)
            memcpy(Record + Layout.DataAt, D.Data, strlen(D.Data));
    }
    return Bytes;
}

TEST_F(HostCalls, TheHostReceivesTheDescriptionsInOrderByteForByte) {
    char Edit[DialogTextSize] = "edit";
    DialogItemSpec Items[] = {
        {DI_EDIT, 1, 2, 3, 4, 1, {0}, DIF_HISTORY | 0x20, 0, Edit},
        {DI_BUTTON, 5, 6, 7, 8, 0, {9}, DIF_CENTERGROUP, 1, "button"},
        {DI_EDIT, 9, 9, 9, 9, 0, {3}, 0, 0, nullptr}, // no buffer: an empty text, nothing back
        {DI_TEXT, -1, -2, -3, -4, 0, {-5}, 0x80000000, 0, ""},
    };
    Items[0].History = "SomeHistory";
    TheFakeHost.DialogResult = 2;
    DirtyTheStack();
    EXPECT_EQ(RunDialog(30, 5, Items, 4), 2);

    const RecordedDialog& Run = TheFakeHost.Dialogs.at(0);
    EXPECT_EQ(Run.PluginNumber, 42);
    EXPECT_EQ(std::make_tuple(Run.X1, Run.Y1, Run.X2, Run.Y2), std::make_tuple(-1, -1, 30, 5));
    EXPECT_EQ(Run.HelpTopic, nullptr);
    ASSERT_EQ(Run.ItemsNumber, 4);
    std::vector<unsigned char> Expected = HostRecords(Items, 4);
    const auto* Actual = reinterpret_cast<const unsigned char*>(Run.Items.data());
    for (size_t Offset = 0; Offset < Expected.size(); ++Offset)
        ASSERT_EQ(Actual[Offset], Expected[Offset]) << "item " << Offset / Layout.DialogItemSize
                                                    << ", byte " << Offset % Layout.DialogItemSize;
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

// Counts the host cannot take are refused with -1 and leave the items alone;
// an empty dialog or box still goes to the host.
TEST_F(HostCalls, OnlyCountsFromZeroToTheMostReachTheHost) {
    char Buffer[DialogTextSize] = "kept";
    DialogItemSpec Items[MaxDialogItems + 1];
    for (DialogItemSpec& Item : Items)
        Item = {DI_EDIT, 0, 0, 0, 0, 0, {7}, 0, 0, Buffer};
    MessageLine Lines[MaxMessageLines + 1] = {};
    TheFakeHost.DialogResult = 0;
    TheFakeHost.MessageResult = 0;
    TheFakeHost.UserEdits = TypeEverywhere;
    const std::pair<int, bool> Counts[] = {
        {-1, false}, {0, true}, {1, true}, {MaxDialogItems, true}, {MaxDialogItems + 1, false}};
    for (auto [Count, Reaches] : Counts) {
        strcpy(Buffer, "kept");
        for (DialogItemSpec& Item : Items)
            Item.Selected = 7;
        TheFakeHost.Dialogs.clear();
        TheFakeHost.Messages.clear();
        EXPECT_EQ(RunDialog(30, 5, Items, Count), Reaches ? 0 : -1) << Count;
        EXPECT_EQ(ShowMessageBox(0, nullptr, 0, Lines, Count), Reaches ? 0 : -1) << Count;
        ASSERT_EQ(TheFakeHost.Dialogs.size(), Reaches ? 1u : 0u) << Count;
        ASSERT_EQ(TheFakeHost.Messages.size(), Reaches ? 1u : 0u) << Count;
        if (Reaches) {
            EXPECT_EQ(TheFakeHost.Dialogs[0].ItemsNumber, Count);
            EXPECT_EQ(TheFakeHost.Messages[0].ItemsNumber, Count);
        } else {
            EXPECT_STREQ(Buffer, "kept");
            EXPECT_EQ(Items[0].Selected, 7);
        }
    }
}

} // namespace
