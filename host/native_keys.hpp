// The native host's key codes (break keys of Menu, FarKeyToName,
// FarNameToKey, FarInputRecordToKey) and Windows' console input record,
// which ProcessEditorInput and FarInputRecordToKey receive. A key is a base
// code plus modifier bits; a printable character is its own byte in the code
// page, and with Ctrl or Alt a letter is its upper-case code.
#pragma once

#include "host/native_types.hpp"

// Modifier bits. KEY_RCTRL and KEY_RALT mean the right-hand keys.
constexpr int KEY_CTRL = 0x01000000;
constexpr int KEY_ALT = 0x02000000;
constexpr int KEY_SHIFT = 0x04000000;
constexpr int KEY_RCTRL = 0x10000000;
constexpr int KEY_RALT = 0x20000000;

// Base keys.
constexpr int KEY_BS = 0x00000008;
constexpr int KEY_TAB = 0x00000009;
constexpr int KEY_ENTER = 0x0000000D;
constexpr int KEY_ESC = 0x0000001B;
constexpr int KEY_SPACE = 0x00000020;
constexpr int KEY_BREAK = 0x00000103;
constexpr int KEY_PGUP = 0x00000121;
constexpr int KEY_PGDN = 0x00000122;
constexpr int KEY_END = 0x00000123;
constexpr int KEY_HOME = 0x00000124;
constexpr int KEY_LEFT = 0x00000125;
constexpr int KEY_UP = 0x00000126;
constexpr int KEY_RIGHT = 0x00000127;
constexpr int KEY_DOWN = 0x00000128;
constexpr int KEY_INS = 0x0000012D;
constexpr int KEY_DEL = 0x0000012E;
constexpr int KEY_LWIN = 0x0000015B;
constexpr int KEY_RWIN = 0x0000015C;
constexpr int KEY_APPS = 0x0000015D;
constexpr int KEY_NUMPAD0 = 0x00000160;
constexpr int KEY_NUMPAD1 = 0x00000161;
constexpr int KEY_NUMPAD2 = 0x00000162;
constexpr int KEY_NUMPAD3 = 0x00000163;
constexpr int KEY_NUMPAD4 = 0x00000164;
constexpr int KEY_NUMPAD5 = 0x00000165;
constexpr int KEY_CLEAR = KEY_NUMPAD5;
constexpr int KEY_NUMPAD6 = 0x00000166;
constexpr int KEY_NUMPAD7 = 0x00000167;
constexpr int KEY_NUMPAD8 = 0x00000168;
constexpr int KEY_NUMPAD9 = 0x00000169;
constexpr int KEY_MULTIPLY = 0x0000016A;
constexpr int KEY_ADD = 0x0000016B;
constexpr int KEY_SUBTRACT = 0x0000016D;
constexpr int KEY_DIVIDE = 0x0000016F;
constexpr int KEY_F1 = 0x00000170;
constexpr int KEY_F2 = 0x00000171;
constexpr int KEY_F3 = 0x00000172;
constexpr int KEY_F4 = 0x00000173;
constexpr int KEY_F5 = 0x00000174;
constexpr int KEY_F6 = 0x00000175;
constexpr int KEY_F7 = 0x00000176;
constexpr int KEY_F8 = 0x00000177;
constexpr int KEY_F9 = 0x00000178;
constexpr int KEY_F10 = 0x00000179;
constexpr int KEY_F11 = 0x0000017A;
constexpr int KEY_F12 = 0x0000017B;
constexpr int KEY_CTRLALTSHIFTPRESS = 0x00000201;
constexpr int KEY_CTRLALTSHIFTRELEASE = 0x00000202;
constexpr int KEY_MSWHEEL_UP = 0x00000203;
constexpr int KEY_MSWHEEL_DOWN = 0x00000204;
constexpr int KEY_NONE = 0x00001001;
constexpr int KEY_IDLE = 0x00001002;

