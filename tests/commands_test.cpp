// The commands: invocation messages and the F7 input dialog, as the host
// sees them.
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"
#include "tests/heap_hooks.hpp"
#include "tests/host_layout.hpp"
#include "tests/utf8_text.hpp"

#include <gtest/gtest.h>
#include <algorithm>
#include <string.h>
#include <string>

namespace {

const HANDLE NoPanel = INVALID_HANDLE_VALUE;
constexpr int F7 = 0x76;

class Commands : public PluginWithFakeHost {
  protected:
    // The text lines of every box shown so far, one string per box.
    static std::vector<std::string> Shown() {
        std::vector<std::string> Lines;
        for (const RecordedMessage& Box : TheFakeHost.Messages) {
            EXPECT_EQ(Box.Items.size(), 3u);
            Lines.push_back(Box.Items.at(1));
        }
        return Lines;
    }
};

TEST_F(Commands, EachOriginShowsItsMessageAndOpensNothing) {
    const std::pair<int, const char*> Origins[] = {
        {1, "msg6"}, {4, "msg5"}, {5, "msg3"}, {6, "msg4"}};
    for (auto [OpenFrom, Message] : Origins) {
        TheFakeHost.Messages.clear();
        EXPECT_EQ(OpenPlugin(OpenFrom, 0), NoPanel);
        EXPECT_EQ(Shown(), std::vector<std::string>{Message}) << "origin " << OpenFrom;
    }
}

TEST_F(Commands, CommandTextAndBoxResultDoNotMatter) {
    TheFakeHost.MessageResult = -1; // closed with Esc
    EXPECT_EQ(OpenPlugin(4, 0), NoPanel);
    EXPECT_EQ(OpenPlugin(4, 12345), NoPanel);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"msg5", "msg5"}));
}

TEST_F(Commands, OtherOriginsShowNothing) {
    for (int OpenFrom : {0, 2, 3, 7, 8, -1, 1000})
        EXPECT_EQ(OpenPlugin(OpenFrom, 0), NoPanel);
    EXPECT_TRUE(TheFakeHost.Messages.empty());
    EXPECT_TRUE(TheFakeHost.GetMsgCalls.empty());
}

TEST_F(Commands, OnlyABareF7IsTaken) {
    for (unsigned int State : {0x1u, 0x2u, 0x4u, 0x5u, 0x8u, 0x100u, 0x80000000u})
        EXPECT_EQ(ProcessKey(nullptr, F7, State), 0) << State;
    // 0x80076: F7 offered before the host acts on it.
    for (int Key : {0x75, 0x77, 0x0D, 0x1B, 0x46, 0, 0x80076})
        EXPECT_EQ(ProcessKey(nullptr, Key, 0), 0) << Key;
    EXPECT_TRUE(TheFakeHost.CallOrder.empty());
}

// The five items byte for byte as the host receives them.
TEST_F(Commands, F7DialogItemsAreLaidOutAsTheHostReadsThem) {
    TheFakeHost.DialogResult = 4;
    EXPECT_EQ(ProcessKey(nullptr, F7, 0), 1);
    const RecordedDialog& Run = TheFakeHost.Dialogs.at(0);
    EXPECT_EQ(std::make_tuple(Run.X1, Run.Y1, Run.X2, Run.Y2), std::make_tuple(-1, -1, 30, 5));
    EXPECT_EQ(Run.HelpTopic, nullptr);
    ASSERT_EQ(Run.ItemsNumber, 5);
    const auto* Bytes = reinterpret_cast<const unsigned char*>(Run.Items.data());
    const int32_t Expected[5][9] = {
        {3, 0, 0, 30, 4, 0, 0, 0, 0},         {0, 2, 1, 10, 2, 0, 0, 0, 0},
        {4, 10, 1, 28, 2, 1, -1, 0x40000, 0}, {7, 1, 3, 10, 4, 0, 0, 0x4000, 1},
        {7, 1, 3, 10, 4, 0, 0, 0x4000, 0},
    };
    const char* Texts[5] = {"msg7", "msg8", "msg9", "msg0", "msg1"};
    for (int I = 0; I < 5; ++I) {
        const unsigned char* Item = Bytes + Layout.DialogItemSize * I;
        for (int Field = 0; Field < 9; ++Field) {
            if (I == 2 && Field == 6)
                continue; // the History pointer, checked below
            EXPECT_EQ(FieldAt(Item, Layout.DialogFieldAt[Field]), Expected[I][Field])
                << "item " << I << " field " << Field;
        }
        EXPECT_STREQ(reinterpret_cast<const char*>(Item + Layout.DataAt), Texts[I]) << "item " << I;
    }
    const char* History;
    memcpy(&History, Bytes + 2 * Layout.DialogItemSize + Layout.DialogFieldAt[6], sizeof History);
    EXPECT_STREQ(History, "InputHistory");
}

TEST_F(Commands, AcceptingShowsMessage10ThenTheEnteredText) {
    TheFakeHost.DialogResult = 3;
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) { strcpy(Items[2].Data, "typed"); };
    EXPECT_EQ(ProcessKey(nullptr, F7, 0), 1);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"msg10", "typed"}));
}

TEST_F(Commands, AcceptingUneditedOrEmptiedFieldShowsThatText) {
    TheFakeHost.DialogResult = 3;
    ProcessKey(nullptr, F7, 0);
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) { Items[2].Data[0] = '\0'; };
    ProcessKey(nullptr, F7, 0);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"msg10", "msg9", "msg10", ""}));
}

