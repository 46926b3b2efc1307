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

INPUT_RECORD Released(INPUT_RECORD Record) {
    Record.Event.KeyEvent.bKeyDown = 0;
    return Record;
}

INPUT_RECORD Mouse() {
    INPUT_RECORD Record = KeyPress('A', 'a', 0);
    Record.EventType = 2; // MOUSE_EVENT
    return Record;
}
} // namespace

// One reader for FSF.FarInputRecordToKey, ECTL_PROCESSINPUT and the keys the
// session hands the editor and viewer.
TEST(KeyOfInputRecord, SpecialKeysCharactersModifiersAndNoKeys) {
    const struct {
        const char* Name;
        INPUT_RECORD Record;
        int Key;
    } Cases[] = {
        {"ShiftF5", KeyPress(0x74, 0, SHIFT_PRESSED), KEY_SHIFT | KEY_F5},
        {"a letter", KeyPress('Q', 'q', 0), 'q'},
        {"Shift is in the character", KeyPress('Q', 'Q', SHIFT_PRESSED), 'Q'},
        {"CtrlQ, not its control character", KeyPress('Q', 0x11, LEFT_CTRL_PRESSED),
         KEY_CTRL | 'Q'},
        {"right Alt is Alt", KeyPress(0x0D, '\r', RIGHT_ALT_PRESSED), KEY_ALT | KEY_ENTER},
        {"CtrlShift and a digit", KeyPress('5', '%', LEFT_CTRL_PRESSED | SHIFT_PRESSED),
         KEY_CTRL | KEY_SHIFT | '5'},
        {"Del", KeyPress(0x2E, 0, 0), KEY_DEL},
        {"right Ctrl and Left", KeyPress(0x25, 0, RIGHT_CTRL_PRESSED), KEY_CTRL | KEY_LEFT},
        {"the keypad's 0", KeyPress(0x60, '0', 0), KEY_NUMPAD0},
        {"Space", KeyPress(0x20, ' ', 0), KEY_SPACE},
        {"ShiftSpace keeps its Shift", KeyPress(0x20, ' ', SHIFT_PRESSED), KEY_SHIFT | KEY_SPACE},
        {"CtrlSpace", KeyPress(0x20, ' ', LEFT_CTRL_PRESSED), KEY_CTRL | KEY_SPACE},
        {"a character without a key", KeyPress(0, static_cast<char>(0x84), 0), 0x84},
        {"a release", Released(KeyPress('A', 'a', 0)), KEY_NONE},
        {"a release of Space", Released(KeyPress(0x20, ' ', 0)), KEY_NONE},
        {"a mouse event", Mouse(), KEY_NONE},
        {"Shift alone", KeyPress(0x10, 0, SHIFT_PRESSED), KEY_NONE},
        {"no key and no character", KeyPress(0, 0, 0), KEY_NONE},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(KeyOfInputRecord(C.Record), C.Key) << C.Name;
}
