// The host's key names both ways and the keys of console input records:
// what FarKeyToName, FarNameToKey and FarInputRecordToKey answer.
#include "qelhost/services/key_names.hpp"

#include <gtest/gtest.h>

TEST(KeyName, ModifiersInTheHostsOrderThenTheBase) {
    const std::pair<int, const char*> Cases[] = {
        {KEY_F7, "F7"},
        {KEY_SHIFT | KEY_F7, "ShiftF7"},
        {KEY_CTRL | KEY_ALT | KEY_SHIFT | KEY_F1, "CtrlAltShiftF1"},
        {KEY_CTRL | 'A', "CtrlA"},
        {KEY_RCTRL | KEY_LEFT, "RCtrlLeft"},
        {KEY_RALT | KEY_DEL, "RAltDel"},
        {KEY_BS, "BS"},
        {KEY_NUMPAD0, "NUMPAD0"},
        {'+', "+"},
        {0x777, ""},
        {0, ""},
    };
    for (const auto& [Key, Name] : Cases) {
        EXPECT_EQ(KeyName(Key), Name) << std::hex << Key;
        if (*Name != '\0') {
            EXPECT_EQ(KeyFromName(Name), Key) << Name;
        }
    }
}

TEST(KeyFromName, CaseAndUnknownNames) {
    EXPECT_EQ(KeyFromName("shiftf4"), KEY_SHIFT | KEY_F4);
    EXPECT_EQ(KeyFromName("CtrlShiftz"), KEY_CTRL | KEY_SHIFT | 'Z');
    EXPECT_EQ(KeyFromName("z"), 'z');
    EXPECT_EQ(KeyFromName("Shift"), -1);
    EXPECT_EQ(KeyFromName("Bogus"), -1);
    EXPECT_EQ(KeyFromName(""), -1);
    EXPECT_EQ(KeyFromName("CtrlCtrl"), -1);
}

namespace {
INPUT_RECORD KeyPress(WORD VirtualKey, char Char, DWORD State) {
    INPUT_RECORD Record = {};
    Record.EventType = KEY_EVENT;
    Record.Event.KeyEvent.bKeyDown = 1;
    Record.Event.KeyEvent.wVirtualKeyCode = VirtualKey;
    Record.Event.KeyEvent.uChar.AsciiChar = Char;
    Record.Event.KeyEvent.dwControlKeyState = State;
    return Record;
}
} // namespace

TEST(StandardKeyOfInputRecord, SpecialKeysCharactersAndModifiers) {
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress(0x74, 0, SHIFT_PRESSED)), KEY_SHIFT | KEY_F5);
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress('Q', 'q', 0)), 'q');
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress('Q', 'Q', SHIFT_PRESSED)), 'Q');
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress('Q', 0x11, LEFT_CTRL_PRESSED)), KEY_CTRL | 'Q');
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress(0x0D, '\r', RIGHT_ALT_PRESSED)),
              KEY_ALT | KEY_ENTER);
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress(0x2E, 0, 0)), KEY_DEL);
    INPUT_RECORD Release = KeyPress('A', 'a', 0);
    Release.Event.KeyEvent.bKeyDown = 0;
    EXPECT_EQ(StandardKeyOfInputRecord(Release), KEY_NONE);
    INPUT_RECORD Mouse = KeyPress('A', 'a', 0);
    Mouse.EventType = 2;
    EXPECT_EQ(StandardKeyOfInputRecord(Mouse), KEY_NONE);
    EXPECT_EQ(StandardKeyOfInputRecord(KeyPress(0x10, 0, SHIFT_PRESSED)), KEY_NONE); // Shift alone
}
