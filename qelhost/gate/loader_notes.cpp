#include "qelhost/gate/loader_notes.hpp"

#include <stdarg.h>
#include <stdio.h>

namespace {

LoaderNoteHook Hook = nullptr;

} // namespace

void SetLoaderNoteHook(LoaderNoteHook Given) {
    Hook = Given;
}

void LoaderNote(const char* Format, ...) {
    if (Hook == nullptr)
        return;
    char Text[256];
    va_list Arguments;
    va_start(Arguments, Format);
    vsnprintf(Text, sizeof Text, Format, Arguments);
    va_end(Arguments);
    Hook(Text);
}
