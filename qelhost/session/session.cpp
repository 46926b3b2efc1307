#include "qelhost/session/session.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/host_services.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/answers.hpp"
#include "qelhost/session/commands.hpp"
#include "qelhost/session/panel_commands.hpp"
#include "qelhost/session/terminal.hpp"
#include "qelhost/session/window_commands.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>

#include <algorithm>

void NoteFromLoader(const char* Text) {
    printf("host: %s\n", Text);
}

namespace {

// The language file is read before the plugin starts; without one the run
// goes on, as a plugin need not ask for messages, until GetMsg is called.
void ReadLanguage(const Options& Chosen) {
    LanguageFile File;
    std::string Problem = LoadLanguage(FolderOf(Chosen.Plugin), Chosen.Language, File);
    if (Problem.empty())
        printf("host: reads the %s language file %s: %zu messages\n", File.Language.c_str(),
               Escaped(FileNameOf(File.Path)).c_str(), File.Messages.size());
    else
        printf("host: %s; GetMsg would stop the run\n", Escaped(Problem).c_str());
}

// "1.75 build 2634" of a version packed as ACTL_GETFARVERSION packs it.
std::string VersionText(DWORD Version) {
    return std::to_string((Version >> 8) & 0xFF) + "." + std::to_string(Version & 0xFF) +
           " build " + std::to_string(Version >> 16);
}

// The host asks GetMinFarVersion before SetStartupInfo, and loads no
// plugin that needs a newer host: major and minor (the low word) compared
// first, then the build (the high word).
void CheckVersion(const Session& S, const std::string& ModulePath) {
    if (!S.Plugin.AsksForVersion())
        return;
    DWORD Needed = static_cast<DWORD>(S.Plugin.GetMinFarVersion());
    printf("host: GetMinFarVersion gives %s (0x%08X)\n", VersionText(Needed).c_str(), Needed);
    bool Newer = (Needed & 0xFFFF) != (NativeFarVersion & 0xFFFF)
                     ? (Needed & 0xFFFF) > (NativeFarVersion & 0xFFFF)
                     : (Needed >> 16) > (NativeFarVersion >> 16);
    if (Newer)
        StopRun(ExitRefused, "cannot load %s: it needs the host's version %s, and qelhost is %s",
                ModulePath.c_str(), VersionText(Needed).c_str(),
                VersionText(NativeFarVersion).c_str());
}

// The imports bound to stand-ins that stop the run when called: counted,
// the first few named.
void TellStoppingImports(const std::vector<std::string>& Stopping) {
    constexpr size_t Named = 8;
    if (Stopping.empty())
        return;
    std::vector<std::string> Shown(Stopping.begin(),
                                   Stopping.begin() + std::min(Stopping.size(), Named));
    std::string More =
        Stopping.size() > Named ? " and " + std::to_string(Stopping.size() - Named) + " more" : "";
    printf("host: %zu %s the run if called (qelhost does not provide %s): %s%s\n", Stopping.size(),
           Stopping.size() == 1 ? "import stops" : "imports stop",
           Stopping.size() == 1 ? "it" : "them", Joined(Shown, ", ").c_str(), More.c_str());
}

void StartPlugin(Session& S, const PluginModule& Module, const Options& Chosen,
                 const std::vector<std::string>& Found, const std::vector<std::string>& Missing) {
    const std::string& FileName = Module.FileName;
    const std::string& ModulePath = Chosen.Plugin;
    if (!S.Plugin.CanStart())
        StopRun(ExitRefused,
                "cannot load %s: it exports no SetStartupInfo or no GetPluginInfo, so it is no "
                "plugin of this host",
                ModulePath.c_str());
    printf("host: loads %s: %s\n", FileName.c_str(), Joined(Found, ", ").c_str());
    if (!Missing.empty())
        printf("host: the plugin does not export %s\n", Joined(Missing, ", ").c_str());
    TellStoppingImports(Module.StoppingImports);
    ReadLanguage(Chosen);
    CheckVersion(S, ModulePath);
    FillStartupInfo(S.StartupInfo, WindowsPathOfFile(ModulePath), NextAnswer);
    printf("host: SetStartupInfo (module number %d)\n", QelhostModuleNumber);
    S.Plugin.SetStartupInfo(S.StartupInfo);
    printf("host: GetPluginInfo\n");
    S.Registered = S.Plugin.GetPluginInfo();
    DWORD Flags = S.Registered.Flags;
    printf("  flags: 0x%08X (%s)\n", Flags,
           FlagNames(Flags, {{PF_PRELOAD, "PF_PRELOAD"},
                             {PF_DISABLEPANELS, "PF_DISABLEPANELS"},
                             {PF_EDITOR, "PF_EDITOR"},
                             {PF_VIEWER, "PF_VIEWER"},
                             {PF_FULLCMDLINE, "PF_FULLCMDLINE"}})
               .c_str());
    for (const std::u32string& Title : S.Registered.MenuStrings)
        printf("  plugins menu: %s\n", Quoted(Title).c_str());
    for (const std::u32string& Title : S.Registered.ConfigStrings)
        printf("  configuration menu: %s\n", Quoted(Title).c_str());
    const std::vector<std::u32string>& Prefixes = S.Registered.CommandPrefixes;
    printf("  command prefix: %s\n",
           Prefixes.empty() ? "none" : Quoted(Joined(Prefixes, U":")).c_str());
}

// The next command line, trimmed; false at the end of the input. A script
// that cannot be read on stops the run.
bool NextLine(const SessionInput& Input, std::string& Line) {
    if (Input.FromTerminal)
        return AskLine("qel> ", Line);
    switch (Input.Commands->Next(Line)) {
    case LineInput::Line:
        return true;
    case LineInput::End:
        return false;
    case LineInput::TooLong:
        StopRun(ExitStopped, "%s: line %d is longer than %zu bytes", Input.Name.c_str(),
                Input.Commands->LineNumber(), MaxLineBytes);
    case LineInput::TooMuch:
        StopRun(ExitStopped, "%s is longer than %zu bytes", Input.Name.c_str(), MaxInputBytes);
    case LineInput::Failed:
        break;
    }
    StopRun(ExitStopped, "cannot read %s: %s", Input.Name.c_str(), Input.Commands->Error().c_str());
}

const SessionInput* ActiveInput;

// The next command line, trimmed, counted, and echoed unless typed or a note.
bool NextCommand(Session& S, const SessionInput& Input, std::string& Line) {
    while (NextLine(Input, Line)) {
        S.Line = Input.Commands->LineNumber();
        NoteCommandLine(S.Line);
        Line = Trimmed(Line);
        if (Line.empty() || Line[0] == '#')
            continue;
        if (!Input.FromTerminal && Line.compare(0, 5, "note ") != 0)
            printf("qel> %s\n", Escaped(Line).c_str());
        return true;
    }
    return false;
}

void EndSession(Session& S) {
    if (int Unused = FirstUnusedAnswerLine()) {
        if (!OnTerminal())
            StopRun(ExitStopped, "line %d: the answer there was not used; the session ended",
                    Unused);
        TellMistake("line " + std::to_string(Unused) + ": the answer there was not used");
    }
    // Leaving the host closes what is still open.
    CloseWindowsAtEnd();
    while (!S.Panels.empty())
        CloseActivePanel(S, true);
    // The host tells its plugins it ends, on a normal end only.
    if (S.Plugin.HasExitFAR()) {
        printf("host: ExitFAR\n");
        S.Plugin.ExitFAR();
    }
    printf("host: the session ends\n");
}

} // namespace

bool NextScriptCommand(Session& S, std::string& Line) {
    return ActiveInput != nullptr && NextCommand(S, *ActiveInput, Line);
}

int RunSession(const PluginModule& Module, const Options& Chosen, SessionInput Input) {
    std::vector<std::string> Found, Missing;
    Session S{PluginEntries(Module, Found, Missing), {}, {}, {}, 0};
    ConnectWindows(S);
    StartPlugin(S, Module, Chosen, Found, Missing);
    UsePanelCalls(S);
    UseTerminal(Input.FromTerminal ? Input.Commands : nullptr);
    ActiveInput = &Input;
    for (std::string Line; NextCommand(S, Input, Line);) {
        try {
            if (!RunCommand(S, Line))
                break;
        } catch (const BadCommand& Error) {
            if (!Input.FromTerminal)
                StopRun(ExitStopped, "line %d: %s", S.Line, Escaped(Error.Why).c_str());
            TellMistake(Error.Why);
        }
        if (InputEnded()) // Ctrl-D at a box's prompt
            break;
    }
    EndSession(S);
    return 0;
}
