#include "qelhost/services/key_names.hpp"

#include <string.h>
#include <strings.h>

namespace {

// The name of a base key in the table, the host's or its constant's.
std::string BaseName(const NamedKeyCode& Key) {
    return Key.Name != nullptr ? Key.Name : std::string(Key.Constant).substr(4);
}

const NamedKeyCode* FindBase(int Base) {
    for (const NamedKeyCode& Key : KeyCodes)
        if (Key.Code == Base)
            return &Key;
    return nullptr;
}

bool IsCharacter(int Base) {
    return Base > 0x20 && Base <= 0xFF;
}

bool StartsWithWord(std::string_view Text, const char* Word) {
    size_t Length = strlen(Word);
    return Text.size() > Length && strncasecmp(Text.data(), Word, Length) == 0;
}

// Virtual-key codes the host turns into KEY_* codes by adding 0x100: Pause,
// the movement and editing keys, the Windows keys, the numeric pad and the
// function keys.
bool IsShiftedVirtualKey(int Code) {
    return Code == 0x03 || (Code >= 0x21 && Code <= 0x28) || Code == 0x2D || Code == 0x2E ||
           (Code >= 0x5B && Code <= 0x5D) ||
           (Code >= 0x60 && Code <= 0x6F && Code != 0x6C && Code != 0x6E) ||
           (Code >= 0x70 && Code <= 0x7B);
}

} // namespace

std::string KeyName(int Key) {
    int Base = Key & ~KeyModifierMask;
    std::string Name;
    for (const NamedKeyCode& Modifier : KeyModifiers)
        if ((Key & Modifier.Code) != 0 && !(Modifier.Code == KEY_CTRL && (Key & KEY_RCTRL)) &&
            !(Modifier.Code == KEY_ALT && (Key & KEY_RALT)))
            Name += Modifier.Name;
    if (const NamedKeyCode* Found = FindBase(Base))
        return Name + BaseName(*Found);
    if (IsCharacter(Base))
        return Name + static_cast<char>(Base);
    return "";
}

int KeyFromName(std::string_view Name) {
    int Modifiers = 0;
    for (bool Found = true; Found;) {
        Found = false;
        for (const NamedKeyCode& Modifier : KeyModifiers)
            if (StartsWithWord(Name, Modifier.Name)) {
                Modifiers |= Modifier.Code;
                Name.remove_prefix(strlen(Modifier.Name));
                Found = true;
            }
    }
    for (const NamedKeyCode& Key : KeyCodes) {
        std::string Base = BaseName(Key);
        if (Base.size() == Name.size() && strncasecmp(Base.data(), Name.data(), Name.size()) == 0)
            return Modifiers | Key.Code;
    }
    if (Name.size() != 1 || !IsCharacter(static_cast<unsigned char>(Name[0])))
        return -1;
    int Char = static_cast<unsigned char>(Name[0]);
    if ((Modifiers & (KEY_CTRL | KEY_ALT | KEY_RCTRL | KEY_RALT)) && Char >= 'a' && Char <= 'z')
        Char -= 'a' - 'A';
    return Modifiers | Char;
}

int KeyOfInputRecord(const INPUT_RECORD& Record) {
    if (Record.EventType != KEY_EVENT || !Record.Event.KeyEvent.bKeyDown)
        return KEY_NONE;
    const KEY_EVENT_RECORD& Event = Record.Event.KeyEvent;
    DWORD State = Event.dwControlKeyState;
    int Modifiers = (State & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED) ? KEY_CTRL : 0) |
                    (State & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED) ? KEY_ALT : 0);
    int Shift = State & SHIFT_PRESSED ? KEY_SHIFT : 0;
    int Code = Event.wVirtualKeyCode;
    if (IsShiftedVirtualKey(Code))
        return Modifiers | Shift | (0x100 + Code);
    if (Code == 0x08 || Code == 0x09 || Code == 0x0D || Code == 0x1B || Code == 0x20)
        return Modifiers | Shift | Code;
    bool LetterOrDigit = (Code >= '0' && Code <= '9') || (Code >= 'A' && Code <= 'Z');
    if (Modifiers != 0 && LetterOrDigit)
        return Modifiers | Shift | Code;
    int Char = static_cast<unsigned char>(Event.uChar.AsciiChar);
    return Char != 0 ? Modifiers | Char : KEY_NONE;
}
