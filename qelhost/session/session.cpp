#include "qelhost/session/session.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/host_services.hpp"
#include "qelhost/session/keys.hpp"
#include "qelhost/services/panel_view.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr int FileDataLimit = 4096; // how much of a file OpenFilePlugin sees

const char* const EntryNames[] = {"SetStartupInfo", "GetPluginInfo",     "OpenPlugin",
                                  "OpenFilePlugin", "GetOpenPluginInfo", "GetFindData",
                                  "FreeFindData",   "ClosePlugin",       "ProcessKey"};

struct Entries {
    SetStartupInfoEntry SetStartupInfo;
    GetPluginInfoEntry GetPluginInfo;
    OpenPluginEntry OpenPlugin;
    OpenFilePluginEntry OpenFilePlugin;
    GetOpenPluginInfoEntry GetOpenPluginInfo;
    GetFindDataEntry GetFindData;
    FreeFindDataEntry FreeFindData;
    ClosePluginEntry ClosePlugin;
    ProcessKeyEntry ProcessKey;
};

struct Registration {
    DWORD Flags = 0;
    std::vector<std::string> MenuStrings; // OEM
    std::string CommandPrefix;            // OEM, prefixes separated by ':'
};

struct Session {
    Entries Plugin{};
    Registration Registered;
    PluginStartupInfo StartupInfo;
    std::vector<HANDLE> Panels; // open plugin panels, the active one last
    int Line = 0;
};

template <typename Entry> Entry Find(const PluginModule& Module, const char* Name) {
    return reinterpret_cast<Entry>(FindExport(Module, Name));
}

std::string Handle(HANDLE Value) {
    if (Value == INVALID_HANDLE_VALUE)
        return "INVALID_HANDLE_VALUE";
    // Small handles are numbers the plugin chose; others are addresses.
    uintptr_t Number = reinterpret_cast<uintptr_t>(Value);
    char Text[16];
    snprintf(Text, sizeof Text, Number < 0x10000 ? "%lu" : "%#lx",
             static_cast<unsigned long>(Number));
    return Text;
}

std::string Utf8(const std::string& Oem) {
    return ToUtf8(OemToUnicode(Oem));
}

std::string PluginFlagNames(DWORD Flags) {
    const std::pair<DWORD, const char*> Names[] = {{PF_PRELOAD, "PF_PRELOAD"},
                                                   {PF_DISABLEPANELS, "PF_DISABLEPANELS"},
                                                   {PF_EDITOR, "PF_EDITOR"},
                                                   {PF_VIEWER, "PF_VIEWER"},
                                                   {PF_FULLCMDLINE, "PF_FULLCMDLINE"}};
    std::string Text;
    for (const auto& [Bit, Name] : Names)
        if (Flags & Bit)
            Text += (Text.empty() ? "" : " | ") + std::string(Name);
    return Text.empty() ? "none" : Text;
}

