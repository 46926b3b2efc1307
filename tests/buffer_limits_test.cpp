// Every fixed buffer of the plugin, fed texts one below its limit, at it,
// and one and two above it: it keeps what fits and its terminator, and
// nothing is read or written past a buffer (AddressSanitizer, in the
// sanitized build, fails the test on a single byte). Texts the host gets are
// cut between characters where it reads UTF-8 (far2l), anywhere on Windows.
#include "host/bounded_text.hpp"
#include "host/file_name_part.hpp"
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The host writes Text into the edit field, without a terminator when it
// fills all 512 bytes.
std::string EditedTextOf(const std::string& Text) {
    char Field[DialogTextSize] = "";
    DialogItemSpec Item = {DI_EDIT, 0, 0, 0, 0, 0, {0}, 0, 0, Field};
    TheFakeHost.UserEdits = [&Text](FarDialogItem* Items, int) {
        memcpy(Items[0].Data, Text.c_str(), std::min(Text.size() + 1, sizeof Items[0].Data));
    };
    RunDialog(10, 3, &Item, 1);
    return Field;
}

std::string InitialInputOf(const std::string& Text) {
    TheFakeHost.Dialogs.clear();
    TheFakeHost.MessageTexts[9] = Text.c_str();
    ProcessKey(nullptr, VK_F7, 0);
    return TheFakeHost.Dialogs.at(0).Items.at(2).Data;
}

// The buffers whose texts reach the host.
const Buffer HostTexts[] = {
    {"HostFileBuffer", MaxPathChars, HostFileOf}, {"MessageLine", 100, BoxLineOf},
    {"FarDialogItem.Data", 511, DialogTextOf},    {"edited field", 511, EditedTextOf},
    {"InputBuffer", 511, InitialInputOf},
};

TEST_F(BufferLimits, TextsAroundEachLimitAreKeptUpToIt) {
    std::vector<Buffer> Buffers(std::begin(HostTexts), std::end(HostTexts));
    Buffers.push_back({"FileNamePart", MaxPathChars, NamePartOf});
    for (const Buffer& B : Buffers)
        for (size_t Length = B.Limit - 1; Length <= B.Limit + 2; ++Length) {
            std::string Text(Length, 'c');
            EXPECT_EQ(B.Keep(Text), Text.substr(0, B.Limit)) << B.Name << ", " << Length;
        }
}

// Characters of each UTF-8 width, after 0 to 3 letters that shift where
// the limit falls: the last character kept ends exactly at the limit or the
// next one straddles it. far2l gets whole characters only; Windows, whose
// characters are bytes, gets the limit's worth of bytes. Besides é, € and
// 😀, the first and the last lead byte of each width, where a range's bound
// that is one off would show, and the leads of Devanagari (E0) and Hangul
// (EA to ED).
TEST_F(BufferLimits, Utf8TextsAreCutBetweenCharactersWhereTheHostReadsUtf8) {
    const std::string Characters[] = {
        "\xC3\xA9",         // é
        "\xE2\x82\xAC",     // €
        "\xF0\x9F\x98\x80", // 😀
        "\xC2\x80",         // U+0080, the first of 2 bytes
        "\xDF\xBF",         // U+07FF, the last of 2 bytes
        "\xE0\xA4\x85",     // U+0905 अ, Devanagari, the first lead of 3 bytes
        "\xED\x95\x9C",     // U+D55C 한, Hangul
        "\xEF\xBF\xBD",     // U+FFFD, the last lead of 3 bytes
        "\xF4\x8F\xBF\xBF", // U+10FFFF, the last of 4 bytes
    };
    for (const Buffer& B : HostTexts)
        for (const std::string& Character : Characters)
            for (size_t Shift = 0; Shift < 4; ++Shift) {
                std::string Head(Shift, 'a');
                size_t Whole = (B.Limit - Shift) / Character.size();
                std::string Fitting = Head;
                for (size_t I = 0; I < Whole; ++I)
                    Fitting += Character;
                std::string Longer = Fitting + Character + Character;
                std::string Expected = HostReadsUtf8 ? Fitting : Longer.substr(0, B.Limit);
                EXPECT_EQ(B.Keep(Longer), Expected)
                    << B.Name << ", " << Character.size() << "-byte characters after " << Shift;
                EXPECT_EQ(B.Keep(Fitting), Fitting) << B.Name << ", a text that fits";
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
