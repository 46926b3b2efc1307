// Recognition of "far.ads", the one-panel rule and the panel description.
#include "host/file_name_part.hpp"
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace {

const HANDLE Refused = INVALID_HANDLE_VALUE;
const HANDLE Panel = (HANDLE)(intptr_t)1;

class FilePanel : public testing::Test {
  protected:
    void SetUp() override {
        ClosePlugin(nullptr);
    }
    void TearDown() override {
        ClosePlugin(nullptr);
    }
    static HANDLE Open(const char* Name) {
        return OpenFile(Name);
    }
    // Takes the name only if it is accepted, then closes the panel again.
    static bool Accepts(const std::string& Name) {
        bool Accepted = Open(Name.c_str()) == Panel;
        ClosePlugin(nullptr);
        return Accepted;
    }
};

TEST_F(FilePanel, TakesFarAdsWhateverTheSeparatorOrDirectory) {
    for (const char* Name : {"D:\\work\\far.ads", "D:/work/far.ads", "D:\\work/sub\\far.ads",
                             "D:/x\\far.ads", "far.ads", "\\far.ads", "/far.ads"})
        EXPECT_TRUE(Accepts(Name)) << Name;
}

TEST_F(FilePanel, RefusesEveryOtherNamePart) {
    for (const char* Name :
         {"D:\\work\\FAR.ADS", "D:\\work\\Far.ads", "D:\\work\\far.ads.bak", "D:\\work\\xfar.ads",
          "D:\\work\\far.ad", "D:\\work\\far.ads\\", "D:\\far.ads\\readme", "xfar.ads", "",
          "D:\\work\\far.ads ", "D:\\work\\ far.ads"})
        EXPECT_FALSE(Accepts(Name)) << Name;
}

TEST_F(FilePanel, NullNameIsRefusedAndChangesNothing) {
    ASSERT_EQ(Open("D:\\work\\far.ads"), Panel);
    EXPECT_EQ(Open(nullptr), Refused);
    EXPECT_TRUE(PanelIsOpen);
    EXPECT_STREQ(HostFileBuffer, "D:\\work\\far.ads");
    ClosePlugin(nullptr);
    EXPECT_EQ(Open(nullptr), Refused);
    EXPECT_FALSE(PanelIsOpen);
}

TEST_F(FilePanel, IgnoresTheFileContents) {
    const unsigned char Bytes[] = {'M', 'Z', 0, 1};
    EXPECT_EQ(OpenFile("far.ads", Bytes, sizeof Bytes), Panel);
    ClosePlugin(nullptr);
    EXPECT_EQ(OpenFile("far.ads", nullptr, -5), Panel);
    ClosePlugin(nullptr);
    EXPECT_EQ(OpenFile("file.txt", Bytes, sizeof Bytes), Refused);
}

TEST_F(FilePanel, OnlyOnePanelAtATimeAndClosingFreesTheSlot) {
    ASSERT_EQ(Open("D:\\work\\far.ads"), Panel);
    EXPECT_TRUE(PanelIsOpen);
    EXPECT_EQ(Open("E:\\other\\far.ads"), Refused);
    OpenPluginInfo Info{};
    GetOpenPluginInfo(Panel, &Info);
    EXPECT_STREQ(Info.HostFile, "D:\\work\\far.ads");
    EXPECT_STREQ(Info.PanelTitle, "D:\\work\\far.ads");

    ClosePlugin(Panel);
    EXPECT_FALSE(PanelIsOpen);
    EXPECT_EQ(Open("D:\\work\\far.ads"), Panel);
}

TEST_F(FilePanel, ClosingAClosedPanelChangesNothing) {
    ASSERT_EQ(Open("D:\\work\\far.ads"), Panel);
    ClosePlugin(nullptr);
    ClosePlugin(nullptr);
    EXPECT_FALSE(PanelIsOpen);
    EXPECT_STREQ(HostFileBuffer, "D:\\work\\far.ads");
}

TEST_F(FilePanel, DescribesThePanelInExactlySixFields) {
    ASSERT_EQ(Open("D:\\work\\far.ads"), Panel);
    OpenPluginInfo Info;
    memset(&Info, 0x5A, sizeof Info);
    OpenPluginInfo Expected = Info;
    GetOpenPluginInfo((HANDLE)(intptr_t)1234, &Info);

    EXPECT_EQ(size_t(Info.StructSize), Layout.OpenPluginInfoSize);
    EXPECT_EQ(Info.Flags, 14u);
    // Copies, since the packed pointer fields may be misaligned off 32-bit.
    const char *HostFile = Info.HostFile, *CurDir = Info.CurDir, *PanelTitle = Info.PanelTitle;
    EXPECT_EQ(HostFile, HostFileBuffer);
    EXPECT_EQ(CurDir, CurDirBuffer);
    EXPECT_EQ(PanelTitle, PanelTitleBuffer);
    EXPECT_STREQ(Info.HostFile, "D:\\work\\far.ads");
    EXPECT_STREQ(Info.CurDir, "");
    EXPECT_STREQ(Info.PanelTitle, "D:\\work\\far.ads");
    EXPECT_EQ(Info.StartSortMode, 1);

    Expected.StructSize = Info.StructSize;
    Expected.Flags = Info.Flags;
    Expected.HostFile = Info.HostFile;
    Expected.CurDir = Info.CurDir;
    Expected.PanelTitle = Info.PanelTitle;
    Expected.StartSortMode = Info.StartSortMode;
    EXPECT_EQ(memcmp(&Info, &Expected, sizeof Info), 0) << "a field outside the six was written";
}

// The longest name that fits is taken whole. A longer one is held cut and
// taken by its name part where the host's contract says so (Windows);
// elsewhere (far2l) it is refused, since the cut host file would be another
// path. The longer one is a byte over and its name part is "far.ads", so
// on far2l only the length rule refuses it.
TEST_F(FilePanel, ANameLongerThanTheBufferIsTakenCutOnlyWhereTheHostAllows) {
    std::string Longest = "/" + std::string(LongestHostName - 9, 'd') + "/far.ads";
    std::string Longer = "/" + Longest;
    ASSERT_EQ(Longest.size(), LongestHostName);
    ASSERT_EQ(Open(Longest.c_str()), Panel);
    OpenPluginInfo Info{};
    GetOpenPluginInfo(Panel, &Info);
    EXPECT_EQ(std::string(Info.PanelTitle), Longest);
    ClosePlugin(Panel);

    ASSERT_EQ(Open(Longer.c_str()), HostTakesCutNames ? Panel : Refused);
    EXPECT_EQ(PanelIsOpen, HostTakesCutNames);
    if (HostTakesCutNames) {
        GetOpenPluginInfo(Panel, &Info);
        EXPECT_EQ(std::string(Info.HostFile), Longer.substr(0, LongestHostName));
    }
}

// far2l hands over each byte of a path that is not UTF-8 as U+E5CA and two
// hex digits: 20 folders of 48 such bytes make a 1,053-byte path 4,893
// bytes long, as measured. It opens, titled with the whole of it.
TEST_F(FilePanel, AFar2lPathOfEscapedBytesKeepsItsNameInTheTitle) {
    if (HostFileMayBeCut)
        GTEST_SKIP() << "the Windows host's names are at most 260 characters";
    std::string Path = "/tmp/qelfar-7dunjkte/work";
    for (int Folder = 0; Folder < 20; ++Folder) {
        Path += "/";
        for (int Byte = 0; Byte < 48; ++Byte)
            Path += "\xEE\x97\x8A"
                    "ff";
        Path += std::to_string(10 + Folder);
    }
    Path += "/far.ads";
    ASSERT_EQ(Path.size(), 4893u);
    ASSERT_EQ(Open(Path.c_str()), Panel);
    OpenPluginInfo Info{};
    GetOpenPluginInfo(Panel, &Info);
    EXPECT_EQ(std::string(Info.PanelTitle), Path);
    EXPECT_EQ(std::string(Info.HostFile), Path);
}

TEST_F(FilePanel, TitleFollowsTheLatestAcceptedName) {
    ASSERT_EQ(Open("C:\\a\\far.ads"), Panel);
    ClosePlugin(Panel);
    EXPECT_EQ(Open("C:\\b\\notes.txt"), Refused);
    ASSERT_EQ(Open("C:\\b\\far.ads"), Panel);
    OpenPluginInfo Info{};
    GetOpenPluginInfo(Panel, &Info);
    EXPECT_STREQ(Info.PanelTitle, "C:\\b\\far.ads");
}

TEST(FileNamePart, TakesTheTextAfterTheLastSeparator) {
    char Part[PathBufferSize];
    const std::pair<const char*, const char*> Cases[] = {
        {"D:\\work\\far.ads", "far.ads"},
        {"a/b\\c", "c"},
        {"plain", "plain"},
        {"dir\\", ""},
        {"\\x", "x"},
        {"", ""},
    };
    for (auto [Path, NamePart] : Cases) {
        memset(Part, '#', sizeof Part);
        FileNamePart(Path, strlen(Path), Part);
        EXPECT_STREQ(Part, NamePart) << Path;
    }
}

} // namespace
