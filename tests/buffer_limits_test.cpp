// Every fixed buffer of the plugin, fed texts one below its limit, at it,
// and one and two above it: it keeps what fits and its terminator, and
// nothing is read or written past a buffer (AddressSanitizer, in the
// sanitized build, fails the test on a single byte).
#include "host/bounded_text.hpp"
#include "host/file_name_part.hpp"
#include "plugin/module_state.hpp"
#include "tests/fake_host.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using BufferLimits = PluginWithFakeHost;

struct Buffer {
    const char* Name;
    size_t Limit; // characters before the terminator
    // What the buffer holds after being given Text.
    std::function<std::string(const std::string& Text)> Keep;
};

std::string HostFileOf(const std::string& Text) {
    OpenFile(Text.c_str()); // refused by its name part, but kept all the same
    OpenPluginInfo Info{};
    GetOpenPluginInfo(nullptr, &Info);
    EXPECT_STREQ(Info.PanelTitle, Info.HostFile);
    return Info.HostFile;
}

std::string NamePartOf(const std::string& Text) {
    char Part[PathBufferSize];
    FileNamePart(Text.c_str(), Text.size(), Part);
    return Part;
}

std::string BoxLineOf(const std::string& Text) {
    TheFakeHost.Messages.clear();
    ShowInformation(Text.c_str());
    return TheFakeHost.Messages.at(0).Items.at(1);
}

std::string DialogTextOf(const std::string& Text) {
    TheFakeHost.Dialogs.clear();
    DialogItemSpec Item = {DI_TEXT, 0, 0, 0, 0, 0, {0}, 0, 0, Text.c_str()};
    RunDialog(10, 3, &Item, 1);
    return TheFakeHost.Dialogs.at(0).Items.at(0).Data;
}

TEST_F(BufferLimits, TextsAroundEachLimitAreKeptUpToIt) {
    const Buffer Buffers[] = {
        {"HostFileBuffer", MaxPathChars, HostFileOf},
        {"FileNamePart", MaxPathChars, NamePartOf},
        {"MessageLine", 100, BoxLineOf},
        {"FarDialogItem.Data", 511, DialogTextOf},
    };
    for (const Buffer& B : Buffers)
        for (size_t Length = B.Limit - 1; Length <= B.Limit + 2; ++Length) {
            std::string Text(Length, 'c');
            EXPECT_EQ(B.Keep(Text), Text.substr(0, B.Limit)) << B.Name << ", " << Length;
        }
}

// A source without a terminator, in a block of exactly its length, is read
// no further than the characters copied from it.
TEST(BoundedText, ReadsAnUnterminatedSourceNoFurtherThanItCopies) {
    for (size_t Length : {1, 7, 100, 511}) {
        auto Source = std::make_unique<char[]>(Length);
        memset(Source.get(), 's', Length);
        auto Target = std::make_unique<char[]>(Length + 1);
        CopyBoundedText(Target.get(), Length + 1, Source.get());
        EXPECT_EQ(std::string(Target.get()), std::string(Length, 's'));
        CopyBoundedText(Target.get(), Length, Source.get());
        EXPECT_EQ(std::string(Target.get()), std::string(Length - 1, 's'));
    }
}

} // namespace
