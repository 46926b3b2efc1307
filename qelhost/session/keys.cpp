#include "qelhost/session/keys.hpp"

#include <ctype.h>
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
    {"Up", VK_UP},          {"Right", VK_RIGHT}, {"Down", VK_DOWN},
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

} // namespace

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
