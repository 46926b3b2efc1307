// Session input read line by line with bounds, from files of every kind.
#include "qelhost/session/line_input.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

// Everything LineInput gives for Text, as "line" or "<TooLong 2>" items.
std::vector<std::string> ReadAll(int Descriptor) {
    LineInput Input(Descriptor);
    std::vector<std::string> Seen;
    for (;;) {
        std::string Line;
        LineInput::Result Result = Input.Next(Line);
        if (Result == LineInput::Line) {
            Seen.push_back(Line);
            continue;
        }
        const char* Names[] = {"", "<End", "<TooLong", "<TooMuch", "<Failed"};
        Seen.push_back(std::string(Names[Result]) + " " + std::to_string(Input.LineNumber()) + ">");
        if (Result != LineInput::TooLong)
            return Seen;
    }
}

std::vector<std::string> ReadText(const std::string& Text) {
    FILE* File = tmpfile();
    fwrite(Text.data(), 1, Text.size(), File);
    fflush(File);
    int Descriptor = dup(fileno(File));
    lseek(Descriptor, 0, SEEK_SET);
    fclose(File);
    std::vector<std::string> Seen = ReadAll(Descriptor);
    close(Descriptor);
    return Seen;
}

using Lines = std::vector<std::string>;

TEST(LineInput, LinesOfEveryShape) {
    std::string Long(MaxLineBytes + 1, 'x');
    const std::pair<std::string, Lines> Cases[] = {
        {"", {"<End 0>"}},
        {"a\nb\n", {"a", "b", "<End 2>"}},
        {"a\r\nlast\r", {"a", "last\r", "<End 2>"}},
        {"\xEF\xBB\xBF"
         "first\n\xEF\xBB\xBF"
         "second\n",
         {"first",
          "\xEF\xBB\xBF"
          "second",
          "<End 2>"}},
        {"ok\n" + Long + "\nafter\n", {"ok", "<TooLong 2>", "after", "<End 3>"}},
        {Long, {"<TooLong 1>", "<End 1>"}},
        {std::string(MaxLineBytes, 'y') + "\n", {std::string(MaxLineBytes, 'y'), "<End 1>"}},
    };
    for (const auto& [Text, Expected] : Cases)
        EXPECT_EQ(ReadText(Text), Expected) << Text.substr(0, 20);
}

TEST(LineInput, InputPastItsBoundStopsTheReading) {
    std::string Line(1023, 'z');
    std::string Text;
    for (size_t Size = 0; Size <= MaxInputBytes; Size += 1024)
        Text += Line + "\n";
    Lines Seen = ReadText(Text);
    EXPECT_EQ(Seen.back().substr(0, 9), "<TooMuch ");
    EXPECT_LE(Seen.size() * 1024, MaxInputBytes + 1024);
}

TEST(LineInput, AFolderReadsAsAFailure) {
    int Folder = open("/", O_RDONLY | O_DIRECTORY);
    LineInput Input(Folder);
    std::string Line;
    EXPECT_EQ(Input.Next(Line), LineInput::Failed);
    EXPECT_EQ(Input.Error(), "Is a directory");
    close(Folder);
}

TEST(OpenScript, OnlyFilesAndPipesAreOpened) {
    std::string Why;
    EXPECT_EQ(OpenScript("/", Why), -1);
    EXPECT_EQ(Why, "it is a folder, not a file or a pipe");
    EXPECT_EQ(OpenScript("/dev/zero", Why), -1);
    EXPECT_EQ(Why, "it is a character device, not a file or a pipe");
    EXPECT_EQ(OpenScript("/nonexistent/script.qel", Why), -1);
    EXPECT_EQ(Why, "No such file or directory");
    int Descriptor = OpenScript(QELFAR_SOURCE_DIR "/qelhost/sessions/demo.qel", Why);
    EXPECT_GE(Descriptor, 0);
    close(Descriptor);
}

} // namespace
