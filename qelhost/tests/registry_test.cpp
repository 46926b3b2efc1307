// The in-memory registry: Windows' error codes for what the Reg*A functions
// meet, and the REGEDIT4 text it loads and saves.
#include "qelhost/gate/registry.hpp"
#include "qelhost/gate/registry_file.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <gtest/gtest.h>

namespace {

struct Registry : testing::Test {
    void SetUp() override {
        ClearRegistry();
    }
    uint32_t Open(uint32_t At, const char* Path, bool Create = false) {
        uint32_t Handle = 0;
        EXPECT_EQ(RegistryOpen(At, Path, Create, Handle), 0u) << Path;
        return Handle;
    }
};

TEST_F(Registry, KeysAreMadeOnTheWayAndFoundWithoutRegardToCase) {
    uint32_t Disposition = 0, Key = 0;
    ASSERT_EQ(RegistryOpen(HkeyCurrentUser, "Software\\Far\\Plugins\\X", true, Key, &Disposition),
              0u);
    EXPECT_EQ(Disposition, RegCreatedNewKey);
    EXPECT_EQ(RegistryClose(Key), 0u);
    ASSERT_EQ(RegistryOpen(HkeyCurrentUser, "software\\FAR\\plugins\\x\\", true, Key, &Disposition),
              0u);
    EXPECT_EQ(Disposition, RegOpenedExistingKey);
    EXPECT_EQ(RegistryClose(Key), 0u);
    EXPECT_EQ(RegistryClose(Key), ErrorInvalidHandle);
}

TEST_F(Registry, ErrorCodesAreWindows) {
    uint32_t Key = Open(HkeyCurrentUser, "A\\B", true);
    uint32_t Unused;
    RegistryValue V;
    std::string Name;
    const struct {
        const char* What;
        uint32_t Got, Expected;
    } Cases[] = {
        {"open a missing key", RegistryOpen(HkeyCurrentUser, "A\\C", false, Unused),
         ErrorFileNotFound},
        {"open with a leading backslash", RegistryOpen(HkeyCurrentUser, "\\A", false, Unused),
         ErrorBadPathName},
        {"open an empty name", RegistryOpen(HkeyCurrentUser, "A\\\\B", true, Unused),
         ErrorBadPathName},
        {"open from no key", RegistryOpen(0x1234, "A", false, Unused), ErrorInvalidHandle},
        {"query a missing value", RegistryQuery(Key, "none", V), ErrorFileNotFound},
        {"delete a missing value", RegistryDeleteValue(Key, "none"), ErrorFileNotFound},
        {"delete a key with subkeys", RegistryDeleteKey(HkeyCurrentUser, "A"), ErrorAccessDenied},
        {"delete a missing key", RegistryDeleteKey(HkeyCurrentUser, "Z"), ErrorFileNotFound},
        {"enumerate past the keys", RegistryEnumKey(Key, 0, Name), ErrorNoMoreItems},
        {"enumerate past the values", RegistryEnumValue(Key, 0, V), ErrorNoMoreItems},
        {"set too much data",
         RegistrySet(Key, RegistryValue{"big", RegBinary, std::string(MaxValueSize + 1, 'x')}),
         ErrorInvalidParameter},
        {"delete the key itself", RegistryDeleteKey(HkeyCurrentUser, "A\\B"), 0},
        {"use the deleted key", RegistrySet(Key, RegistryValue{"v", RegSz, "x"}), ErrorKeyDeleted},
        {"close the deleted key", RegistryClose(Key), 0},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Got, Case.Expected) << Case.What;
}

TEST_F(Registry, ValuesAreReplacedInPlaceAndListedInTheOrderMade) {
    uint32_t Key = Open(HkeyLocalMachine, "K", true);
    EXPECT_EQ(RegistrySet(Key, {"b", RegSz, std::string("1\0", 2)}), 0u);
    EXPECT_EQ(RegistrySet(Key, {"A", RegDword, std::string("\1\0\0\0", 4)}), 0u);
    EXPECT_EQ(RegistrySet(Key, {"B", RegSz, std::string("2\0", 2)}), 0u);
    RegistryValue V;
    ASSERT_EQ(RegistryEnumValue(Key, 0, V), 0u);
    EXPECT_EQ(V.Name, "b");
    EXPECT_EQ(V.Data, std::string("2\0", 2));
    ASSERT_EQ(RegistryEnumValue(Key, 1, V), 0u);
    EXPECT_EQ(V.Name, "A");
    Open(Key, "zeta", true);
    Open(Key, "Alpha", true);
    Open(Key, "beta", true);
    std::string Names, Name;
    for (uint32_t I = 0; RegistryEnumKey(Key, I, Name) == 0; ++I)
        Names += Name + " ";
    EXPECT_EQ(Names, "Alpha beta zeta ");
}

// regedit's order: every key, the keys on the way too, before those below it.
const char SavedText[] = "\n[HKEY_CURRENT_USER\\Software]\n"
                         "\n[HKEY_CURRENT_USER\\Software\\Far]\n"
                         "\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins]\n"
                         "\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Q]\n"
                         "@=\"default\"\n"
                         "\"Text\"=\"a \\\"quoted\\\" C:\\\\path\"\n"
                         "\"Number\"=dword:0000002a\n"
                         "\"Bytes\"=hex:00,ff,10\n"
                         "\"Lines\"=hex(1):61,0a,62,00\n"
                         "\"Expand\"=hex(2):25,54,25,00\n"
                         "\"Empty\"=hex(1):\n"
                         "\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Q\\Sub]\n"
                         "\n[HKEY_LOCAL_MACHINE\\Top]\n"
                         "\"x\"=\"\xcf\xf0\xe8\"\n";

TEST_F(Registry, TheTextOfTheTreeReadsBackToTheSameTree) {
    ASSERT_EQ(LoadRegistryText(std::string("REGEDIT4\n") + SavedText), "");
    EXPECT_EQ(RegistryText(""), SavedText);
    uint32_t Key = Open(HkeyCurrentUser, "Software\\Far\\Plugins\\Q");
    RegistryValue V;
    ASSERT_EQ(RegistryQuery(Key, "number", V), 0u);
    EXPECT_EQ(V.Type, RegDword);
    EXPECT_EQ(V.Data, std::string("\x2a\0\0\0", 4));
    ASSERT_EQ(RegistryQuery(Key, "Text", V), 0u);
    EXPECT_EQ(V.Data, std::string("a \"quoted\" C:\\path\0", 19));
    EXPECT_EQ(RegistryText("HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Q\\sub"),
              "\n[HKEY_CURRENT_USER\\Software\\Far\\Plugins\\Q\\Sub]\n");
    EXPECT_EQ(RegistryText("HKCU\\None"), "");
}

TEST_F(Registry, RegeditsOwnFormsAreRead) {
    ASSERT_EQ(
        LoadRegistryText("REGEDIT4\r\n\r\n; settings\r\n[HKEY_CURRENT_USER\\A]\r\n"
                         "\"Long\"=hex:01,02,\\\r\n  03,04\r\n\"Gone\"=\"x\"\r\n"
                         "\"Gone\"=-\r\n[HKEY_CURRENT_USER\\B\\C]\r\n[-HKEY_CURRENT_USER\\B]\r\n"),
        "");
    EXPECT_EQ(RegistryText(""), "\n[HKEY_CURRENT_USER\\A]\n\"Long\"=hex:01,02,03,04\n");
}

TEST_F(Registry, ABadLineIsNamedAndNothingOfTheTextIsKept) {
    const struct {
        const char* Text;
        const char* Error;
    } Cases[] = {
        {"[HKEY_CURRENT_USER\\A]\n",
         "line 1: not a REGEDIT4 text (its first line is not REGEDIT4)"},
        {"REGEDIT4\n\"x\"=\"y\"\n", "line 2: a value before any [key]"},
        {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", "line 2: \"HKEY_NOWHERE\" is no predefined key"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "line 2: a key's line ends with ]"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=dword:xyz\n",
         "line 3: \"dword:xyz\" is no dword (as dword:0000000a)"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=dword:123456789\n",
         "line 3: \"dword:123456789\" is no dword (as dword:0000000a)"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=hex:1,2\n",
         "line 3: \"1,2\" is no list of hex bytes (as 0a,ff)"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=\"open\n", "line 3: a text without its closing \""},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=\"a\" b\n", "line 3: something after the text"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\" \"a\"\n", "line 3: no = after the value's name"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=str:a\n",
         "line 3: \"str:a\" is no value (\"text\", dword:, hex: or hex(N):)"},
        {"REGEDIT4\n\n[HKCU\\A]\nstray\n", "line 4: a line that is no [key], value or ; comment"},
        {"REGEDIT4\n[HKCU\\A]\n\"x\"=hex:01,\\\n 02\n\"y\"=1\n",
         "line 5: \"1\" is no value (\"text\", dword:, hex: or hex(N):)"},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(LoadRegistryText(Case.Text), Case.Error) << Case.Text;
        EXPECT_EQ(RegistryText(""), "") << Case.Text;
    }
}

} // namespace
