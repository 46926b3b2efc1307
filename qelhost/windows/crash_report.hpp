// A fault in the plugin's code (or in qelhost serving it) ends the run with
// a message and exit status 3 instead of a bare crash.
#pragma once

#include <stddef.h>

void ReportCrashes();

// Where the plugin's image lies, to tell its faults from qelhost's own.
void NotePluginImage(const unsigned char* Base, size_t Size);

// The plugin's entry point now running (a static text), or null between
// calls; a fault in the plugin's code is reported with it.
void NoteEntryPoint(const char* Name);