// A key code with its constant's name and, where the host's key names are
// known, the name FarKeyToName writes for it (null where they are not).
struct NamedKeyCode {
    int Code;
    const char* Constant;
    const char* Name;
};

// Every base key, in code order. KEY_CLEAR shares KEY_NUMPAD5's code and
// comes after it, so a search by code finds KEY_NUMPAD5.
constexpr NamedKeyCode KeyCodes[] = {
    {KEY_BS, "KEY_BS", "BS"},
    {KEY_TAB, "KEY_TAB", "Tab"},
    {KEY_ENTER, "KEY_ENTER", "Enter"},
    {KEY_ESC, "KEY_ESC", "Esc"},
    {KEY_SPACE, "KEY_SPACE", "Space"},
    {KEY_BREAK, "KEY_BREAK", nullptr},
    {KEY_PGUP, "KEY_PGUP", "PgUp"},
    {KEY_PGDN, "KEY_PGDN", "PgDn"},
    {KEY_END, "KEY_END", "End"},
    {KEY_HOME, "KEY_HOME", "Home"},
    {KEY_LEFT, "KEY_LEFT", "Left"},
    {KEY_UP, "KEY_UP", "Up"},
    {KEY_RIGHT, "KEY_RIGHT", "Right"},
    {KEY_DOWN, "KEY_DOWN", "Down"},
    {KEY_INS, "KEY_INS", "Ins"},
    {KEY_DEL, "KEY_DEL", "Del"},
    {KEY_LWIN, "KEY_LWIN", nullptr},
    {KEY_RWIN, "KEY_RWIN", nullptr},
    {KEY_APPS, "KEY_APPS", nullptr},
    {KEY_NUMPAD0, "KEY_NUMPAD0", nullptr},
    {KEY_NUMPAD1, "KEY_NUMPAD1", nullptr},
    {KEY_NUMPAD2, "KEY_NUMPAD2", nullptr},
    {KEY_NUMPAD3, "KEY_NUMPAD3", nullptr},
    {KEY_NUMPAD4, "KEY_NUMPAD4", nullptr},
    {KEY_NUMPAD5, "KEY_NUMPAD5", nullptr},
    {KEY_CLEAR, "KEY_CLEAR", nullptr},
    {KEY_NUMPAD6, "KEY_NUMPAD6", nullptr},
    {KEY_NUMPAD7, "KEY_NUMPAD7", nullptr},
    {KEY_NUMPAD8, "KEY_NUMPAD8", nullptr},
    {KEY_NUMPAD9, "KEY_NUMPAD9", nullptr},
    {KEY_MULTIPLY, "KEY_MULTIPLY", nullptr},
    {KEY_ADD, "KEY_ADD", nullptr},
    {KEY_SUBTRACT, "KEY_SUBTRACT", nullptr},
    {KEY_DIVIDE, "KEY_DIVIDE", nullptr},
    {KEY_F1, "KEY_F1", "F1"},
    {KEY_F2, "KEY_F2", "F2"},
    {KEY_F3, "KEY_F3", "F3"},
    {KEY_F4, "KEY_F4", "F4"},
    {KEY_F5, "KEY_F5", "F5"},
    {KEY_F6, "KEY_F6", "F6"},
    {KEY_F7, "KEY_F7", "F7"},
    {KEY_F8, "KEY_F8", "F8"},
    {KEY_F9, "KEY_F9", "F9"},
    {KEY_F10, "KEY_F10", "F10"},
    {KEY_F11, "KEY_F11", "F11"},
    {KEY_F12, "KEY_F12", "F12"},
    {KEY_CTRLALTSHIFTPRESS, "KEY_CTRLALTSHIFTPRESS", nullptr},
    {KEY_CTRLALTSHIFTRELEASE, "KEY_CTRLALTSHIFTRELEASE", nullptr},
    {KEY_MSWHEEL_UP, "KEY_MSWHEEL_UP", nullptr},
    {KEY_MSWHEEL_DOWN, "KEY_MSWHEEL_DOWN", nullptr},
    {KEY_NONE, "KEY_NONE", nullptr},
    {KEY_IDLE, "KEY_IDLE", nullptr},
};

