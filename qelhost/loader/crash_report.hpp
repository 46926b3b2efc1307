// A fault ends the run with one message on standard error that says whose it
// is (fault_blame.hpp): the plugin's, exit status 3; or qelhost's own, a
// bug, exit status 4. Each loader catches faults its platform's way: signals
// on Linux, a vectored exception handler on Windows.
#pragma once

// Once, before the plugin loads.
void ReportCrashes();

// On a stand-in that reads or writes the plugin's memory, or hands its
// pointers to the C library: the sanitized build leaves that memory (and
// null pointers) to the crash report, as the plugin's own code is not
// checked either.
#if defined(__SANITIZE_ADDRESS__)
#define TOUCHES_PLUGIN_MEMORY __attribute__((no_sanitize("address", "nonnull-attribute")))
#else
#define TOUCHES_PLUGIN_MEMORY
#endif
