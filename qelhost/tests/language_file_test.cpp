// Language files read as the host reads them.
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/language_file.hpp"

#include <gtest/gtest.h>

#include <stdio.h>
#include <unistd.h>

namespace {

class LanguageFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char Template[] = "/tmp/qelhost_lng_XXXXXX";
        Folder = mkdtemp(Template);
    }
    void TearDown() override {
        for (const std::string& Path : Written)
            unlink(Path.c_str());
        rmdir(Folder.c_str());
    }
    std::string Write(const std::string& Name, const std::string& Text) {
        std::string Path = Folder + "/" + Name;
        FILE* File = fopen(Path.c_str(), "wb");
        fwrite(Text.data(), 1, Text.size(), File);
        fclose(File);
        Written.push_back(Path);
        return Path;
    }
    std::string Folder;
    std::vector<std::string> Written;
};

TEST_F(LanguageFolder, MessagesAreQuotedLinesInFileOrderAndAllElseIsComment) {
    std::string Path = Write("a.lng", ".Language=English,English\r\n"
                                      "// comment \"not a message\"\r\n"
                                      "   \"first\"   \r\n"
                                      "\r\n"
                                      "second, unquoted: a comment\r\n"
                                      "\t\"\"\r\n"
                                      "\"no closing quote\n"
                                      "\"last\"");
    LanguageFile File;
    ASSERT_EQ(ReadLanguageFile(Path, File), "");
    EXPECT_EQ(File.Language, "English");
    EXPECT_EQ(File.Messages, (std::vector<std::string>{"first", "", "no closing quote", "last"}));
}

TEST_F(LanguageFolder, EscapesStandForTheirCharactersAndOtherBackslashesStay) {
    std::string Path = Write("a.lng", ".Language=English,English\n"
                                      "\"a\\\\b \\\"q\\\" \\n \\t \\x\"\n");
    LanguageFile File;
    ASSERT_EQ(ReadLanguageFile(Path, File), "");
    ASSERT_EQ(File.Messages.size(), 1u);
    EXPECT_EQ(File.Messages[0], "a\\b \"q\" \n \t \\x");
}

TEST_F(LanguageFolder, AFileWithoutTheLanguageLineIsRefused) {
    LanguageFile File;
    EXPECT_NE(ReadLanguageFile(Write("a.lng", "\"text\"\n"), File), "");
    EXPECT_NE(ReadLanguageFile(Folder + "/absent.lng", File), "");
}

TEST_F(LanguageFolder, TheFileIsChosenByItsLanguageNotItsName) {
    Write("one.lng", ".Language=Russian,Russian\n\"ru\"\n");
    Write("two.LNG", ".Language=English,English\n\"en\"\n");
    Write("three.txt", ".Language=German,German\n\"de\"\n");
    LanguageFile File;
    ASSERT_EQ(FindLanguageFile(Folder, "english", File), "");
    EXPECT_EQ(File.Messages, std::vector<std::string>{"en"});
    ASSERT_EQ(FindLanguageFile(Folder, "Russian", File), "");
    EXPECT_EQ(File.Messages, std::vector<std::string>{"ru"});
    EXPECT_NE(FindLanguageFile(Folder, "German", File), "");
}

TEST(ShippedLanguageFiles, BothHoldTheSameTwelveMessagesInTheirLanguage) {
    LanguageFile English, Russian;
    ASSERT_EQ(FindLanguageFile(QELFAR_SOURCE_DIR "/lang", "English", English), "");
    ASSERT_EQ(FindLanguageFile(QELFAR_SOURCE_DIR "/lang", "Russian", Russian), "");
    EXPECT_EQ(English.Messages.size(), 12u);
    EXPECT_EQ(Russian.Messages.size(), English.Messages.size());
    for (size_t I = 0; I < English.Messages.size(); ++I) {
        EXPECT_FALSE(English.Messages[I].empty()) << I;
        EXPECT_FALSE(Russian.Messages[I].empty()) << I;
    }
    // Code page 866: "Привет, мир" is message 9 of the Russian file.
    EXPECT_EQ(ToUtf8(OemToUnicode(Russian.Messages[9])), "Привет, мир");
    EXPECT_EQ(English.Messages[9], "Hello, world");
}

} // namespace
