#include "qelhost/windows/fault_cause.hpp"
#include "qelhost/stop_run.hpp"
#include "qelhost/windows/crash_report.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

uintptr_t ImageStart, ImageEnd;
const char* volatile RunningEntryPoint;
const char* volatile ArgumentsOf; // the stand-in using the plugin's arguments
volatile PluginInput ArgumentsAre;
unsigned short QelhostGs;                        // the segment of qelhost's thread storage
uintptr_t StackLow = 0, StackHigh = UINTPTR_MAX; // the thread's stack, where known
int Probe[2] = {-1, -1};                         // a pipe, to read memory that may not be readable
constexpr unsigned TrapFlag = 0x100;
char* Message; // where the description goes
size_t MessageSize;

const char* SignalName(int Signal) {
    switch (Signal) {
    case SIGSEGV:
        return "segmentation fault";
    case SIGBUS:
        return "bus error";
    case SIGILL:
        return "illegal instruction";
    case SIGFPE:
        return "arithmetic fault";
    case SIGTRAP:
        return "debug trap";
    default:
        return "abort";
    }
}

bool InImage(uintptr_t Address) {
    return Address >= ImageStart && Address < ImageEnd;
}

// The word at Address, through the pipe: an unreadable address makes the
// write fail (EFAULT) instead of faulting again. Plain system calls, as the
// sanitizer's write() would check the plugin's bytes itself.
bool ReadWord(uintptr_t Address, uintptr_t& Word) {
    const void* From = reinterpret_cast<const void*>(Address);
    return Probe[0] >= 0 && syscall(SYS_write, Probe[1], From, sizeof Word) == sizeof Word &&
           syscall(SYS_read, Probe[0], &Word, sizeof Word) == sizeof Word;
}

void NoteStackBounds() {
    pthread_attr_t Attributes;
    void* Low;
    size_t Size;
    if (pthread_getattr_np(pthread_self(), &Attributes) != 0)
        return;
    if (pthread_attr_getstack(&Attributes, &Low, &Size) == 0) {
        StackLow = reinterpret_cast<uintptr_t>(Low);
        StackHigh = StackLow + Size;
    }
    pthread_attr_destroy(&Attributes);
}

// Message = "the plugin's code crashed[ in ENTRY]: " and the text, or
// "failed" for a fault found without a signal.
void PluginFault(const char* How, const char* Format, va_list Arguments) {
    const char* Entry = RunningEntryPoint;
    int At = Entry ? snprintf(Message, MessageSize, "the plugin's code %s in %s: ", How, Entry)
                   : snprintf(Message, MessageSize, "the plugin's code %s: ", How);
    vsnprintf(Message + At, MessageSize - At, Format, Arguments);
}

__attribute__((format(printf, 1, 2))) void PluginFault(const char* Format, ...) {
    va_list Arguments;
    va_start(Arguments, Format);
    PluginFault("crashed", Format, Arguments);
    va_end(Arguments);
}

struct Fault {
    const char* What;      // "segmentation fault at 0x10", ...
    unsigned long Address; // what was accessed, for a fault of memory
    uintptr_t Instruction, Stack;
    bool OfMemory; // a segmentation fault or bus error
    bool BadJump;  // the instruction itself could not be fetched
    bool GsChanged;
    bool FlagsSet; // the trap or alignment-check flag, which qelhost never sets
    bool OffStack; // the stack pointer elsewhere than the thread's stack
};

// Describes the fault in Message if it is the plugin's: in its code, in a
// stand-in using what it handed over, a call or jump to where no code is (a
// call leaves its return address on top of the stack), or qelhost's thread
// storage segment changed under it.
bool DescribePluginFault(const Fault& F) {
    uintptr_t Return = 0;
    if (F.BadJump && ReadWord(F.Stack, Return) && InImage(Return))
        PluginFault("it called 0x%lx, where there is no code, at offset 0x%lx of its image",
                    F.Address, static_cast<unsigned long>(Return - ImageStart));
    else if (InImage(F.Instruction))
        PluginFault("%s, at offset 0x%lx of its image", F.What,
                    static_cast<unsigned long>(F.Instruction - ImageStart));
    else if (ArgumentsOf != nullptr && ArgumentsAre == PluginInput::Heap)
        PluginFault("%s found the heap corrupted, as by writes past the plugin's blocks (%s)",
                    ArgumentsOf, F.What);
    else if (ArgumentsOf != nullptr)
        PluginFault("%s was handed a bad %s (%s)", ArgumentsOf, F.OfMemory ? "pointer" : "argument",
                    F.What);
    else if (F.GsChanged)
        PluginFault("it changed the segment register gs, which qelhost's own code uses (%s)",
                    F.What);
    else if (F.FlagsSet)
        PluginFault("it left the trap or alignment-check flag set (%s)", F.What);
    else if (F.OffStack && RunningEntryPoint != nullptr)
        PluginFault("it moved the stack pointer off the stack, to 0x%lx (%s)",
                    static_cast<unsigned long>(F.Stack), F.What);
    else if (F.BadJump && RunningEntryPoint != nullptr)
        PluginFault("it jumped to 0x%lx, where there is no code", F.Address);
    else
        return false;
    return true;
}

// Describes the fault in Message; returns the exit status for it.
int Describe(int Signal, const siginfo_t& Info, const mcontext_t& Registers) {
    char What[64];
    unsigned long Address = reinterpret_cast<uintptr_t>(Info.si_addr);
    bool OfMemory = Signal == SIGSEGV || Signal == SIGBUS;
    snprintf(What, sizeof What, OfMemory ? "%s at 0x%lx" : "%s", SignalName(Signal), Address);
    auto Instruction = static_cast<uintptr_t>(Registers.gregs[REG_EIP]);
    auto Stack = static_cast<uintptr_t>(Registers.gregs[REG_ESP]);
    Fault F{What,
            Address,
            Instruction,
            Stack,
            OfMemory,
            OfMemory && Address == Instruction,
            static_cast<unsigned short>(Registers.gregs[REG_GS]) != QelhostGs,
            (Registers.gregs[REG_EFL] & (TrapFlag | AlignmentCheckFlag)) != 0,
            Stack < StackLow || Stack > StackHigh};
    if (DescribePluginFault(F))
        return ExitStopped;
    const char* Entry = RunningEntryPoint;
    snprintf(Message, MessageSize,
             "qelhost's own code crashed, a bug in qelhost: %s, instruction 0x%lx%s%s", What,
             static_cast<unsigned long>(F.Instruction), Entry ? ", while the plugin ran " : "",
             Entry ? Entry : "");
    return ExitQelhostFault;
}

} // namespace

void NoteQelhostState(unsigned short Gs) {
    QelhostGs = Gs;
    NoteStackBounds();
    if (pipe2(Probe, O_CLOEXEC | O_NONBLOCK) != 0)
        Probe[0] = -1;
}

int DescribeFault(int Signal, const siginfo_t& Info, const mcontext_t& Registers, char* Into,
                  size_t Size) {
    Message = Into;
    MessageSize = Size;
    return Describe(Signal, Info, Registers);
}

void DescribePluginFailure(char* Into, size_t Size, const char* Format, va_list Arguments) {
    Message = Into;
    MessageSize = Size;
    PluginFault("failed", Format, Arguments);
}

void NoteEntryPoint(const char* Name) {
    RunningEntryPoint = Name;
}

void NotePluginImage(const unsigned char* Base, size_t Size) {
    ImageStart = reinterpret_cast<uintptr_t>(Base);
    ImageEnd = ImageStart + Size;
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
