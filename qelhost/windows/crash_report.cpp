#include "qelhost/windows/crash_report.hpp"
#include "qelhost/stop_run.hpp"

#include <signal.h>
#include <stdint.h>
#include <string.h>
#include <ucontext.h>

#include <initializer_list>

namespace {

uintptr_t ImageStart, ImageEnd;
const char* RunningEntryPoint;
// The plugin may have wrecked its stack; the report runs on its own.
alignas(16) unsigned char ReportStack[64 * 1024];

void OnFault(int Signal, siginfo_t* Info, void* Context) {
    uintptr_t Instruction = static_cast<ucontext_t*>(Context)->uc_mcontext.gregs[REG_EIP];
    if (Instruction >= ImageStart && Instruction < ImageEnd)
        StopRun(ExitStopped,
                "the plugin's code crashed in %s: %s at %p, at offset %#lx of its image",
                RunningEntryPoint ? RunningEntryPoint : "its start-up code", strsignal(Signal),
                Info->si_addr, static_cast<unsigned long>(Instruction - ImageStart));
    StopRun(ExitStopped, "the run crashed: %s at %p, instruction %#lx", strsignal(Signal),
            Info->si_addr, static_cast<unsigned long>(Instruction));
}

} // namespace

void ReportCrashes() {
    stack_t Stack{};
    Stack.ss_sp = ReportStack;
    Stack.ss_size = sizeof ReportStack;
    sigaltstack(&Stack, nullptr);
    struct sigaction Action;
    memset(&Action, 0, sizeof Action);
    Action.sa_sigaction = OnFault;
    Action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    for (int Signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT})
        sigaction(Signal, &Action, nullptr);
}

void NoteEntryPoint(const char* Name) {
    RunningEntryPoint = Name;
}

void NotePluginImage(const unsigned char* Base, size_t Size) {
    ImageStart = reinterpret_cast<uintptr_t>(Base);
    ImageEnd = ImageStart + Size;
}
