// The shipped language files, read as the host reads them, against the
// message numbers the plugin's code actually looks up.
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"

#include <gtest/gtest.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

struct LanguageFile {
    std::string Header;
    std::vector<std::string> Messages;
};

std::string Trimmed(const std::string& Line) {
    size_t First = Line.find_first_not_of(" \t\r");
    size_t Last = Line.find_last_not_of(" \t\r");
    return First == std::string::npos ? "" : Line.substr(First, Last - First + 1);
}

LanguageFile Read(const std::string& Name) {
    std::ifstream File(std::string(QELFAR_SOURCE_DIR) + "/lang/" + Name, std::ios::binary);
    EXPECT_TRUE(File) << Name;
    LanguageFile Result;
    std::string Line;
    std::getline(File, Result.Header);
    while (std::getline(File, Line)) {
        Line = Trimmed(Line);
        if (!Line.empty() && Line[0] == '"') {
            EXPECT_EQ(Line.back(), '"') << Name << ": " << Line;
            Result.Messages.push_back(Line.substr(1, Line.size() - 2));
        }
    }
    return Result;
}

// Every message number the plugin's code asks the host for, gathered by
// driving every command path through the fake host.
std::set<int> LookedUpIds() {
    PluginStartupInfo Info = ResetFakeHost();
    SetStartupInfo(&Info);
    for (int OpenFrom : {1, 4, 5, 6})
        OpenPlugin(OpenFrom, 0);
    for (int Result : {3, -1}) {
        TheFakeHost.DialogResult = Result;
        ProcessKey(nullptr, 0x76, 0);
    }
    std::set<int> Ids;
    for (auto [Module, Id] : TheFakeHost.GetMsgCalls)
        Ids.insert(Id);
    return Ids;
}

void ExpectHoldsWhatTheCodeLooksUp(const LanguageFile& File) {
    std::set<int> Ids = LookedUpIds();
    EXPECT_EQ(Ids, (std::set<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    // Messages are numbered by position, so 2 must be there as well.
    ASSERT_EQ(File.Messages.size(), size_t(*Ids.rbegin() + 1));
    for (size_t Id = 0; Id < File.Messages.size(); ++Id)
        EXPECT_FALSE(File.Messages[Id].empty()) << "message " << Id;
}

TEST(LanguageFiles, EnglishHoldsEveryMessageTheCodeLooksUp) {
    LanguageFile English = Read("qelfar_eng.lng");
    EXPECT_EQ(English.Header, ".Language=English,English");
    ExpectHoldsWhatTheCodeLooksUp(English);
}

TEST(LanguageFiles, RussianHoldsEveryMessageInCodePage866) {
    LanguageFile Russian = Read("qelfar_rus.lng");
    // "Russian (Русский)" in code page 866, no byte-order mark.
    EXPECT_EQ(Russian.Header, ".Language=Russian,Russian (\x90\xe3\xe1\xe1\xaa\xa8\xa9)");
    ExpectHoldsWhatTheCodeLooksUp(Russian);
    for (const std::string& Message : Russian.Messages)
        for (unsigned char Byte : Message)
            EXPECT_FALSE(Byte >= 0xB0 && Byte <= 0xDF) << "box-drawing byte, not a letter";
}

} // namespace
