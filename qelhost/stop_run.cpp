#include "qelhost/stop_run.hpp"
#include "qelhost/platform.hpp"

#include <errno.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

char Message[1024]; // static: a fault handler may be the caller
volatile sig_atomic_t WrittenStatus = -1;
void (*EndHook)(bool Finished) = nullptr;

void RunEndHook(bool Finished) {
    void (*Hook)(bool) = EndHook;
    EndHook = nullptr; // once, also when it stops the run itself
    if (Hook != nullptr)
        Hook(Finished);
}

void WriteAll(const char* Text, size_t Length) {
    while (Length > 0) {
        ssize_t Written = write(2, Text, Length);
        if (Written <= 0)
            return;
        Text += Written;
        Length -= static_cast<size_t>(Written);
    }
}

} // namespace

void StopRunWith(int Status, const char* Text) {
    fflush(stdout); // the transcript so far, before the message
    fflush(stderr); // and what the plugin wrote there (on Windows, in the same C library)
    WriteAll("qelhost: ", 9);
    WriteAll(Text, strnlen(Text, sizeof Message));
    WriteAll("\n", 1);
    WrittenStatus = Status;
    EndProcess(Status);
}

int WrittenEndStatus() {
    return WrittenStatus;
}

void SetEndHook(void (*Hook)(bool Finished)) {
    EndHook = Hook;
}

void StopRun(int Status, const char* Format, ...) {
    RunEndHook(false);
    va_list Arguments;
    va_start(Arguments, Format);
    vsnprintf(Message, sizeof Message, Format, Arguments);
    va_end(Arguments);
    StopRunWith(Status, Message);
}

void FinishRun(int Status) {
    RunEndHook(true);
    errno = 0;
    if (fflush(stdout) != 0 || ferror(stdout))
        StopRun(ExitStopped, "cannot write the transcript to standard output: %s",
                errno != 0 ? strerror(errno) : "a write failed");
    fflush(stderr);
    EndProcess(Status);
}
