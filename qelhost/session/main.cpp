// qelhost: stands in for the file manager so that a plugin DLL of its old
// ANSI interface runs here, and shows what the host's user would see.
#include "qelhost/gate/loader_notes.hpp"
#include "qelhost/gate/plugin_heap.hpp"
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/gate/plugin_module.hpp"
#include "qelhost/gate/registry_file.hpp"
#include "qelhost/gate/watchdog.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/language_file.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/session/command_line.hpp"
#include "qelhost/session/session.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <exception>

namespace {

int ListMessages(const Options& Chosen) {
    LanguageFile File;
    std::string Error = FindLanguageFile(FolderOf(Chosen.Plugin), Chosen.Language, File);
    if (!Error.empty())
        StopRun(ExitStopped, "%s (the plugin's folder: %s)", Escaped(Error).c_str(),
                Escaped(FolderOf(Chosen.Plugin)).c_str());
    for (size_t I = 0; I < File.Messages.size(); ++I)
        printf("%zu: \"%s\"\n", I, Printable(OemToUnicode(File.Messages[I])).c_str());
    return 0;
}

// The session's commands: the script, or standard input (never a
// directory; the bounds on lines and size take care of devices).
SessionInput OpenCommands(const std::string& Script, bool InputClosed) {
    if (!Script.empty() && Script != "-") {
        std::string Why;
        int Descriptor = OpenScript(Script, Why);
        if (Descriptor < 0)
            StopRun(ExitRefused, "cannot use %s as the session script: %s", Escaped(Script).c_str(),
                    Why.c_str());
        return {new LineInput(Descriptor), false, Script};
    }
    if (InputClosed)
        StopRun(ExitRefused, "standard input is closed: name a session script");
    struct stat Status;
    if (fstat(0, &Status) == 0 && S_ISDIR(Status.st_mode))
        StopRun(ExitRefused, "standard input is a folder, not a session script");
    return {new LineInput(0), isatty(0) == 1, "standard input"};
}

// The project's own plugin is built, not checked in: say how to get it.
std::string MissingPluginHint(const std::string& Plugin) {
    if (access(Plugin.c_str(), F_OK) == 0 || FileNameOf(Plugin) != "qelfar.dll")
        return "";
    return " (make demo, or make dll, builds " QELFAR_PACKAGED_DLL ")";
}

std::string RegistryFile; // --registry's, saved at the end

// The session's end: its temporary folder goes, and the registry is saved
// when the session went through.
void EndSession(bool Finished) {
    RemoveSessionTemporaryFolder();
    if (!Finished || RegistryFile.empty())
        return;
    std::string Error = SaveRegistryFile(RegistryFile);
    if (!Error.empty())
        StopRun(ExitStopped, "%s", Escaped(Error).c_str());
}

// --registry's file, read before the plugin can read its settings.
void LoadRegistry(const std::string& File) {
    if (File.empty())
        return;
    std::string Error = LoadRegistryFile(File);
    if (!Error.empty())
        StopRun(ExitRefused, "%s", Escaped(Error).c_str());
    RegistryFile = File;
}

int Run(int Count, char** Arguments) {
    unsigned Closed = PrepareStandardStreams();
    Options Chosen = ReadOptions(Count, Arguments);
    if (Closed & 2)
        StopRun(ExitRefused, "standard output is closed: the transcript has nowhere to go");
    if (Chosen.ListMessages)
        return ListMessages(Chosen);
    SessionInput Input = OpenCommands(Chosen.Script, (Closed & 1) != 0);

    PrepareMemoryProbe();
    ReportCrashes();
    SetCallLimit(Chosen.Timeout);
    CatchInterruptions();
    SetLoaderNoteHook(NoteFromLoader); // the plugin's start-up code may end the process
    LoadRegistry(Chosen.Registry);
    SetEndHook(EndSession);
    NotePluginFile(Chosen.Plugin);
    PluginModule Module;
    std::string Error = LoadPluginModule(Chosen.Plugin, Module);
    if (!Error.empty())
        StopRun(ExitRefused, "cannot load %s: %s%s", Chosen.Plugin.c_str(), Error.c_str(),
                MissingPluginHint(Chosen.Plugin).c_str());
    // Counted from here: the plugin's start-up code may allocate too.
    MakeHeapFailAfter(Chosen.HeapFailAfter);
    return RunSession(Module, Chosen, Input);
}

} // namespace

int main(int Count, char** Arguments) {
    try {
        FinishRun(Run(Count, Arguments));
    } catch (const std::exception& Error) { // thrown in qelhost's own frames only
        StopRun(ExitStopped, "qelhost could not go on: %s", Error.what());
    }
}
