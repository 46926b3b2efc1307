// Whose a fault is, for the crash report: what it knows of the plugin (its
// image, the entry point running, the stand-in using its arguments) and of
// qelhost's own state (stack, gs), and the description of a fault.
#pragma once

#include <signal.h>
#include <stdarg.h>
#include <stddef.h>
#include <ucontext.h>

constexpr unsigned AlignmentCheckFlag = 0x40000; // in eflags

// Once, before any fault: qelhost's own gs and stack, and the pipe through
// which memory is read without faulting again.
void NoteQelhostState(unsigned short Gs);

// Writes into Message what the fault was and whose; returns the exit status:
// ExitStopped for the plugin's, ExitQelhostFault for qelhost's own.
int DescribeFault(int Signal, const siginfo_t& Info, const mcontext_t& Registers, char* Message,
                  size_t Size);

// Writes into Message "the plugin's code failed[ in ENTRY]: " and the text.
void DescribePluginFailure(char* Message, size_t Size, const char* Format, va_list Arguments);
