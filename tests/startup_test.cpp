// Registration: what the host reads back from GetPluginInfo, and that the
// kept startup record is the one every later service call uses.
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"
#include "tests/fake_host.hpp"

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
    EXPECT_EQ(Info.StructSize, 40);
    EXPECT_EQ(Info.Flags, 13u);
    ASSERT_EQ(Info.PluginMenuStringsNumber, 1);
    EXPECT_STREQ(Info.PluginMenuStrings[0], "QelPlugin");
    EXPECT_STREQ(Info.CommandPrefix, "Qel");
}

TEST(GetPluginInfo, LeavesDiskAndConfigurationFieldsAsPassed) {
    PluginInfo Info = MarkedPluginInfo();
    GetPluginInfo(&Info);
    for (unsigned char Byte : Info.DiskMenuFields8)
        EXPECT_EQ(Byte, Marker);
    for (unsigned char Byte : Info.ConfigMenuFields28)
        EXPECT_EQ(Byte, Marker);
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
    EXPECT_EQ(StartupInfoCopy.ModuleNumber, 9);
}

} // namespace
