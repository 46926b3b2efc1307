// Registration: what the host reads back from GetPluginInfo, and that the
// kept startup record is the one every later service call uses.
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"
#include "tests/host_layout.hpp"

#include <gtest/gtest.h>
#include <string.h>

namespace {

constexpr unsigned char Marker = 0xA5;

PluginInfo MarkedPluginInfo() {
    PluginInfo Info;
    memset(&Info, Marker, sizeof Info);
    return Info;
}

TEST(GetPluginInfo, RegistersMenuTitleFlagsAndPrefix) {
    PluginInfo Info = MarkedPluginInfo();
    GetPluginInfo(&Info);
    EXPECT_EQ(size_t(Info.StructSize), Layout.PluginInfoSize);
    EXPECT_EQ(Info.Flags, 13u);
    ASSERT_EQ(Info.PluginMenuStringsNumber, 1);
    EXPECT_STREQ(Info.PluginMenuStrings[0], "QelPlugin");
    EXPECT_STREQ(Info.CommandPrefix, "Qel");
}

TEST(GetPluginInfo, WritesNoFieldButItsFive) {
    PluginInfo Info = MarkedPluginInfo();
    GetPluginInfo(&Info);
    PluginInfo Expected = MarkedPluginInfo();
    Expected.StructSize = Info.StructSize;
    Expected.Flags = Info.Flags;
    Expected.PluginMenuStrings = Info.PluginMenuStrings;
    Expected.PluginMenuStringsNumber = Info.PluginMenuStringsNumber;
    Expected.CommandPrefix = Info.CommandPrefix;
    EXPECT_EQ(memcmp(&Info, &Expected, sizeof Info), 0) << "a disk-menu or configuration field";
}

TEST(GetPluginInfo, SecondCallGivesIdenticalContents) {
    PluginInfo First = MarkedPluginInfo();
    PluginInfo Second = MarkedPluginInfo();
    GetPluginInfo(&First);
    GetPluginInfo(&Second);
    EXPECT_EQ(memcmp(&First, &Second, sizeof First), 0);
    EXPECT_EQ(First.PluginMenuStrings[0], MenuTitle);
}

TEST(SetStartupInfo, KeepsAWholeCopyAndALaterCallReplacesIt) {
    PluginStartupInfo Info = ResetFakeHost(7);
    memset(Info.ModuleName, 'x', sizeof Info.ModuleName);
    Info.StructSize = 0; // not consulted
    SetStartupInfo(&Info);
    EXPECT_EQ(memcmp(&StartupInfoCopy, &Info, sizeof Info), 0);

    PluginStartupInfo Later = ResetFakeHost(9);
    SetStartupInfo(&Later);
    EXPECT_EQ(memcmp(&StartupInfoCopy, &Later, sizeof Later), 0);
    EXPECT_EQ(INT_PTR{StartupInfoCopy.ModuleNumber}, 9); // a copy: the field may be misaligned
}

} // namespace
