// The Linux qelhost's crash report: signals, handled on a stack of their own.
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/linux/qelhost_state.hpp"
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <initializer_list>

unsigned short QelhostGs;

namespace {

volatile sig_atomic_t Reporting;
uintptr_t StackLow = 0, StackHigh = UINTPTR_MAX; // the thread's stack, where known
struct sigaction Previous[NSIG];                 // the sanitizer's handlers, in that build

// The report runs on its own stack (the plugin may have wrecked the one in
// use) and formats into static storage: no allocation, no unwinding.
alignas(16) unsigned char ReportStack[64 * 1024];
char Message[1024];

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

// qelhost's own program: from the start of its image to the end of its code.
extern "C" char __executable_start[], etext[];

bool InQelhostCode(uintptr_t Address) {
    return Address >= reinterpret_cast<uintptr_t>(__executable_start) &&
           Address < reinterpret_cast<uintptr_t>(etext);
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

// The environment's strings lie at the top of the process's stack, above
// every frame of qelhost's: a plugin whose writes run up the stack wrecks
// them before it faults, and the end of the run that reports the fault
// reads them (the coverage build's count files look up GCOV_PREFIX). A copy
// in qelhost's own heap keeps them whole; without memory for it, the
// environment stays where it is.
void MoveEnvironmentOffTheStack() {
    size_t Count = 0;
    while (environ[Count] != nullptr)
        ++Count;
    auto Copy = static_cast<char**>(calloc(Count + 1, sizeof(char*)));
    if (Copy == nullptr)
        return;
    for (size_t I = 0; I < Count; ++I)
        if ((Copy[I] = strdup(environ[I])) == nullptr) {
            while (I > 0)
                free(Copy[--I]);
            free(Copy);
            return;
        }
    environ = Copy;
}

int Blame(int Signal, const siginfo_t& Info, const mcontext_t& Registers) {
    char What[64];
    unsigned long Address = reinterpret_cast<uintptr_t>(Info.si_addr);
    bool OfMemory = Signal == SIGSEGV || Signal == SIGBUS;
    NameFault(What, SignalName(Signal), OfMemory, Address);
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
            Stack < StackLow || Stack > StackHigh,
            false,
            false,
            InQelhostCode(Instruction),
            nullptr};
    ReadGateFrame(F);
    return BlameFault(F, Message, sizeof Message);
}

SIGNAL_HANDLER void OnFault(int Signal, siginfo_t* Info, void* Context) {
    RestoreQelhostState();
    if (Reporting) { // no library call: the report itself faulted
        // Past its line, only the process's end faulted, in memory the
        // plugin wrecked (the coverage build writes its counts there).
        if (int Written = WrittenEndStatus(); Written >= 0)
            syscall(SYS_exit_group, Written);
        const char Text[] = "qelhost: a second fault while reporting a fault\n";
        syscall(SYS_write, STDERR_FILENO, Text, sizeof Text - 1);
        syscall(SYS_exit_group, ExitQelhostFault);
    }
    Reporting = 1;
    int Status = Blame(Signal, *Info, static_cast<ucontext_t*>(Context)->uc_mcontext);
#if defined(__SANITIZE_ADDRESS__)
    // In the sanitized build a fault of qelhost's own goes on to the
    // sanitizer's handler, whose report shows where it happened.
    if (Status == ExitQelhostFault && (Signal == SIGSEGV || Signal == SIGBUS) &&
        (Previous[Signal].sa_flags & SA_SIGINFO) != 0) {
        dprintf(STDERR_FILENO, "qelhost: %s\n", Message);
        sigaction(Signal, &Previous[Signal], nullptr);
        Reporting = 0;
        return; // the instruction faults again, now into that handler
    }
#endif
    StopRunWith(Status, Message);
}

} // namespace

void ReportCrashes() {
    stack_t Stack{};
    Stack.ss_sp = ReportStack;
    Stack.ss_size = sizeof ReportStack;
    sigaltstack(&Stack, nullptr);
    NoteQelhostState();
    NoteStackBounds();
    MoveEnvironmentOffTheStack();
    PrepareMemoryProbe(); // the report reads the stack through it
    struct sigaction Action;
    memset(&Action, 0, sizeof Action);
    Action.sa_sigaction = OnFault;
    // No SA_RESETHAND: a fault while reporting comes back here (SA_NODEFER)
    // rather than killing the process with a signal.
    Action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    for (int Signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT})
        sigaction(Signal, &Action, &Previous[Signal]);
}
