// Language files read as the host reads them.
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/language_file.hpp"

#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/stat.h>
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
            if (unlink(Path.c_str()) != 0)
                rmdir(Path.c_str());
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
                                      "\"inner \"quotes\" stay\"\n"
                                      "\"last\"");
    LanguageFile File;
    ASSERT_EQ(ReadLanguageFile(Path, File), "");
    EXPECT_EQ(File.Language, "English");
    EXPECT_EQ(File.Messages,
              (std::vector<std::string>{"first", "", "inner \"quotes\" stay", "last"}));
}

TEST_F(LanguageFolder, EscapesStandForTheirCharactersAndOtherBackslashesStay) {
    std::string Path = Write("a.lng", ".Language=English,English\n"
                                      "\"a\\\\b \\\"q\\\" \\n \\t \\x\"\n");
    LanguageFile File;
    ASSERT_EQ(ReadLanguageFile(Path, File), "");
    ASSERT_EQ(File.Messages.size(), 1u);
    EXPECT_EQ(File.Messages[0], "a\\b \"q\" \n \t \\x");
}

TEST_F(LanguageFolder, FilesThatCannotServeAreToldWhy) {
    const std::string Header = ".Language=English,English\n";
    const std::pair<std::string, std::string> Cases[] = {
        {"", "a.lng is empty"},
        {"\"text\"\n", "a.lng is not a language file: its first line is not .Language=..."},
        {Header + "\"one\"\n\"two\n", "a.lng line 3: the message has no closing quote"},
        {Header + "\"ends in \\\"\n", "a.lng line 2: the message has no closing quote"},
        {Header + "\"\n", "a.lng line 2: the message has no closing quote"},
        {Header + "\"Привет\"\n", "a.lng line 2: the text is UTF-8, not code page 866: \"Привет\""},
        {"\xEF\xBB\xBF" + Header, "a.lng starts with a UTF-8 byte-order mark: it is UTF-8, not "
                                  "code page 866"},
    };
    for (const auto& [Text, Why] : Cases) {
        LanguageFile File;
        EXPECT_EQ(ReadLanguageFile(Write("a.lng", Text), File), Why);
    }
    LanguageFile File;
    EXPECT_EQ(ReadLanguageFile(Folder + "/absent.lng", File),
              "absent.lng: No such file or directory");
    // Code page 866 text that happens to be UTF-8 of other scripts stays text.
    EXPECT_EQ(ReadLanguageFile(Write("a.lng", Header + "\"\xE0\xA0\xA1\"\n"), File), "");
}

TEST_F(LanguageFolder, OnlyRegularFilesAreOpened) {
    std::string Fifo = Folder + "/fifo.lng", Directory = Folder + "/folder.lng";
    ASSERT_EQ(mkfifo(Fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkdir(Directory.c_str(), 0700), 0);
    Written.insert(Written.end(), {Fifo, Directory});
    LanguageFile File;
    EXPECT_EQ(ReadLanguageFile(Fifo, File), "fifo.lng is not a regular file");
    EXPECT_EQ(FindLanguageFile(Folder, "English", File),
              "no usable English language file (.lng) beside the plugin: fifo.lng is not a regular "
              "file; folder.lng is not a regular file");
    Write("z.lng", ".Language=English,English\n\"found\"\n");
    EXPECT_EQ(FindLanguageFile(Folder, "English", File), "");
    EXPECT_EQ(File.Messages, std::vector<std::string>{"found"});
}

TEST_F(LanguageFolder, TheBrokenFileOfTheLanguageIsReportedAndOthersAreNotRead) {
    Write("en.lng", ".Language=English,English\n\"open\n");
    Write("ru.lng", ".Language=Russian,Russian\n\"also open\n");
    LanguageFile File;
    EXPECT_EQ(FindLanguageFile(Folder, "English", File),
              "no usable English language file (.lng) beside the plugin: en.lng line 2: the "
              "message has no closing quote");
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
