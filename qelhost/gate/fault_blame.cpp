#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/call_gate_assembly.hpp"
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>

namespace {

uintptr_t ImageStart, ImageEnd;
const char* volatile EntryRunning;
const char* volatile CallbackRunning; // called back from inside a service
const char* volatile ArgumentsOf;     // the stand-in using the plugin's arguments
volatile PluginInput ArgumentsAre;

// Message = "the plugin's code HOW[ in WHERE]: " and the text, WHERE as
// NameRunningCode names it.
void PluginFault(char* Message, size_t Size, const char* How, const char* Format,
                 va_list Arguments) {
    char Where[RunningCodeSize];
    int At = NameRunningCode(Where, sizeof Where)
                 ? snprintf(Message, Size, "the plugin's code %s in %s: ", How, Where)
                 : snprintf(Message, Size, "the plugin's code %s: ", How);
    vsnprintf(Message + At, Size - At, Format, Arguments);
}

__attribute__((format(gnu_printf, 3, 4))) void Crashed(char* Message, size_t Size,
                                                       const char* Format, ...) {
    va_list Arguments;
    va_start(Arguments, Format);
    PluginFault(Message, Size, "crashed", Format, Arguments);
    va_end(Arguments);
}

// Describes the fault in Message if it is the plugin's: in its code, in a
// function using what it handed over, a call or jump to where no code is (a
// call leaves its return address on top of the stack), qelhost's thread
// storage segment or the flags changed under it, the stack moved away.
bool BlamePlugin(const Fault& F, char* Message, size_t Size) {
    uintptr_t Return = 0;
    const char* Function = ArgumentsOf != nullptr ? ArgumentsOf : F.SystemFunction;
    if (F.BadJump &&
        CopyFromPlugin(&Return, reinterpret_cast<const void*>(F.Stack), sizeof Return) &&
        InPluginImage(Return))
        Crashed(Message, Size,
                "it called 0x%lx, where there is no code, at offset 0x%lx of its image", F.Address,
                static_cast<unsigned long>(Return - ImageStart));
    else if (InPluginImage(F.Instruction))
        Crashed(Message, Size, "%s, at offset 0x%lx of its image", F.What,
                static_cast<unsigned long>(F.Instruction - ImageStart));
    else if (ArgumentsOf != nullptr && ArgumentsAre == PluginInput::Heap)
        Crashed(Message, Size,
                "%s found the heap corrupted, as by writes past the plugin's blocks (%s)",
                ArgumentsOf, F.What);
    else if (Function != nullptr)
        Crashed(Message, Size, "%s was handed a bad %s (%s)", Function,
                F.OfMemory ? "pointer" : "argument", F.What);
    else if (F.GsChanged)
        Crashed(Message, Size,
                "it changed the segment register gs, which qelhost's own code uses (%s)", F.What);
    else if (F.FlagsSet)
        Crashed(Message, Size, "it left the trap or alignment-check flag set (%s)", F.What);
    else if (F.OffStack && EntryRunning != nullptr)
        Crashed(Message, Size, "it moved the stack pointer off the stack, to 0x%lx (%s)",
                static_cast<unsigned long>(F.Stack), F.What);
    else if (F.StackInQelhost && EntryRunning != nullptr)
        Crashed(Message, Size,
                "it moved the stack pointer into qelhost's own stack frames, to 0x%lx (%s)",
                static_cast<unsigned long>(F.Stack), F.What);
    else if (F.FrameOverwritten && EntryRunning != nullptr)
        Crashed(Message, Size, "it wrote over qelhost's own stack frames (%s)", F.What);
    else if (F.BadJump && EntryRunning != nullptr)
        Crashed(Message, Size, "it jumped to 0x%lx, where there is no code", F.Address);
    else if (!F.InQelhostCode && EntryRunning != nullptr)
        Crashed(Message, Size,
                "the C library faulted on data of qelhost's that the plugin wrote over "
                "(%s, instruction 0x%lx)",
                F.What, static_cast<unsigned long>(F.Instruction));
    else
        return false;
    return true;
}

} // namespace

void NameFault(char (&What)[64], const char* Kind, bool OfMemory, unsigned long Address) {
    snprintf(What, sizeof What, OfMemory ? "%s at 0x%lx" : "%s", Kind, Address);
}

void ReadGateFrame(Fault& F) {
    uintptr_t Frame = PluginCallFrame();
    uint32_t Canary = 0;
    F.StackInQelhost = Frame != 0 && F.Stack > Frame;
    F.FrameOverwritten =
        Frame != 0 &&
        (!CopyFromPlugin(&Canary, reinterpret_cast<const void*>(Frame), sizeof Canary) ||
         (Canary ^ GATE_CANARY) != Frame);
}

void NotePluginImage(const void* Base, size_t Size) {
    ImageStart = reinterpret_cast<uintptr_t>(Base);
    ImageEnd = ImageStart + Size;
}

bool InPluginImage(uintptr_t Address) {
    return Address >= ImageStart && Address < ImageEnd;
}

void NoteEntryPoint(const char* Name) {
    EntryRunning = Name;
}

const char* RunningEntryPoint() {
    return EntryRunning;
}

const char* NoteCallback(const char* Name) {
    const char* Outer = CallbackRunning;
    CallbackRunning = Name;
    return Outer;
}

bool NameRunningCode(char* Text, size_t Size) {
    const char* Entry = EntryRunning;
    const char* Callback = CallbackRunning;
    if (Callback != nullptr && Entry != nullptr)
        snprintf(Text, Size, "%s, during %s", Callback, Entry);
    else
        snprintf(Text, Size, "%s", Callback != nullptr ? Callback : Entry != nullptr ? Entry : "");
    return Callback != nullptr || Entry != nullptr;
}

UsingPluginArguments::UsingPluginArguments(const char* Function, PluginInput What)
    : OuterFunction(ArgumentsOf), OuterWhat(ArgumentsAre) {
    ArgumentsOf = Function;
    ArgumentsAre = What;
}

UsingPluginArguments::~UsingPluginArguments() {
    ArgumentsOf = OuterFunction;
    ArgumentsAre = OuterWhat;
}

int BlameFault(const Fault& F, char* Message, size_t Size) {
    if (BlamePlugin(F, Message, Size))
        return ExitStopped;
    const char* Entry = EntryRunning;
    snprintf(Message, Size,
             "qelhost's own code crashed, a bug in qelhost: %s, instruction 0x%lx%s%s", F.What,
             static_cast<unsigned long>(F.Instruction), Entry ? ", while the plugin ran " : "",
             Entry ? Entry : "");
    return ExitQelhostFault;
}

void StopAsPluginFault(const char* Format, ...) {
    static char Message[1024];
    va_list Arguments;
    va_start(Arguments, Format);
    PluginFault(Message, sizeof Message, "failed", Format, Arguments);
    va_end(Arguments);
    StopRunWith(ExitStopped, Message);
}