TEST_F(Commands, EveryOtherOutcomeShowsOnlyMessage11) {
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) { strcpy(Items[2].Data, "typed"); };
    for (int Result : {4, -1, 0, 2, 99}) {
        TheFakeHost.Messages.clear();
        TheFakeHost.DialogResult = Result;
        EXPECT_EQ(ProcessKey(nullptr, F7, 0), 1);
        EXPECT_EQ(Shown(), std::vector<std::string>{"msg11"}) << "result " << Result;
    }
}

TEST_F(Commands, EachF7StartsAgainFromTheInitialText) {
    TheFakeHost.DialogResult = 3;
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) { strcpy(Items[2].Data, "first"); };
    ProcessKey(nullptr, F7, 0);
    TheFakeHost.UserEdits = nullptr;
    ProcessKey(nullptr, F7, 0);
    ASSERT_EQ(TheFakeHost.Dialogs.size(), 2u);
    EXPECT_STREQ(TheFakeHost.Dialogs[1].Items[2].Data, "msg9");
    EXPECT_EQ(Shown().back(), "msg9");
}

TEST_F(Commands, LongEnteredTextIsShownCutToTheLine) {
    TheFakeHost.DialogResult = 3;
    TheFakeHost.UserEdits = [](FarDialogItem* Items, int) {
        memset(Items[2].Data, 'w', sizeof Items[2].Data); // no terminator at all
    };
    ProcessKey(nullptr, F7, 0);
    EXPECT_EQ(Shown().back(), std::string(100, 'w'));
}

TEST_F(Commands, NullTextsFromTheHostAreShownEmpty) {
    for (int Id = 0; Id < 12; ++Id)
        TheFakeHost.MessageTexts[Id] = nullptr;
    TheFakeHost.DialogResult = 3;
    EXPECT_EQ(ProcessKey(nullptr, F7, 0), 1);
    const RecordedDialog& Run = TheFakeHost.Dialogs.at(0);
    for (const FarDialogItem& Item : Run.Items)
        EXPECT_STREQ(Item.Data, "");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(OpenPlugin(1, 0), NoPanel);
}

TEST_F(Commands, LongInitialTextIsCutTo511Characters) {
    std::string Long(600, 'i');
    TheFakeHost.MessageTexts[9] = Long.c_str();
    ProcessKey(nullptr, F7, 0);
    EXPECT_EQ(std::string(TheFakeHost.Dialogs.at(0).Items[2].Data), std::string(511, 'i'));
}

std::string Repeated(const std::string& Text, size_t Times) {
    std::string All;
    for (size_t I = 0; I < Times; ++I)
        All += Text;
    return All;
}

// A text typed into the field and accepted, shown in a box of 100 bytes a
// line: far2l gets whole characters, Windows the first 100 bytes.
TEST_F(Commands, AnAcceptedTextIsShownCutBetweenCharacters) {
    const std::string Zhe = "\xD0\x96"; // Ж
    const std::pair<std::string, std::string> Cases[] = {
        {"a" + Repeated(Zhe, 60), "a" + Repeated(Zhe, 49)}, // 99 bytes
        {Repeated(Zhe, 60), Repeated(Zhe, 50)},
    };
    TheFakeHost.DialogResult = 3;
    for (const auto& [Typed, OnFar2l] : Cases) {
        TheFakeHost.Messages.clear();
        TheFakeHost.UserEdits = [&Typed](FarDialogItem* Items, int) {
            strcpy(Items[2].Data, Typed.c_str());
        };
        ProcessKey(nullptr, F7, 0);
        EXPECT_EQ(Shown().back(), HostReadsUtf8 ? OnFar2l : Typed.substr(0, 100)) << Typed;
    }
}

// The language file's texts and the user's edit in UTF-8, of every length
// around the box's and the dialog's limits: every text the host gets, in
// every box and dialog item, is UTF-8 too.
TEST_F(Commands, TheHostGetsUtf8WhereverItsTextsWereUtf8) {
    if (!HostReadsUtf8)
        GTEST_SKIP() << "the Windows host's texts are single-byte";
    for (const std::string Character : {"\xD0\x96", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"})
        for (size_t Length : {98, 99, 100, 101, 102, 103, 509, 510, 511, 512, 513, 514}) {
            std::string Text = std::string(Length % Character.size(), 'a') +
                               Repeated(Character, Length / Character.size());
            for (int Id = 0; Id <= 11; ++Id)
                TheFakeHost.MessageTexts[Id] = Text.c_str();
            TheFakeHost.UserEdits = [&Text](FarDialogItem* Items, int) {
                memcpy(Items[2].Data, Text.c_str(),
                       std::min(Text.size() + 1, sizeof Items[2].Data));
            };
            TheFakeHost.Messages.clear();
            TheFakeHost.Dialogs.clear();
            for (int OpenFrom : {1, 4, 5, 6})
                OpenPlugin(OpenFrom, 0);
            for (int Result : {3, -1}) {
                TheFakeHost.DialogResult = Result;
                ProcessKey(nullptr, F7, 0);
            }
            for (const RecordedMessage& Box : TheFakeHost.Messages)
                for (const std::string& Line : Box.Items)
                    EXPECT_TRUE(IsUtf8(Line)) << Length << "-byte texts, box line " << Line;
            for (const RecordedDialog& Run : TheFakeHost.Dialogs)
                for (const FarDialogItem& Item : Run.Items)
                    EXPECT_TRUE(IsUtf8(std::string(Item.Data, strnlen(Item.Data, 512))))
                        << Length << "-byte texts, dialog text " << Item.Data;
        }
}

} // namespace
