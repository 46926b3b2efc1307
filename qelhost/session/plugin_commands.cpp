#include "qelhost/session/plugin_commands.hpp"
#include "qelhost/counts.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/file_start.hpp"
#include "qelhost/session/keys.hpp"
#include "qelhost/session/panel_commands.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

// The text in code page 866, for the plugin; a character it lacks makes
// the command one that cannot be run.
std::string ForPlugin(const char* Command, const std::string& Utf8) {
    std::string Why = WhyNotOem(Utf8);
    if (!Why.empty())
        throw BadCommand{std::string(Command) + ": " + Why + "; the plugin could not take it"};
    return UnicodeToOem(FromUtf8(Utf8));
}

void OpenedPanel(Session& S, HANDLE Panel, const char* Call) {
    printf("host: %s returns %s", Call, HandleText(Panel).c_str());
    if (Panel == INVALID_HANDLE_VALUE) {
        printf(": no panel opens\n");
        return;
    }
    printf(": the plugin's panel opens\n");
    S.Panels.push_back(Panel);
    ShowPluginPanel(S, Panel);
}

struct Origin {
    const char* Name;
    int OpenFrom;
    const char* HostName;
    DWORD Flag;
    bool Listed; // whether Flag set lists the plugin in this menu, or keeps it out
    const char* WhyNot;
};

const Origin Origins[] = {
    {"panels", OPEN_PLUGINSMENU, "OPEN_PLUGINSMENU", PF_DISABLEPANELS, false, "PF_DISABLEPANELS"},
    {"editor", OPEN_EDITOR, "OPEN_EDITOR", PF_EDITOR, true, "no PF_EDITOR"},
    {"viewer", OPEN_VIEWER, "OPEN_VIEWER", PF_VIEWER, true, "no PF_VIEWER"},
};

const Origin& FindOrigin(const std::string& Where) {
    for (const Origin& O : Origins)
        if (Where == O.Name)
            return O;
    throw BadCommand{"menu: say panels, editor or viewer, not \"" + Where + "\""};
}

// Why the menu does not list the plugin, or "".
std::string NotListed(const Session& S, const Origin& O) {
    if (!S.Plugin.CanOpen())
        return "no OpenPlugin";
    if (S.Registered.MenuStrings.empty())
        return "no menu strings";
    if (((S.Registered.Flags & O.Flag) != 0) != O.Listed)
        return O.WhyNot;
    return "";
}

// Item N (from 1; "" is 1) of Count, for Command.
int ItemNumber(const char* Command, size_t Count, const std::string& Item) {
    if (Item.empty())
        return 1;
    std::string Mistake = CountMistake("the item", Item);
    if (!Mistake.empty())
        throw BadCommand{std::string(Command) + ": " + Mistake};
    long Number = 0;
    ReadCount(Item, Number);
    if (static_cast<size_t>(Number) > Count)
        throw BadCommand{std::string(Command) + ": the plugin has " + std::to_string(Count) + " " +
                         (Command == std::string("menu") ? "menu" : "configuration") +
                         " item(s), there is no item " + Item};
    return static_cast<int>(Number);
}

int MenuItem(const Session& S, const std::string& Item) {
    return ItemNumber("menu", S.Registered.MenuStrings.size(), Item);
}

} // namespace

void ChooseFromMenu(Session& S, const std::string& Where, const std::string& Item) {
    const Origin& Chosen = FindOrigin(Where);
    std::string Why = NotListed(S, Chosen);
    if (!Why.empty()) {
        printf("host: the plugins menu of the %s does not list the plugin (%s)\n", Chosen.Name,
               Why.c_str());
        return;
    }
    int Number = MenuItem(S, Item) - 1; // the plugin counts from 0
    printf("host: the user chooses \"%s\" in the plugins menu of the %s\n",
           Printable(S.Registered.MenuStrings[Number]).c_str(), Chosen.Name);
    printf("host: OpenPlugin(%s, %d)\n", Chosen.HostName, Number);
    HANDLE Panel = S.Plugin.OpenPlugin(Chosen.OpenFrom, Number);
    if (Chosen.OpenFrom == OPEN_PLUGINSMENU)
        OpenedPanel(S, Panel, "OpenPlugin");
    else
        printf("host: OpenPlugin returns %s; the %s has no panel to open\n",
               HandleText(Panel).c_str(), Chosen.Name);
}