void StartPlugin(Session& S, const PluginModule& Module, const std::string& ModulePath) {
    S.Plugin = {Find<SetStartupInfoEntry>(Module, "SetStartupInfo"),
                Find<GetPluginInfoEntry>(Module, "GetPluginInfo"),
                Find<OpenPluginEntry>(Module, "OpenPlugin"),
                Find<OpenFilePluginEntry>(Module, "OpenFilePlugin"),
                Find<GetOpenPluginInfoEntry>(Module, "GetOpenPluginInfo"),
                Find<GetFindDataEntry>(Module, "GetFindData"),
                Find<FreeFindDataEntry>(Module, "FreeFindData"),
                Find<ClosePluginEntry>(Module, "ClosePlugin"),
                Find<ProcessKeyEntry>(Module, "ProcessKey")};
    if (S.Plugin.SetStartupInfo == nullptr || S.Plugin.GetPluginInfo == nullptr)
        StopRun(ExitRefused,
                "cannot load %s: it exports no SetStartupInfo or no GetPluginInfo, so it is no "
                "plugin of this host",
                ModulePath.c_str());
    std::string Found, Missing;
    for (const char* Name : EntryNames) {
        std::string& List = FindExport(Module, Name) ? Found : Missing;
        List += (List.empty() ? "" : ", ") + std::string(Name);
    }
    printf("host: loads %s: %s\n", Module.FileName.c_str(), Found.c_str());
    if (!Missing.empty())
        printf("host: the plugin does not export %s\n", Missing.c_str());

    FillStartupInfo(S.StartupInfo, ModulePath);
    printf("host: SetStartupInfo (module number %d)\n", QelhostModuleNumber);
    S.Plugin.SetStartupInfo(&S.StartupInfo);

    PluginInfo Info;
    memset(&Info, 0, sizeof Info);
    printf("host: GetPluginInfo\n");
    S.Plugin.GetPluginInfo(&Info);
    S.Registered.Flags = Info.Flags;
    for (int I = 0; I < Info.PluginMenuStringsNumber && Info.PluginMenuStrings != nullptr; ++I)
        S.Registered.MenuStrings.push_back(Info.PluginMenuStrings[I] ? Info.PluginMenuStrings[I]
                                                                     : "");
    if (Info.CommandPrefix != nullptr)
        S.Registered.CommandPrefix = Info.CommandPrefix;
    printf("  flags: 0x%08X (%s)\n", Info.Flags, PluginFlagNames(Info.Flags).c_str());
    for (const std::string& Title : S.Registered.MenuStrings)
        printf("  plugins menu: \"%s\"\n", Utf8(Title).c_str());
    printf("  command prefix: %s\n",
           S.Registered.CommandPrefix.empty()
               ? "none"
               : ("\"" + Utf8(S.Registered.CommandPrefix) + "\"").c_str());
}

// GetOpenPluginInfo, GetFindData, the picture, FreeFindData: what the host
// does whenever it shows the panel.
void ShowActivePanel(Session& S) {
    HANDLE Panel = S.Panels.back();
    OpenPluginInfo Info;
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    if (S.Plugin.GetOpenPluginInfo)
        S.Plugin.GetOpenPluginInfo(Panel, &Info);
    DescribePanel(Info);
    PluginPanelItem* Items = nullptr;
    int Count = 0;
    if (S.Plugin.GetFindData == nullptr || !S.Plugin.GetFindData(Panel, &Items, &Count, 0)) {
        printf("host: GetFindData gives no list; the panel stays empty\n");
        Items = nullptr;
        Count = 0;
    } else {
        printf("host: GetFindData lists %d item%s\n", Count, Count == 1 ? "" : "s");
    }
    ShowPanel(Info, Items, Count);
    if (Items != nullptr && S.Plugin.FreeFindData) {
        S.Plugin.FreeFindData(Panel, Items, Count);
        printf("host: FreeFindData returns the list\n");
    }
}

void OpenedPanel(Session& S, HANDLE Panel, const char* Call) {
    printf("host: %s returns %s", Call, Handle(Panel).c_str());
    if (Panel == INVALID_HANDLE_VALUE) {
        printf(": no panel opens\n");
        return;
    }
    printf(": the plugin's panel opens\n");
    S.Panels.push_back(Panel);
    ShowActivePanel(S);
}

// A command that cannot be run; found before any call into the plugin.
struct BadCommandError {
    std::string Why;
};

[[noreturn]] void BadCommand(const Session& S, const std::string& Why) {
    throw BadCommandError{"line " + std::to_string(S.Line) + ": " + Why};
}

