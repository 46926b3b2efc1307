// Counts the plugin's heap calls and makes them fail on demand. The plugin's
// objects are linked with --wrap, so only their calls come here.
#pragma once

#include <stddef.h>

struct HeapHooks {
    long Allocations;  // successful allocations so far
    long Releases;     // non-null releases so far
    long FailAfter;    // allocations still allowed before failing; -1: never fail
};

extern HeapHooks TheHeapHooks;

void ResetHeapHooks();
long LiveAllocations();
