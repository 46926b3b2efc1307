// The file panels' model over a real folder: the order the sort modes give,
// the selection and cursor kept across an update, and what a command acts on.
#include "qelhost/services/file_panels.hpp"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string MakeFolder() {
    char Template[] = "/tmp/qelhost_panels_XXXXXX";
    std::string Folder = mkdtemp(Template);
    const std::pair<const char*, int> Files[] = {
        {"file10", 3}, {"file9", 1}, {"B.txt", 20}, {"a.doc", 2}};
    for (const auto& [Name, Size] : Files) {
        FILE* File = fopen((Folder + "/" + Name).c_str(), "w");
        fprintf(File, "%*s", Size, "");
        fclose(File);
    }
    mkdir((Folder + "/Zeta").c_str(), 0700);
    return Folder;
}

std::vector<std::string> Names(const FilePanel& Panel) {
    std::vector<std::string> Result;
    for (const PanelItem& Item : Panel.Items)
        Result.push_back(Item.FindData.cFileName);
    return Result;
}

class FilePanels : public ::testing::Test {
  protected:
    void SetUp() override {
        Folder = MakeFolder();
        std::string Why;
        ASSERT_TRUE(ShowFolder(Panel, Folder, Why)) << Why;
    }
    void TearDown() override {
        system(("rm -rf " + Folder).c_str());
    }
    std::string Folder;
    FilePanel Panel;
};

} // namespace

TEST_F(FilePanels, SortModesKeepUpFirstAndFoldersBeforeFiles) {
    using List = std::vector<std::string>;
    const struct {
        int Mode;
        bool Reverse, Numeric;
        List Order;
    } Cases[] = {
        {SM_NAME, false, false, {"..", "Zeta", "a.doc", "B.txt", "file10", "file9"}},
        {SM_NAME, false, true, {"..", "Zeta", "a.doc", "B.txt", "file9", "file10"}},
        {SM_NAME, true, false, {"..", "Zeta", "file9", "file10", "B.txt", "a.doc"}},
        {SM_EXT, false, false, {"..", "Zeta", "file10", "file9", "a.doc", "B.txt"}},
        {SM_SIZE, false, false, {"..", "Zeta", "B.txt", "file10", "a.doc", "file9"}},
    };
    for (const auto& Case : Cases) {
        Panel.Modes.SortMode = Case.Mode;
        Panel.Modes.Reverse = Case.Reverse;
        Panel.Modes.Numeric = Case.Numeric;
        SortPanel(Panel);
        EXPECT_EQ(Names(Panel), Case.Order) << Case.Mode << Case.Reverse << Case.Numeric;
    }
}

TEST_F(FilePanels, AnUpdateKeepsTheSelectionAndTheCursorByName) {
    int B = FindItem(Panel, "b.TXT"); // names are found without case
    ASSERT_GE(B, 0);
    Panel.Items[B].Flags |= PPIF_SELECTED;
    Panel.Current = FindItem(Panel, "file9");
    FILE* New = fopen((Folder + "/0first").c_str(), "w"); // sorts before the others
    fclose(New);
    UpdatePanel(Panel, true);
    EXPECT_EQ(Names(Panel)[Panel.Current], "file9");
    EXPECT_TRUE(Panel.Items[FindItem(Panel, "B.txt")].Flags & PPIF_SELECTED);
    UpdatePanel(Panel, false);
    EXPECT_FALSE(Panel.Items[FindItem(Panel, "B.txt")].Flags & PPIF_SELECTED);
}

TEST_F(FilePanels, CommandsActOnTheSelectionElseTheCursorButNeverOnUp) {
    Panel.Current = 0; // ".."
    EXPECT_TRUE(ChosenItems(Panel).empty());
    Panel.Current = FindItem(Panel, "a.doc");
    EXPECT_EQ(ChosenItems(Panel), std::vector<int>{Panel.Current});
    int Ten = FindItem(Panel, "file10");
    Panel.Items[Ten].Flags |= PPIF_SELECTED;
    EXPECT_EQ(ChosenItems(Panel), std::vector<int>{Ten});
}
