// Whose a fault is. A fault ends the run with one message on standard error
// that says whose it is: the plugin's, exit status 3; or qelhost's own, a
// bug, exit status 4. Each platform catches faults its own way
// (ReportCrashes, platform.hpp). Both crash reports describe a fault alike (a
// Fault record) and get the same words and status from here: the plugin's
// (in its image, in a run-time function it handed a bad pointer or whose
// heap it corrupted, a jump to where no code is, registers or flags it left
// wrong), or qelhost's own. What it knows of the plugin is noted as the run
// goes: the image, the entry point running, the function using the plugin's
// arguments.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

// On a stand-in that reads or writes the plugin's memory, or hands its
// pointers to the C library: the sanitized build leaves that memory (and
// null pointers) to the crash report, as the plugin's own code is not
// checked either.
#if defined(__SANITIZE_ADDRESS__)
#define TOUCHES_PLUGIN_MEMORY __attribute__((no_sanitize("address", "nonnull-attribute")))
#else
#define TOUCHES_PLUGIN_MEMORY
#endif

constexpr unsigned TrapFlag = 0x100;             // in eflags
constexpr unsigned AlignmentCheckFlag = 0x40000; // in eflags

// A fault's words, in What: its Kind ("segmentation fault"), and for a fault
// of memory the address accessed ("segmentation fault at 0x10").
void NameFault(char (&What)[64], const char* Kind, bool OfMemory, unsigned long Address);

struct Fault {
    const char* What;      // as NameFault words it
    unsigned long Address; // what was accessed, for a fault of memory
    uintptr_t Instruction, Stack;
    bool OfMemory;  // a segmentation fault or bus error
    bool BadJump;   // the instruction itself could not be fetched
    bool GsChanged; // from the segment qelhost's code uses
    bool FlagsSet;  // the trap or alignment-check flag, which qelhost never sets
    bool OffStack;  // the stack pointer elsewhere than the thread's stack
    // While a call into the plugin runs: the stack pointer above the call
    // gate's frame, in qelhost's own frames, or that frame written over
    // (GateFrameState reads both).
    bool StackInQelhost;
    bool FrameOverwritten;
    // The faulting instruction is in qelhost's own program, not in the C
    // library or another system library it uses.
    bool InQelhostCode;
    // A system DLL's function that faulted on what the plugin handed it
    // ("msvcrt.dll!strlen"), where the loader leaves the plugin's calls to
    // the system's own run-time; else null.
    const char* SystemFunction;
};

// Where the plugin's image lies, to tell its faults from qelhost's own.
void NotePluginImage(const void* Base, size_t Size);
bool InPluginImage(uintptr_t Address);

// The plugin's entry point now running (a static text), or null between
// calls; a fault in the plugin's code is reported with it.
void NoteEntryPoint(const char* Name);
const char* RunningEntryPoint();

// The plugin's function a service is calling back now (a static text, "the
// dialog procedure of DialogEx"), or null; a fault in it is reported as in
// it, during the entry point running. Returns the one noted before, which
// the caller notes again after the call (they nest).
const char* NoteCallback(const char* Name);

// Where the plugin's code runs, as every line that blames it names it
// ("OpenPlugin", "the dialog procedure of DialogEx, during OpenPlugin"),
// into Text; false, Text empty, when none of it runs. Safe in a handler.
constexpr size_t RunningCodeSize = 160;
bool NameRunningCode(char* Text, size_t Size);

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

// What the innermost call gate's frame says of a fault's stack pointer
// Stack: sets StackInQelhost and FrameOverwritten of F. Reads memory only
// through the copies of plugin_memory.hpp: a fault handler calls it.
void ReadGateFrame(Fault& F);

// Writes into Message what the fault was and whose; returns the exit status:
// ExitStopped for the plugin's, ExitQelhostFault for qelhost's own. Formats
// into Message only: a fault handler calls it.
int BlameFault(const Fault& F, char* Message, size_t Size);

// Ends the run (status 3) for a fault of the plugin's found without a
// signal: "the plugin's code failed[ in ENTRY]: " and the message, or in a
// callback "the plugin's code failed in CALLBACK, during ENTRY: ".
[[noreturn]] void StopAsPluginFault(const char* Format, ...)
    __attribute__((format(gnu_printf, 1, 2)));
