#include "qelhost/stop_run.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

void StopRun(int Status, const char* Format, ...) {
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
