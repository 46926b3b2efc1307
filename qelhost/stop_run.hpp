// Ending a run of qelhost. Every end goes through here: the transcript is
// flushed first, and a run that ends for any reason but a finished session
// says why in one "qelhost:" line on standard error, the last word.
//
// Which status when (the outcomes):
//   0                 ok: the session went through (also after Ctrl-D, quit
//                     or exit), and its transcript was written;
//   ExitRefused       refused: before the session starts, the arguments, the
//                     standard streams, the script or the DLL cannot be used;
//   ExitStopped       the session cannot go on: a script stop (a mistake or
//                     an answer that does not fit, a transcript that cannot
//                     be written), the plugin's fault (in its code, or
//                     something it handed over that cannot be used), or a
//                     timeout (a call into it that did not return);
//   ExitQelhostFault  qelhost's fault: a fault in its own code, a bug;
//   ExitPluginEnded   the plugin ended the process (exit, _exit, abort,
//                     _amsg_exit, ExitProcess), whatever the value it gave;
//   128 + N           interrupted by signal N (SIGINT 130, SIGTERM 143,
//                     SIGHUP 129; Ctrl-C and Ctrl-Break on Windows 130).
#pragma once

constexpr int ExitRefused = 2;
constexpr int ExitStopped = 3;
constexpr int ExitQelhostFault = 4;
constexpr int ExitPluginEnded = 5;

// Ends the run from anywhere, plugin frames included (nothing unwinds):
// "qelhost: MESSAGE" on standard error after the transcript.
[[noreturn]] void StopRun(int Status, const char* Format, ...)
    __attribute__((format(gnu_printf, 2, 3)));

// The same with the message made already; allocates nothing, so a fault
// handler may call it.
[[noreturn]] void StopRunWith(int Status, const char* Message);

// The status of the run whose "qelhost:" line StopRunWith has written, or
// -1 before. A fault after that line, in the process's own end, is no new
// outcome: the fault handler ends with this status.
int WrittenEndStatus();

// What the session does at every end but a fault's (a fault handler calls
// StopRunWith, which skips it): Finished tells a run that went through
// (FinishRun) from one stopped. Called once; it may stop the run itself.
void SetEndHook(void (*Hook)(bool Finished));

// The end of a run that went through: Status, unless the transcript could
// not be written, which stops the run instead.
[[noreturn]] void FinishRun(int Status);