void MenuCommand(Session& S, const std::string& Where, const std::string& Item) {
    struct Origin {
        const char* Name;
        int OpenFrom;
        const char* HostName;
        bool Listed;
        const char* Why;
    };
    DWORD Flags = S.Registered.Flags;
    const Origin Origins[] = {
        {"panels", OPEN_PLUGINSMENU, "OPEN_PLUGINSMENU", !(Flags & PF_DISABLEPANELS),
         "PF_DISABLEPANELS"},
        {"editor", OPEN_EDITOR, "OPEN_EDITOR", (Flags & PF_EDITOR) != 0, "no PF_EDITOR"},
        {"viewer", OPEN_VIEWER, "OPEN_VIEWER", (Flags & PF_VIEWER) != 0, "no PF_VIEWER"},
    };
    const Origin* Chosen = nullptr;
    for (const Origin& O : Origins)
        if (Where == O.Name)
            Chosen = &O;
    if (Chosen == nullptr)
        BadCommand(S, "menu: say panels, editor or viewer, not \"" + Where + "\"");
    int Number = Item.empty() ? 0 : atoi(Item.c_str());
    if (Number < 0 || std::to_string(Number) != (Item.empty() ? "0" : Item))
        BadCommand(S, "menu: the item is a number from 0, not \"" + Item + "\"");
    if (!Chosen->Listed || S.Registered.MenuStrings.empty() || S.Plugin.OpenPlugin == nullptr) {
        printf("host: the plugins menu of the %s does not list the plugin (%s)\n", Chosen->Name,
               S.Plugin.OpenPlugin == nullptr     ? "no OpenPlugin"
               : S.Registered.MenuStrings.empty() ? "no menu strings"
                                                  : Chosen->Why);
        return;
    }
    if (Number >= static_cast<int>(S.Registered.MenuStrings.size()))
        BadCommand(S, "menu: the plugin has " + std::to_string(S.Registered.MenuStrings.size()) +
                          " menu item(s), there is no item " + Item);
    printf("host: the user chooses \"%s\" in the plugins menu of the %s\n",
           Utf8(S.Registered.MenuStrings[Number]).c_str(), Chosen->Name);
    printf("host: OpenPlugin(%s, %d)\n", Chosen->HostName, Number);
    HANDLE Panel = S.Plugin.OpenPlugin(Chosen->OpenFrom, Number);
    if (Chosen->OpenFrom == OPEN_PLUGINSMENU)
        OpenedPanel(S, Panel, "OpenPlugin");
    else
        printf("host: OpenPlugin returns %s; the %s has no panel to open\n", Handle(Panel).c_str(),
               Chosen->Name);
}

// The text after "prefix:" when Text starts with one of the registered
// prefixes (compared without case), as the host's command line checks.
bool MatchesPrefix(const std::string& Prefixes, const std::string& Text) {
    size_t Colon = Text.find(':');
    if (Colon == std::string::npos || Colon == 0)
        return false;
    std::stringstream List(Prefixes);
    std::string Prefix;
    while (std::getline(List, Prefix, ':'))
        if (Prefix.size() == Colon && strncasecmp(Prefix.c_str(), Text.c_str(), Colon) == 0)
            return true;
    return false;
}

void CommandLine(Session& S, const std::string& Text) {
    std::string Oem = UnicodeToOem(FromUtf8(Text));
    if (S.Plugin.OpenPlugin == nullptr || !MatchesPrefix(S.Registered.CommandPrefix, Oem)) {
        printf("host: \"%s\" is no plugin command; the host would run it in the shell\n",
               Text.c_str());
        return;
    }
    // Without PF_FULLCMDLINE the plugin sees the command after its prefix.
    std::string Passed = S.Registered.Flags & PF_FULLCMDLINE ? Oem : Oem.substr(Oem.find(':') + 1);
    printf("host: OpenPlugin(OPEN_COMMANDLINE, \"%s\")\n", Utf8(Passed).c_str());
    HANDLE Panel = S.Plugin.OpenPlugin(OPEN_COMMANDLINE, reinterpret_cast<INT_PTR>(Passed.c_str()));
    OpenedPanel(S, Panel, "OpenPlugin");
}

