// A fault ends the run with one message on standard error that says whose it
// is: the plugin's (in its code, in a Windows stand-in on what the plugin
// handed it, or a jump to where there is no code), exit status 3; or
// qelhost's own, a bug, exit status 4.
#pragma once

#include <stddef.h>

void ReportCrashes();

// Where the plugin's image lies, to tell its faults from qelhost's own.
void NotePluginImage(const unsigned char* Base, size_t Size);

// The plugin's entry point now running (a static text), or null between
// calls; a fault in the plugin's code is reported with it.
void NoteEntryPoint(const char* Name);

// On a stand-in that reads or writes the plugin's memory, or hands its
// pointers to the C library: the sanitized build leaves that memory (and
// null pointers) to the crash report, as the plugin's own code is not
// checked either.
#define TOUCHES_PLUGIN_MEMORY __attribute__((no_sanitize("address", "nonnull-attribute")))

// What a stand-in the plugin called works on: pointers it handed over, or
// the heap its blocks lie in (which its overruns corrupt).
enum class PluginInput { Pointers, Heap };

// While one lives, the code running uses what the plugin handed Function (a
// static text, "msvcrt.dll!strlen"), so a fault is the plugin's. They nest.
class UsingPluginArguments {
  public:
    explicit UsingPluginArguments(const char* Function, PluginInput What = PluginInput::Pointers);
    ~UsingPluginArguments();
    UsingPluginArguments(const UsingPluginArguments&) = delete;
    UsingPluginArguments& operator=(const UsingPluginArguments&) = delete;

  private:
    const char* OuterFunction;
    PluginInput OuterWhat;
};

// Ends the run (status 3) for a fault of the plugin's found without a
// signal: "the plugin's code failed in ENTRY: " and the message.
[[noreturn]] void StopAsPluginFault(const char* Format, ...) __attribute__((format(printf, 1, 2)));
