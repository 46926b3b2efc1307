// Counts the plugin's heap calls and makes them fail on demand. The test
// programs are linked with --wrap=malloc/calloc/free, so statically linked
// code (the plugin, and GoogleTest too) comes here; the hooks therefore track
// the blocks handed out since the last reset, and a release counts only when
// it returns one of them.
#pragma once

#include <stddef.h>

struct HeapHooks {
    long Allocations; // blocks handed out since the last reset
    long Releases;    // of those, the ones released again
    long FailAfter;   // allocations still allowed before failing; -1: never fail
};

extern HeapHooks TheHeapHooks;

void ResetHeapHooks();
long LiveAllocations();