void OpenFile(Session& S, const std::string& Path) {
    if (Path.empty())
        BadCommand(S, "open: name the file");
    std::string Oem = UnicodeToOem(FromUtf8(Path));
    // A file that exists here shows the plugin its first bytes, as the host
    // does; the usual Windows names exist nowhere here and show none.
    std::vector<unsigned char> Data(FileDataLimit);
    std::ifstream File(Path, std::ios::binary);
    File.read(reinterpret_cast<char*>(Data.data()), FileDataLimit);
    int Size = File ? FileDataLimit : static_cast<int>(File.gcount());
    printf("host: OpenFilePlugin(\"%s\", %d bytes of data)\n", Path.c_str(), Size);
    if (S.Plugin.OpenFilePlugin == nullptr) {
        printf("host: the plugin does not open files; the host opens it itself\n");
        return;
    }
    HANDLE Panel = S.Plugin.OpenFilePlugin(Oem.c_str(), Data.data(), Size);
    if (Panel == INVALID_HANDLE_VALUE) {
        printf("host: OpenFilePlugin returns INVALID_HANDLE_VALUE: the plugin does not take the "
               "file; the host opens it itself\n");
        return;
    }
    OpenedPanel(S, Panel, "OpenFilePlugin");
}

void PressKey(Session& S, std::istringstream& Words) {
    std::string Name, Modifier;
    Words >> Name;
    int Key = Name.empty() ? -1 : VirtualKeyCode(Name);
    if (Key < 0)
        BadCommand(S, "key: unknown key \"" + Name +
                          "\" (F1 to F12, Enter, Esc, Tab, Space, "
                          "BackSpace, Ins, Del, Home, End, PgUp, PgDn, arrows, letters, digits)");
    unsigned State = 0;
    while (Words >> Modifier) {
        if (ModifierBit(Modifier) == 0)
            BadCommand(S, "key: the modifiers are shift, ctrl and alt, not \"" + Modifier + "\"");
        State |= ModifierBit(Modifier);
    }
    std::string Title = KeyTitle(Name, State);
    std::string Action = HostKeyAction(Key, State);
    std::string HostDoes =
        "the host handles " + Title + " itself" + (Action.empty() ? "" : ": " + Action);
    if (S.Panels.empty() || S.Plugin.ProcessKey == nullptr) {
        printf("host: %s goes to the host's own file panel; %s\n", Title.c_str(), HostDoes.c_str());
        return;
    }
    printf("host: ProcessKey(%s, key 0x%02X, ControlState 0x%X)\n", Handle(S.Panels.back()).c_str(),
           Key, State);
    int Handled = S.Plugin.ProcessKey(S.Panels.back(), Key, State);
    if (Handled)
        printf("host: ProcessKey returns %d: the plugin handled %s\n", Handled, Title.c_str());
    else
        printf("host: ProcessKey returns 0: %s\n", HostDoes.c_str());
}

void ClosePanel(Session& S) {
    HANDLE Panel = S.Panels.back();
    S.Panels.pop_back();
    printf("host: ClosePlugin(%s): the plugin's panel closes\n", Handle(Panel).c_str());
    if (S.Plugin.ClosePlugin)
        S.Plugin.ClosePlugin(Panel);
}

std::string Unquoted(const std::string& Text) {
    if (Text.size() >= 2 && Text.front() == '"' && Text.back() == '"')
        return Text.substr(1, Text.size() - 2);
    return Text;
}

void AnswerCommand(Session& S, const std::string& What, const std::string& Rest) {
    if (What == "esc" && Rest.empty())
        PrepareClose(Answer::PressEsc, "", S.Line);
    else if (What == "enter" && Rest.empty())
        PrepareClose(Answer::PressEnter, "", S.Line);
    else if (What == "button" && !Rest.empty())
        PrepareClose(Answer::PressButton, Unquoted(Rest), S.Line);
    else if (What == "type")
        PrepareEdit({EditStep::Type, Unquoted(Rest), 0}, S.Line);
    else if (What == "clear" && Rest.empty())
        PrepareEdit({EditStep::Clear, "", 0}, S.Line);
    else if (What == "history" && atoi(Rest.c_str()) > 0)
        PrepareEdit({EditStep::FromHistory, "", atoi(Rest.c_str())}, S.Line);
    else
        BadCommand(S, "answer: say button LABEL, enter, esc, type TEXT, clear or history N");
}

