// The report of an error that leaves an entry point: the host process ends.
#pragma once

// Writes an empty line and "raised STORAGE_ERROR : heap exhausted" to the
// standard error stream and exits the process with status 1.
[[noreturn]] void RaiseStorageError();