// The modifiers in the order FarKeyToName writes them ("CtrlAltShiftF1"):
// Ctrl or RCtrl, then Alt or RAlt, then Shift.
constexpr NamedKeyCode KeyModifiers[] = {
    {KEY_CTRL, "KEY_CTRL", "Ctrl"}, {KEY_RCTRL, "KEY_RCTRL", "RCtrl"}, {KEY_ALT, "KEY_ALT", "Alt"},
    {KEY_RALT, "KEY_RALT", "RAlt"}, {KEY_SHIFT, "KEY_SHIFT", "Shift"},
};

// The bits that are not part of a base key.
constexpr int KeyModifierMask = KEY_CTRL | KEY_ALT | KEY_SHIFT | KEY_RCTRL | KEY_RALT;

// Windows' console input record, in Windows' own natural alignment (not
// the host's 2-byte packing): EventType, 2 bytes of padding, then the event.
// Only its key event is part of the plugin interface.
constexpr WORD KEY_EVENT = 0x0001;

// KEY_EVENT_RECORD.dwControlKeyState
constexpr DWORD RIGHT_ALT_PRESSED = 0x0001;
constexpr DWORD LEFT_ALT_PRESSED = 0x0002;
constexpr DWORD RIGHT_CTRL_PRESSED = 0x0004;
constexpr DWORD LEFT_CTRL_PRESSED = 0x0008;
constexpr DWORD SHIFT_PRESSED = 0x0010;
// A grey key apart from the keypad's: the cursor keys, Ins, Del, Home, End,
// PgUp and PgDn.
constexpr DWORD ENHANCED_KEY = 0x0100;

struct KEY_EVENT_RECORD {
    BOOL bKeyDown;
    WORD wRepeatCount;
    WORD wVirtualKeyCode;
    WORD wVirtualScanCode;
    union {
        WCHAR UnicodeChar;
        char AsciiChar;
    } uChar;
    DWORD dwControlKeyState;
};

struct INPUT_RECORD {
    WORD EventType;
    union {
        KEY_EVENT_RECORD KeyEvent;
    } Event;
};

// Every entry names its key; the tables are in code order, so a search
// stops at the first match.
constexpr bool KeyTablesAreOrdered() {
    for (size_t I = 1; I < sizeof KeyCodes / sizeof KeyCodes[0]; ++I)
        if (KeyCodes[I].Code < KeyCodes[I - 1].Code)
            return false;
    for (const NamedKeyCode& Key : KeyCodes)
        if ((Key.Code & KeyModifierMask) != 0 || Key.Constant == nullptr)
            return false;
    return true;
}
static_assert(KeyTablesAreOrdered());
static_assert(sizeof KeyCodes / sizeof KeyCodes[0] == 52);

static_assert(sizeof(KEY_EVENT_RECORD) == 16);
static_assert(offsetof(KEY_EVENT_RECORD, bKeyDown) == 0);
static_assert(offsetof(KEY_EVENT_RECORD, wRepeatCount) == 4);
static_assert(offsetof(KEY_EVENT_RECORD, wVirtualKeyCode) == 6);
static_assert(offsetof(KEY_EVENT_RECORD, wVirtualScanCode) == 8);
static_assert(offsetof(KEY_EVENT_RECORD, uChar) == 10);
static_assert(offsetof(KEY_EVENT_RECORD, dwControlKeyState) == 12);

static_assert(sizeof(INPUT_RECORD) == 20);
static_assert(offsetof(INPUT_RECORD, EventType) == 0);
static_assert(offsetof(INPUT_RECORD, Event) == 4);
static_assert(offsetof(INPUT_RECORD, Event.KeyEvent) == 4);
