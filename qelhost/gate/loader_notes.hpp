// What the loader layers have to tell the user while the plugin runs (the
// plugin ending the process, its heap refusing an allocation) goes through
// one hook that the session sets: the loader layers write no transcript line.
#pragma once

typedef void (*LoaderNoteHook)(const char* Text);

void SetLoaderNoteHook(LoaderNoteHook Hook);

// Hands the formatted text to the hook; dropped while none is set.
void LoaderNote(const char* Format, ...) __attribute__((format(gnu_printf, 1, 2)));
