// Ending a run of qelhost, and its exit statuses besides 0 and the plugin's
// own exit status.
#pragma once

constexpr int ExitRefused = 2;      // bad options, or the DLL cannot be loaded
constexpr int ExitStopped = 3;      // the session cannot go on
constexpr int ExitQelhostFault = 4; // a fault in qelhost's own code: a bug

// Ends the run from anywhere, plugin frames included: writes
// "qelhost: MESSAGE" to standard error after flushing the transcript.
[[noreturn]] void StopRun(int Status, const char* Format, ...)
    __attribute__((format(printf, 2, 3)));

// From here on, an end of the process that qelhost did not choose (the
// plugin calling exit) is reported on standard error too: "qelhost: the
// plugin ended the process with status N".
void ReportPluginExits();

// qelhost's own end of a run that went through: returns Status for main.
int FinishRun(int Status);
