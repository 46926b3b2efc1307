// Ending a run of qelhost. Every end goes through here: the transcript is
// flushed first, and a run that ends for any reason but a finished session
// says why in one "qelhost:" line on standard error, the last word.
//
// Which status when:
//   0                 the session went through (also after Ctrl-D, quit or
//                     exit), and its transcript was written;
//   the plugin's own  the plugin ended the process (exit, ExitProcess);
//   ExitRefused       before the session starts: the arguments, the standard
//                     streams, the script or the DLL cannot be used;
//   ExitStopped       the session cannot go on: a script mistake or an answer
//                     that does not fit, something the plugin handed over that
//                     cannot be used, a fault of the plugin, a transcript that
//                     cannot be written;
//   ExitQelhostFault  a fault in qelhost's own code: a bug.
#pragma once

constexpr int ExitRefused = 2;
constexpr int ExitStopped = 3;
constexpr int ExitQelhostFault = 4;

// Ends the run from anywhere, plugin frames included (nothing unwinds):
// "qelhost: MESSAGE" on standard error after the transcript.
[[noreturn]] void StopRun(int Status, const char* Format, ...)
    __attribute__((format(gnu_printf, 2, 3)));

// The same with the message made already; allocates nothing, so a fault
// handler may call it.
[[noreturn]] void StopRunWith(int Status, const char* Message);

// What the session does at every end but a fault's (a fault handler calls
// StopRunWith, which skips it): Finished tells a run that went through
// (FinishRun) from one stopped. Called once; it may stop the run itself.
void SetEndHook(void (*Hook)(bool Finished));

// The end of a run that went through: Status, unless the transcript could
// not be written, which stops the run instead.
[[noreturn]] void FinishRun(int Status);
