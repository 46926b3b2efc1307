#include "qelhost/stop_run.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

bool EndChosen = false; // by qelhost: its message, if any, is written

void OnExit(int Status, void*) {
    if (EndChosen)
        return;
    fflush(stdout);
    fprintf(stderr, "qelhost: the plugin ended the process with status %d\n", Status);
}

} // namespace

void StopRun(int Status, const char* Format, ...) {
    EndChosen = true;
    fflush(stdout);
    fputs("qelhost: ", stderr);
    va_list Arguments;
    va_start(Arguments, Format);
    vfprintf(stderr, Format, Arguments);
    va_end(Arguments);
    fputc('\n', stderr);
    // No unwinding: the caller may be a frame of the plugin's code.
    exit(Status);
}

void ReportPluginExits() {
    on_exit(OnExit, nullptr);
}

int FinishRun(int Status) {
    EndChosen = true;
    return Status;
}
