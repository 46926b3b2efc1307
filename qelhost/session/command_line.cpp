#include "qelhost/session/command_line.hpp"
#include "qelhost/counts.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <stdlib.h>

#include <vector>

#ifndef QELHOST_VERSION
#define QELHOST_VERSION "unknown"
#endif

namespace {

const char Usage[] =
    "usage: qelhost [--lang eng|rus] [--heap-fail-after N] [--timeout SECONDS]\n"
    "               [--drive C=DIR]... [--registry FILE] [--clock TIME|now]\n"
    "               [--env NAME=VALUE]... PLUGIN.dll [SCRIPT|-]\n"
    "       qelhost [--lang eng|rus] --messages PLUGIN.dll\n"
    "       qelhost -h|--help|--version\n"
    "Runs the plugin DLL in a simulated host: its start-up calls, then the session\n"
    "commands of SCRIPT (a file or a pipe), or of standard input, with a prompt on\n"
    "a terminal (type help there). Options may come anywhere; -- ends them.\n"
    "  --lang eng|rus         the language file to read (English by default)\n"
    "  --heap-fail-after N    the plugin's heap fails after N more allocations\n"
    "  --timeout SECONDS      a call into the plugin that has not returned after\n"
    "                         SECONDS is stopped (30 by default; 0: no limit)\n"
    "  --drive C=DIR          the plugin's drive C: is the folder DIR (repeatable; on\n"
    "                         Linux C: is the current folder unless given)\n"
    "  --registry FILE        the plugin's registry: read from this REGEDIT4 file,\n"
    "                         saved back at the end (empty without it)\n"
    "  --clock TIME|now       the plugin's clock, as 'YYYY-MM-DD HH:MM:SS', starts\n"
    "                         there (2009-06-15 12:00:00 by default)\n"
    "  --env NAME=VALUE       a variable of the plugin's environment (repeatable)\n"
    "  --messages             list the language file's messages and stop\n"
    "Exit status: 0 after the session; 2 when the arguments or the DLL are refused;\n"
    "3 when the session cannot go on (a script mistake, the plugin's fault, a call\n"
    "past the timeout); 4 when qelhost's own code fails, a bug of qelhost; 5 when\n"
    "the plugin ends the process (exit, abort, ExitProcess); 128 + N when signal N\n"
    "interrupts it (130 for Ctrl-C).\n";

[[noreturn]] void UsageError(const std::string& Why) {
    StopRun(ExitRefused, "%s (run qelhost --help for the usage)", Escaped(Why).c_str());
}

void SetLanguage(Options& Result, const std::string& Value) {
    if (Value != "eng" && Value != "rus")
        UsageError("--lang takes eng or rus, not \"" + Value + "\"");
    Result.Language = Value == "eng" ? "English" : "Russian";
}

void SetHeapFailAfter(Options& Result, const std::string& Value) {
    switch (ReadCount(Value, Result.HeapFailAfter)) {
    case CountRead::NotANumber:
        UsageError("--heap-fail-after takes a count, not \"" + Value + "\"");
    case CountRead::TooLarge:
        UsageError("--heap-fail-after takes a count of at most " + std::to_string(MaxCount) +
                   ", not " + Value);
    case CountRead::Whole:
        break;
    }
}

// An option whose value a gate part reads; its reason is the usage line.
void Take(const std::string& Error) {
    if (!Error.empty())
        UsageError(Error);
}

// The longest --timeout: a day.
constexpr long MostTimeout = 86400;

void SetTimeout(Options& Result, const std::string& Value) {
    long Seconds = 0;
    CountRead Read = ReadCount(Value, Seconds);
    if (Read == CountRead::NotANumber)
        UsageError("--timeout takes seconds, not \"" + Value + "\"");
    if (Read == CountRead::TooLarge || Seconds > MostTimeout)
        UsageError("--timeout takes at most " + std::to_string(MostTimeout) + " seconds, not " +
                   Value);
    Result.Timeout = static_cast<unsigned>(Seconds);
}

void AddDrive(Options&, const std::string& Value) {
    Take(MapDrive(Value));
}
void SetSessionClock(Options&, const std::string& Value) {
    Take(SetClock(Value));
}
void AddVariable(Options&, const std::string& Value) {
    Take(AddEnvironment(Value));
}
void SetRegistry(Options& Result, const std::string& Value) {
    if (Value.empty())
        UsageError("--registry names no file");
    Result.Registry = Value;
}

struct ValueOption {
    const char* Name;
    void (*Read)(Options&, const std::string&);
};
const ValueOption ValueOptions[] = {
    {"--lang", SetLanguage},   {"--heap-fail-after", SetHeapFailAfter},
    {"--drive", AddDrive},     {"--clock", SetSessionClock},
    {"--env", AddVariable},    {"--registry", SetRegistry},
    {"--timeout", SetTimeout},
};

// Option is "--name" or "--name=value"; Next gives the following argument.
template <typename NextArgument>
void ReadOption(Options& Result, const std::string& Option, NextArgument Next) {
    size_t Equals = Option.find('=');
    std::string Name = Option.substr(0, Equals);
    if (Name == "-h" || Name == "--help") {
        fputs(Usage, stdout);
        FinishRun(0);
    } else if (Name == "--version") {
        printf("qelhost %s\n", QELHOST_VERSION);
        FinishRun(0);
    } else if (Name == "--messages" && Equals == std::string::npos) {
        Result.ListMessages = true;
    } else {
        for (const ValueOption& Known : ValueOptions)
            if (Name == Known.Name) {
                Known.Read(Result,
                           Equals != std::string::npos ? Option.substr(Equals + 1) : Next(Name));
                return;
            }
        UsageError("unknown option " + Option);
    }
}

} // namespace

Options ReadOptions(int Count, char** Arguments) {
    Options Result;
    std::vector<std::string> Plain;
    bool OptionsEnded = false;
    for (int I = 1; I < Count; ++I) {
        std::string Argument = Arguments[I];
        if (OptionsEnded || Argument == "-" || Argument.empty() || Argument[0] != '-') {
            Plain.push_back(Argument);
        } else if (Argument == "--") {
            OptionsEnded = true;
        } else {
            ReadOption(Result, Argument, [&](const std::string& Name) {
                if (I + 1 >= Count)
                    UsageError(Name + " needs a value");
                return std::string(Arguments[++I]);
            });
        }
    }
    if (Plain.empty())
        UsageError("name the plugin DLL");
    if (Plain.size() > (Result.ListMessages ? 1u : 2u))
        UsageError("too many arguments: \"" + Plain.back() + "\"");
    Result.Plugin = Plain[0];
    if (Plain.size() > 1)
        Result.Script = Plain[1];
    return Result;
}

std::string FolderOf(const std::string& Path) {
    size_t Slash = Path.find_last_of(PathSeparators);
    return Slash == std::string::npos ? "." : Slash == 0 ? "/" : Path.substr(0, Slash);
}
