#include "qelhost/keys.hpp"

#include <ctype.h>
#include <strings.h>

namespace {

struct NamedKey {
    const char* Name;
    int Code;
};

const NamedKey NamedKeys[] = {
    {"Enter", 0x0D}, {"Esc", 0x1B},  {"Tab", 0x09},  {"Space", 0x20}, {"BackSpace", 0x08},
    {"Ins", 0x2D},   {"Del", 0x2E},  {"Home", 0x24}, {"End", 0x23},   {"PgUp", 0x21},
    {"PgDn", 0x22},  {"Left", 0x25}, {"Up", 0x26},   {"Right", 0x27}, {"Down", 0x28},
};

struct HostAction {
    int Key;
    unsigned ControlState;
    const char* Action;
};

const HostAction HostActions[] = {
    {0x0D, 0, "it would open the item under the cursor"},
    {0x72, 0, "it would view the file"},
    {0x73, 0, "it would edit the file"},
    {0x74, 0, "it would copy the file"},
    {0x75, 0, "it would rename or move the file"},
    {0x76, 0, "it would make a folder"},
    {0x77, 0, "it would delete the file"},
    {0x76, PKF_ALT, "it would search for files"},
    {0x75, PKF_SHIFT, "it would rename the file in place"},
};

} // namespace

int VirtualKeyCode(const std::string& Name) {
    for (const NamedKey& Key : NamedKeys)
        if (strcasecmp(Key.Name, Name.c_str()) == 0)
            return Key.Code;
    if ((Name[0] == 'F' || Name[0] == 'f') && Name.size() <= 3 &&
        Name.find_first_not_of("0123456789", 1) == std::string::npos && Name.size() > 1) {
        int Number = std::stoi(Name.substr(1));
        if (Number >= 1 && Number <= 12)
            return 0x6F + Number; // F1 is 0x70
    }
    if (Name.size() == 1 && isalnum(static_cast<unsigned char>(Name[0])))
        return toupper(static_cast<unsigned char>(Name[0]));
    return -1;
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
    std::string Shown = Name;
    for (const NamedKey& Key : NamedKeys)
        if (strcasecmp(Key.Name, Name.c_str()) == 0)
            Shown = Key.Name;
    if (Shown.size() <= 3)
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