// Whether Text starts with one of the prefixes and a colon, compared
// without case as the host's command line does.
bool HasPrefix(const std::vector<std::u32string>& Prefixes, const std::u32string& Text) {
    size_t Colon = Text.find(U':');
    auto Lower = [](char32_t C) { return C >= U'A' && C <= U'Z' ? C - U'A' + U'a' : C; };
    for (const std::u32string& Prefix : Prefixes)
        if (Prefix.size() == Colon &&
            std::equal(Prefix.begin(), Prefix.end(), Text.begin(),
                       [&](char32_t A, char32_t B) { return Lower(A) == Lower(B); }))
            return true;
    return false;
}

void TypeCommandLine(Session& S, const std::string& Text) {
    std::u32string Typed = FromUtf8(Text);
    if (!S.Plugin.CanOpen() || !HasPrefix(S.Registered.CommandPrefixes, Typed)) {
        if (!S.Panels.empty() && !FolderPanelActive() &&
            S.Plugin.Has(PluginEntries::ProcessEvent)) {
            // The plugin's panel is offered the command first.
            std::string Oem = ForPlugin("command", Text);
            printf("host: ProcessEvent(%s, FE_COMMAND, \"%s\")\n",
                   HandleText(S.Panels.back()).c_str(), Printable(OemToUnicode(Oem)).c_str());
            int Taken = S.Plugin.ProcessEventCall(S.Panels.back(), FE_COMMAND, Oem.data());
            printf("host: ProcessEvent returns %d\n", Taken);
            if (Taken)
                return;
        }
        printf("host: \"%s\" is no plugin command; the host would run it in the shell\n",
               Escaped(Text).c_str());
        return;
    }
    std::string Oem = ForPlugin("command", Text);
    // Without PF_FULLCMDLINE the plugin sees the command after its prefix.
    std::string Passed = S.Registered.Flags & PF_FULLCMDLINE ? Oem : Oem.substr(Oem.find(':') + 1);
    printf("host: OpenPlugin(OPEN_COMMANDLINE, \"%s\")\n", Printable(OemToUnicode(Passed)).c_str());
    HANDLE Panel = S.Plugin.OpenPlugin(OPEN_COMMANDLINE, reinterpret_cast<INT_PTR>(Passed.c_str()));
    OpenedPanel(S, Panel, "OpenPlugin");
}

// The file of this machine that the session's path names: a Windows path
// (or one relative to the current folder) through the session's drives,
// or, as written, an absolute path of this machine ("/tmp/x"). "" when it
// lies on no drive.
std::string LocalFile(const std::string& Path) {
    if (Path[0] == '/')
        return Path;
    HostPath Found = HostPathFor(Path);
    return Found.Error == 0 ? Found.Path : "";
}

void PressEnterOnFile(Session& S, const std::string& Path) {
    if (Path.empty())
        throw BadCommand{"open: name the file"};
    std::string Oem = ForPlugin("open", Path);
    // A regular file that exists here shows the plugin its first bytes, as
    // the host does; a path on a drive that is not mapped shows none.
    FileStart Data(LocalFile(Path));
    printf("host: OpenFilePlugin(\"%s\", %zu bytes of data)\n", Escaped(Path).c_str(), Data.Size());
    if (!S.Plugin.CanOpenFiles()) {
        printf("host: the plugin does not open files; the host opens it itself\n");
        return;
    }
    HANDLE Panel =
        S.Plugin.OpenFilePlugin(Oem.c_str(), Data.Bytes(), static_cast<int>(Data.Size()));
    if (Panel == INVALID_HANDLE_VALUE) {
        printf("host: OpenFilePlugin returns INVALID_HANDLE_VALUE: the plugin does not take the "
               "file; the host opens it itself\n");
        return;
    }
    OpenedPanel(S, Panel, "OpenFilePlugin");
}

void ConfigurePlugin(Session& S, const std::string& Item) {
    const std::vector<std::u32string>& Items = S.Registered.ConfigStrings;
    if (!S.Plugin.CanConfigure() || Items.empty()) {
        printf("host: the plugins configuration menu does not list the plugin (%s)\n",
               S.Plugin.CanConfigure() ? "no configuration strings" : "no Configure");
        return;
    }
    int Number = ItemNumber("configure", Items.size(), Item) - 1;
    printf("host: the user chooses \"%s\" in the plugins configuration menu\n",
           Printable(Items[Number]).c_str());
    printf("host: Configure(%d)\n", Number);
    int Result = S.Plugin.Configure(Number);
    printf("host: Configure returns %d%s\n", Result, Result ? ": the host redraws its panels" : "");
}

