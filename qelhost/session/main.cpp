// qelhost: stands in for the file manager so that a plugin DLL of its old
// ANSI interface runs here, and shows what the host's user would see.
#include "qelhost/services/cp866.hpp"
#include "qelhost/windows/crash_report.hpp"
#include "qelhost/services/host_services.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/windows/pe_loader.hpp"
#include "qelhost/stop_run.hpp"
#include "qelhost/session/session.hpp"
#include "qelhost/windows/win32_runtime.hpp"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>

namespace {

const char Usage[] =
    "usage: qelhost [--lang eng|rus] [--heap-fail-after N] PLUGIN.dll [SCRIPT|-]\n"
    "       qelhost [--lang eng|rus] --messages PLUGIN.dll\n"
    "Runs the plugin DLL in a simulated host: its start-up calls, then the session\n"
    "commands of SCRIPT, or of standard input (with a prompt on a terminal).\n"
    "  --lang eng|rus         the language file to read (English by default)\n"
    "  --heap-fail-after N    the plugin's heap fails after N more allocations\n"
    "  --messages             list the language file's messages and stop\n";

struct Options {
    std::string Language = "English";
    long HeapFailAfter = -1;
    bool ListMessages = false;
    std::string Plugin;
    std::string Script;
};

[[noreturn]] void UsageError(const std::string& Why) {
    fprintf(stderr, "qelhost: %s\n%s", Why.c_str(), Usage);
    exit(ExitRefused);
}

Options ReadOptions(int Count, char** Arguments) {
    Options Result;
    int I = 1;
    for (; I < Count && Arguments[I][0] == '-' && Arguments[I][1] == '-'; ++I) {
        std::string Option = Arguments[I];
        if (Option == "--help") {
            fputs(Usage, stdout);
            exit(0);
        }
        if (Option == "--messages") {
            Result.ListMessages = true;
            continue;
        }
        if (I + 1 >= Count)
            UsageError(Option + " needs a value");
        std::string Value = Arguments[++I];
        if (Option == "--lang" && (Value == "eng" || Value == "rus"))
            Result.Language = Value == "eng" ? "English" : "Russian";
        else if (Option == "--lang")
            UsageError("--lang takes eng or rus, not \"" + Value + "\"");
        else if (Option == "--heap-fail-after" && !Value.empty() && Value.size() < 10 &&
                 Value.find_first_not_of("0123456789") == std::string::npos)
            Result.HeapFailAfter = atol(Value.c_str());
        else if (Option == "--heap-fail-after")
            UsageError("--heap-fail-after takes a count, not \"" + Value + "\"");
        else
            UsageError("unknown option " + Option);
    }
    if (I >= Count)
        UsageError("name the plugin DLL");
    Result.Plugin = Arguments[I++];
    if (I < Count)
        Result.Script = Arguments[I++];
    if (I < Count)
        UsageError("too many arguments");
    return Result;
}

std::string FolderOf(const std::string& Path) {
    size_t Slash = Path.find_last_of('/');
    return Slash == std::string::npos ? "." : Slash == 0 ? "/" : Path.substr(0, Slash);
}

int ListMessages(const Options& Chosen) {
    LanguageFile File;
    std::string Error = FindLanguageFile(FolderOf(Chosen.Plugin), Chosen.Language, File);
    if (!Error.empty())
        StopRun(ExitStopped, "%s", Error.c_str());
    for (size_t I = 0; I < File.Messages.size(); ++I)
        printf("%zu: \"%s\"\n", I, ToUtf8(OemToUnicode(File.Messages[I])).c_str());
    return 0;
}

} // namespace

int main(int Count, char** Arguments) {
    Options Chosen = ReadOptions(Count, Arguments);
    ChooseLanguage(FolderOf(Chosen.Plugin), Chosen.Language);
    if (Chosen.ListMessages)
        return ListMessages(Chosen);

    std::ifstream ScriptFile;
    SessionInput Input{&std::cin, false};
    if (!Chosen.Script.empty() && Chosen.Script != "-") {
        ScriptFile.open(Chosen.Script);
        if (!ScriptFile)
            UsageError("cannot open the session script " + Chosen.Script);
        Input.Commands = &ScriptFile;
    } else {
        Input.FromTerminal = isatty(0);
    }

    ReportCrashes();
    PluginModule Module;
    std::string Error = LoadPluginModule(Chosen.Plugin, Module);
    if (!Error.empty())
        StopRun(ExitRefused, "cannot load %s: %s", Chosen.Plugin.c_str(), Error.c_str());
    // Counted from here: the plugin's start-up code may allocate too.
    MakeHeapFailAfter(Chosen.HeapFailAfter);
    return RunSession(Module, Chosen.Plugin, Input);
}
