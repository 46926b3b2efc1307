#include "qelhost/session/keys.hpp"

#include <ctype.h>
#include <string.h>
#include <strings.h>

namespace {

struct NamedKey {
    const char* Name;
    int Code;
};

const NamedKey NamedKeys[] = {
    {"Enter", VK_RETURN},   {"Esc", VK_ESCAPE},  {"Tab", VK_TAB},    {"Space", VK_SPACE},
    {"BackSpace", VK_BACK}, {"Ins", VK_INSERT},  {"Del", VK_DELETE}, {"Home", VK_HOME},
    {"End", VK_END},        {"PgUp", VK_PRIOR},  {"PgDn", VK_NEXT},  {"Left", VK_LEFT},
    {"Up", VK_UP},          {"Right", VK_RIGHT}, {"Down", VK_DOWN},  {"Break", VK_CANCEL},
};

struct HostAction {
    int Key;
    unsigned ControlState;
    const char* Action;
};

const HostAction HostActions[] = {
    {VK_RETURN, 0, "it would open the item under the cursor"},
    {VK_F1 + 2, 0, "it would view the file"},
    {VK_F1 + 3, 0, "it would edit the file"},
    {VK_F1 + 4, 0, "it would copy the file"},
    {VK_F1 + 5, 0, "it would rename or move the file"},
    {VK_F7, 0, "it would make a folder"},
    {VK_F1 + 7, 0, "it would delete the file"},
    {VK_F7, PKF_ALT, "it would search for files"},
    {VK_F1 + 5, PKF_SHIFT, "it would rename the file in place"},
};

// The US keyboard's punctuation: the key, the character alone and with Shift.
struct PunctuationKey {
    int VirtualKey;
    char Plain, Shifted;
};

const PunctuationKey PunctuationKeys[] = {
    {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
    {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},  {0xDB, '[', '{'},
    {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};
const char ShiftedDigits[] = ")!@#$%^&*(";

// What a key types by itself (with Shift where held), 0 for none.
char TypedBy(int VirtualKey, bool Shift, bool Ctrl) {
    if (VirtualKey >= 'A' && VirtualKey <= 'Z')
        return static_cast<char>(Ctrl    ? VirtualKey - 'A' + 1
                                 : Shift ? VirtualKey
                                         : VirtualKey + 32);
    if (VirtualKey >= '0' && VirtualKey <= '9')
        return Shift ? ShiftedDigits[VirtualKey - '0'] : static_cast<char>(VirtualKey);
    switch (VirtualKey) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return '\x1b';
    }
    return 0;
}

INPUT_RECORD Event(int VirtualKey, char Character, DWORD State) {
    INPUT_RECORD Record;
    memset(&Record, 0, sizeof Record);
    Record.EventType = KEY_EVENT;
    Record.Event.KeyEvent.bKeyDown = 1;
    Record.Event.KeyEvent.wRepeatCount = 1;
    Record.Event.KeyEvent.wVirtualKeyCode = static_cast<WORD>(VirtualKey);
    Record.Event.KeyEvent.uChar.AsciiChar = Character;
    Record.Event.KeyEvent.dwControlKeyState = State;
    return Record;
}

} // namespace

INPUT_RECORD KeyEventOf(int VirtualKey, unsigned ControlState) {
    bool Shift = ControlState & PKF_SHIFT, Ctrl = ControlState & PKF_CONTROL;
    DWORD State = (Shift ? SHIFT_PRESSED : 0) | (Ctrl ? LEFT_CTRL_PRESSED : 0) |
                  (ControlState & PKF_ALT ? LEFT_ALT_PRESSED : 0);
    // The grey cursor keys, apart from the keypad's.
    if (VirtualKey >= VK_PRIOR && VirtualKey <= VK_DELETE)
        State |= ENHANCED_KEY;
    return Event(VirtualKey, TypedBy(VirtualKey, Shift, Ctrl), State);
}

INPUT_RECORD CharacterEventOf(char Character) {
    unsigned char Byte = static_cast<unsigned char>(Character);
    int VirtualKey = 0;
    bool Shift = false;
    if (isalpha(Byte) && Byte < 0x80) {
        VirtualKey = toupper(Byte);
        Shift = isupper(Byte);
    } else if (isdigit(Byte)) {
        VirtualKey = Byte;
    } else if (const char* Digit = Byte != 0 ? strchr(ShiftedDigits, Byte) : nullptr) {
        VirtualKey = '0' + static_cast<int>(Digit - ShiftedDigits);
        Shift = true;
    } else if (Character == ' ' || Character == '\t') {
        VirtualKey = Character == ' ' ? VK_SPACE : VK_TAB;
    } else {
        for (const PunctuationKey& Key : PunctuationKeys)
            if (Key.Plain == Character || Key.Shifted == Character) {
                VirtualKey = Key.VirtualKey;
                Shift = Key.Shifted == Character;
            }
    }
    return Event(VirtualKey, Character, Shift ? SHIFT_PRESSED : 0);
}

int VirtualKeyCode(const std::string& Name) {
    for (const NamedKey& Key : NamedKeys)
        if (strcasecmp(Key.Name, Name.c_str()) == 0)
            return Key.Code;
    if (Name.size() > 1 && Name.size() <= 3 && (Name[0] == 'F' || Name[0] == 'f') &&
        Name.find_first_not_of("0123456789", 1) == std::string::npos) {
        int Number = std::stoi(Name.substr(1));
        if (Number >= 1 && Number <= VK_F12 - VK_F1 + 1)
            return VK_F1 + Number - 1;
    }
    if (Name.size() == 1 && isalnum(static_cast<unsigned char>(Name[0])))
        return toupper(static_cast<unsigned char>(Name[0]));
    return -1;
}

std::string KeyNames() {
    std::string Names = "F1 to F12";
    for (const NamedKey& Key : NamedKeys)
        Names += std::string(", ") + Key.Name;
    return Names + ", the letters A to Z and the digits 0 to 9";
}

unsigned ModifierBit(const std::string& Name) {
    if (strcasecmp(Name.c_str(), "ctrl") == 0)
        return PKF_CONTROL;
    if (strcasecmp(Name.c_str(), "alt") == 0)
        return PKF_ALT;
    if (strcasecmp(Name.c_str(), "shift") == 0)
        return PKF_SHIFT;
    return 0;
}

std::string KeyTitle(const std::string& Name, unsigned ControlState) {
    std::string Title;
    if (ControlState & PKF_CONTROL)
        Title += "Ctrl+";
    if (ControlState & PKF_ALT)
        Title += "Alt+";
    if (ControlState & PKF_SHIFT)
        Title += "Shift+";
    // A named key as the host names it ("End", not "END"); a letter or an
    // F key in capitals.
    for (const NamedKey& Key : NamedKeys)
        if (strcasecmp(Key.Name, Name.c_str()) == 0)
            return Title + Key.Name;
    std::string Shown = Name;
    for (char& C : Shown)
        C = static_cast<char>(toupper(static_cast<unsigned char>(C)));
    return Title + Shown;
}

std::string HostKeyAction(int Key, unsigned ControlState) {
    for (const HostAction& Action : HostActions)
        if (Action.Key == Key && Action.ControlState == ControlState)
            return Action.Action;
    return "";
}
