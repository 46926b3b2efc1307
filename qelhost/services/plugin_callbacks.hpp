// Calls from a service back into the plugin: the comparisons qsort, qsortex
// and bsearch are handed. Each is a nested call through the call gate,
// held to the calling convention, and a fault in it is the plugin's,
// inside the service that called it.
#pragma once

#include <initializer_list>

// The plugin's cdecl comparison at Function, called with Arguments; Name
// (a static text, "the comparison of FSF.qsort") names it in a fault's
// report.
int CallComparison(const char* Name, const void* Function,
                   std::initializer_list<const void*> Arguments);