const char HelpText[] =
    "commands:\n"
    "  menu panels|editor|viewer [N]   choose the plugin's menu item N (from 0)\n"
    "  command TEXT                    type TEXT on the command line and press Enter\n"
    "  open PATH                       press Enter on the file PATH\n"
    "  key NAME [shift|ctrl|alt]...    press a key on the plugin's panel\n"
    "  close                           leave the plugin's panel\n"
    "  answer button LABEL|N | enter | esc      how the next box or dialog closes\n"
    "  answer type TEXT | clear | history N     edits in the next dialog's field\n"
    "  note TEXT                       print a heading\n"
    "  help, quit\n";

// Runs one command line; false after quit.
bool RunCommand(Session& S, const std::string& Line) {
    std::istringstream Words(Line);
    std::string Command, Argument;
    Words >> Command;
    std::string Rest;
    std::getline(Words >> std::ws, Rest);
    std::istringstream RestWords(Rest);
    if (Command == "answer") {
        RestWords >> Argument;
        std::string Tail;
        std::getline(RestWords >> std::ws, Tail);
        AnswerCommand(S, Argument, Tail);
        return true;
    }
    if (Command == "quit")
        return false;
    if (Command == "help")
        fputs(HelpText, stdout);
    else if (Command == "note")
        printf("\n== %s ==\n", Rest.c_str());
    else if (Command == "menu") {
        std::string Item, Extra;
        RestWords >> Argument >> Item >> Extra;
        if (!Extra.empty())
            BadCommand(S, "menu: too many words");
        MenuCommand(S, Argument, Item);
    } else if (Command == "command")
        CommandLine(S, Rest);
    else if (Command == "open")
        OpenFile(S, Rest);
    else if (Command == "key")
        PressKey(S, RestWords);
    else if (Command == "close") {
        if (S.Panels.empty())
            BadCommand(S, "close: no plugin panel is open");
        ClosePanel(S);
    } else
        BadCommand(S, "unknown command \"" + Command + "\" (help lists the commands)");
    if (int Unused = FirstUnusedAnswerLine())
        StopRun(ExitStopped, "line %d: the answer there was not used by \"%s\" on line %d", Unused,
                Line.c_str(), S.Line);
    return true;
}

} // namespace

int RunSession(const PluginModule& Module, const std::string& ModulePath, SessionInput Input) {
    Session S;
    StartPlugin(S, Module, ModulePath);
    AskOnTerminal(Input.FromTerminal);
    std::string Line;
    for (;;) {
        if (Input.FromTerminal) {
            printf("qel> ");
            fflush(stdout);
        }
        if (!std::getline(*Input.Commands, Line))
            break;
        ++S.Line;
        size_t First = Line.find_first_not_of(" \t\r");
        if (First == std::string::npos || Line[First] == '#')
            continue;
        Line = Line.substr(First, Line.find_last_not_of(" \t\r") + 1 - First);
        if (!Input.FromTerminal && Line.compare(0, 5, "note ") != 0)
            printf("qel> %s\n", Line.c_str());
        try {
            if (!RunCommand(S, Line))
                break;
        } catch (const BadCommandError& Error) {
            if (!Input.FromTerminal)
                StopRun(ExitStopped, "%s", Error.Why.c_str());
            printf("qelhost: %s\n", Error.Why.c_str());
        }
    }
    if (int Unused = FirstUnusedAnswerLine())
        StopRun(ExitStopped, "line %d: the answer there was not used; the session ended", Unused);
    // Leaving the host closes what is still open.
    while (!S.Panels.empty())
        ClosePanel(S);
    printf("host: the session ends\n");
    return 0;
}
