// How qelhost's code and the plugin's Windows code call each other.
#pragma once

// Windows code keeps the stack 4-byte aligned, while 32-bit Linux code may
// rely on 16: every function the plugin calls realigns on entry.
#define PLUGIN_CDECL __attribute__((force_align_arg_pointer))
#define PLUGIN_STDCALL __attribute__((stdcall, force_align_arg_pointer))

// Exit statuses of qelhost besides 0 and the plugin's own exit status.
constexpr int ExitRefused = 2; // bad options, or the DLL cannot be loaded
constexpr int ExitStopped = 3; // the session cannot go on

// Ends the run from anywhere, plugin frames included: writes
// "qelhost: MESSAGE" to standard error after flushing the transcript.
[[noreturn]] void StopRun(int Status, const char* Format, ...)
    __attribute__((format(printf, 2, 3)));
