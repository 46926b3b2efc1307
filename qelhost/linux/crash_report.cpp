// The Linux qelhost's crash report: signals, handled on a stack of their own.
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t Reporting;
unsigned short QelhostGs;                        // the segment of qelhost's thread storage
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

// Code the plugin ran may have changed gs, which thread storage (errno, the
// sanitizer's state) needs, and set the alignment-check flag, which the
// kernel leaves set for the handler: both put back before anything else.
__attribute__((always_inline)) inline void RestoreQelhostState() {
    asm volatile("movw %0, %%gs\n\t"
                 "pushfl\n\t"
                 "andl %1, (%%esp)\n\t"
                 "popfl"
                 :
                 : "r"(QelhostGs), "i"(~AlignmentCheckFlag)
                 : "cc", "memory");
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
            nullptr};
    return BlameFault(F, Message, sizeof Message);
}

// The handler realigns the stack itself: the i386 ABI promises 16 bytes at
// every call, and the kernel keeps that for a signal frame, but an emulator
// may not (qemu-user 7 aligns it to 8), and the sanitizer's frames below
// (Blame) then lie 4 bytes off their redzones and report writes to their
// own variables.
__attribute__((no_sanitize("address"), no_stack_protector, force_align_arg_pointer)) void
OnFault(int Signal, siginfo_t* Info, void* Context) {
    RestoreQelhostState();
    if (Reporting) { // no library call: the report itself faulted
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
    asm volatile("movw %%gs, %0" : "=r"(QelhostGs));
    NoteStackBounds();
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
