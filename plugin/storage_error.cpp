#include "plugin/storage_error.hpp"

#include <stdio.h>
#include <stdlib.h>

// fputc only: the heap is exhausted, so nothing here may allocate.
static void WriteText(const char* Text) {
    for (; *Text != '\0'; ++Text)
        fputc(*Text, stderr);
}

void RaiseStorageError() {
    WriteText("\nraised STORAGE_ERROR : heap exhausted\n");
    exit(1);
}