void CloseActivePanel(Session& S, bool Forced) {
    if (S.Panels.empty())
        throw BadCommand{"close: no plugin panel is open"};
    HANDLE Panel = S.Panels.back();
    if (!Forced && S.Plugin.Has(PluginEntries::ProcessEvent)) {
        printf("host: ProcessEvent(%s, FE_CLOSE)\n", HandleText(Panel).c_str());
        if (int Refused = S.Plugin.ProcessEventCall(Panel, FE_CLOSE, nullptr)) {
            printf("host: ProcessEvent returns %d: the plugin keeps its panel open\n", Refused);
            return;
        }
    }
    S.Panels.pop_back();
    printf("host: ClosePlugin(%s): the plugin's panel closes\n", HandleText(Panel).c_str());
    S.Plugin.ClosePlugin(Panel);
    PluginPanelClosed(Panel);
}

NamedKey ReadKeyWords(const std::vector<std::string>& Words) {
    std::string Name = Words.empty() ? "" : Words[0];
    int Key = VirtualKeyCode(Name);
    if (Key < 0)
        throw BadCommand{"key: unknown key \"" + Name + "\" (the keys: " + KeyNames() + ")"};
    unsigned State = 0;
    for (size_t I = 1; I < Words.size(); ++I) {
        if (ModifierBit(Words[I]) == 0)
            throw BadCommand{"key: the modifiers are shift, ctrl and alt, not \"" + Words[I] +
                             "\""};
        State |= ModifierBit(Words[I]);
    }
    return {Key, State, KeyTitle(Name, State)};
}

void PressKey(Session& S, const std::vector<std::string>& Words) {
    NamedKey Named = ReadKeyWords(Words);
    int Key = Named.VirtualKey;
    unsigned State = Named.State;
    if (Key == VK_CANCEL) { // the console's Ctrl+Break, never a key of the panel
        PressCtrlBreak(S, State);
        return;
    }
    const std::string& Title = Named.Title;
    std::string Action = HostKeyAction(Key, State);
    std::string HostDoes =
        "the host handles " + Title + " itself" + (Action.empty() ? "" : ": " + Action);
    bool OnPluginPanel = !S.Panels.empty() && !FolderPanelActive();
    if (!OnPluginPanel || !S.Plugin.TakesKeys()) {
        if (HostTakesKey(S, Key, State, false)) {
            printf("host: %s goes to the host's %s panel\n", Title.c_str(),
                   OnPluginPanel ? "plugin's" : "file");
            HostTakesKey(S, Key, State, true);
            return;
        }
        printf("host: %s goes to the host's own file panel; %s\n", Title.c_str(), HostDoes.c_str());
        return;
    }
    // The host offers each key twice: first before it acts (PKF_PREPROCESS
    // in Key), then, unless the plugin took it there, as the key itself.
    std::string Panel = HandleText(S.Panels.back());
    printf("host: ProcessKey(%s, key 0x%X = PKF_PREPROCESS | 0x%02X, ControlState 0x%X)\n",
           Panel.c_str(), Key | PKF_PREPROCESS, Key, State);
    if (int Handled = S.Plugin.ProcessKey(S.Panels.back(), Key | PKF_PREPROCESS, State)) {
        printf("host: ProcessKey returns %d: the plugin handled %s before the host; it is not "
               "offered again\n",
               Handled, Title.c_str());
        return;
    }
    printf("host: ProcessKey returns 0: the plugin lets the host go on\n");
    printf("host: ProcessKey(%s, key 0x%02X, ControlState 0x%X)\n", Panel.c_str(), Key, State);
    if (int Handled = S.Plugin.ProcessKey(S.Panels.back(), Key, State)) {
        printf("host: ProcessKey returns %d: the plugin handled %s\n", Handled, Title.c_str());
    } else if (HostTakesKey(S, Key, State, false)) {
        printf("host: ProcessKey returns 0: the host acts on %s\n", Title.c_str());
        HostTakesKey(S, Key, State, true);
    } else {
        printf("host: ProcessKey returns 0: %s\n", HostDoes.c_str());
    }
}
