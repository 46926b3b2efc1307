// Ending a run of qelhost, and its exit statuses besides 0 and the plugin's
// own exit status.
#pragma once

constexpr int ExitRefused = 2; // bad options, or the DLL cannot be loaded
constexpr int ExitStopped = 3; // the session cannot go on

// Ends the run from anywhere, plugin frames included: writes
// "qelhost: MESSAGE" to standard error after flushing the transcript.
[[noreturn]] void StopRun(int Status, const char* Format, ...)
    __attribute__((format(printf, 2, 3)));
