#include "qelhost/windows/crash_report.hpp"
#include "qelhost/stop_run.hpp"
#include "qelhost/windows/fault_cause.hpp"

#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t Reporting;
unsigned short QelhostGs;        // the segment of qelhost's thread storage
struct sigaction Previous[NSIG]; // the sanitizer's handlers, in that build

// The report runs on its own stack (the plugin may have wrecked the one in
// use) and formats into static storage: no allocation, no unwinding.
alignas(16) unsigned char ReportStack[64 * 1024];
char Message[1024];

void WriteAll(const char* Text, size_t Length) {
    while (Length > 0) {
        ssize_t Written = write(STDERR_FILENO, Text, Length);
        if (Written <= 0)
            return;
        Text += Written;
        Length -= static_cast<size_t>(Written);
    }
}

void WriteMessage() {
    WriteAll("qelhost: ", 9);
    WriteAll(Message, strnlen(Message, sizeof Message));
    WriteAll("\n", 1);
}

[[noreturn]] void Finish(int Status) {
    fflush(stdout); // the transcript so far, before the message
    WriteMessage();
    _exit(Status);
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

__attribute__((no_sanitize("address"), no_stack_protector)) void
OnFault(int Signal, siginfo_t* Info, void* Context) {
    RestoreQelhostState();
    if (Reporting) { // no library call: the report itself faulted
        const char Text[] = "qelhost: a second fault while reporting a fault\n";
        syscall(SYS_write, STDERR_FILENO, Text, sizeof Text - 1);
        syscall(SYS_exit_group, ExitQelhostFault);
    }
    Reporting = 1;
    int Status = DescribeFault(Signal, *Info, static_cast<ucontext_t*>(Context)->uc_mcontext,
                               Message, sizeof Message);
#if defined(__SANITIZE_ADDRESS__)
    // In the sanitized build a fault of qelhost's own goes on to the
    // sanitizer's handler, whose report shows where it happened.
    if (Status == ExitQelhostFault && (Signal == SIGSEGV || Signal == SIGBUS) &&
        (Previous[Signal].sa_flags & SA_SIGINFO) != 0) {
        WriteMessage();
        sigaction(Signal, &Previous[Signal], nullptr);
        Reporting = 0;
        return; // the instruction faults again, now into that handler
    }
#endif
    Finish(Status);
}

} // namespace

void ReportCrashes() {
    stack_t Stack{};
    Stack.ss_sp = ReportStack;
    Stack.ss_size = sizeof ReportStack;
    sigaltstack(&Stack, nullptr);
    asm volatile("movw %%gs, %0" : "=r"(QelhostGs));
    NoteQelhostState(QelhostGs);
    struct sigaction Action;
    memset(&Action, 0, sizeof Action);
    Action.sa_sigaction = OnFault;
    // No SA_RESETHAND: a fault while reporting comes back here (SA_NODEFER)
    // rather than killing the process with a signal.
    Action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    for (int Signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT})
        sigaction(Signal, &Action, &Previous[Signal]);
}

void StopAsPluginFault(const char* Format, ...) {
    va_list Arguments;
    va_start(Arguments, Format);
    DescribePluginFailure(Message, sizeof Message, Format, Arguments);
    va_end(Arguments);
    Finish(ExitStopped);
}
