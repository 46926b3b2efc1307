// Where qelhost meets its platform: everything that differs between the
// Linux qelhost (qelhost/linux/) and qelhost.exe (qelhost/windows/) is
// declared here once, and each folder defines it its own way; CMake builds
// the folder of the target system. Nothing else in qelhost asks which
// system it runs on.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

struct PluginModule;

// ---- The process ----

// Ends the process at once with Status: no exit handlers, and on Windows
// no DLL_PROCESS_DETACH, which would run the plugin's code once more after
// its end was told.
[[noreturn]] void EndProcess(int Status);

// Fills a closed descriptor 0, 1 or 2 so that using it fails (EBADF) and no
// file qelhost opens takes its number; on Windows, puts the three in binary
// mode, so that bytes pass unchanged. Returns which were closed, as bits
// (1 << descriptor).
unsigned PrepareStandardStreams();

// ---- Files ----

// What separates a path's folders: on Windows either slash.
extern const char PathSeparators[];

// open() for reading a file qelhost's user named: never its controlling
// terminal, not inherited, bytes unchanged, and (NoWait) without waiting
// on a FIFO. Returns the descriptor, or -1 with errno set.
int OpenForReading(const char* Path, bool NoWait);

// ---- Faults, the watchdog, interruptions ----

// Once, before the plugin loads: a fault from here on ends the run with one
// message that says whose it is (gate/fault_blame.hpp): signals on Linux, a
// vectored exception handler on Windows.
void ReportCrashes();

// Once, before the plugin loads: the user's interruptions (SIGINT, SIGTERM
// and SIGHUP on Linux; Ctrl-C and Ctrl-Break from the console on Windows)
// and the alarm end the run through gate/watchdog.hpp, the transcript kept.
void CatchInterruptions();

// Sets the one alarm of the process to go off after Milliseconds (0: never)
// and returns how many were left of the one set before (0: none).
uint32_t SetAlarm(uint32_t Milliseconds);

// Once, early: what CarryPiece needs (the Linux pipe), so that it opens no
// file later and the fault report can use it.
void PrepareMemoryProbe();

// One piece of at most a page, not crossing a page boundary on the plugin's
// side, carried from From to To by the system; either side may be the
// plugin's, and a side the system cannot reach fails the call.
bool CarryPiece(void* To, const void* From, size_t Size);

// ---- The plugin ----

// Loads the DLL at Path into Module: qelhost's own PE loader on Linux,
// Windows' loader after the same structural checks on Windows. Returns an
// empty string, or why the DLL is refused.
std::string LoadPluginModule(const std::string& Path, PluginModule& Module);

// Size bytes of fresh memory, readable, writable and zeroed, for the
// plugin's heap; null when the system has none. ReleaseMemory gives them
// back.
void* ReserveMemory(size_t Size);
void ReleaseMemory(void* Start, size_t Size);

// Whether Block is a live block of the system's own C heap that the plugin
// got there untracked (qelhost.exe: its start-up code runs before its heap
// imports are rebound); always false on Linux.
bool IsSystemHeapBlock(void* Block);

// The plugin's last error, as GetLastError gives it to the plugin: the
// Linux qelhost's KERNEL32.dll stand-ins keep it, qelhost.exe leaves the
// plugin's GetLastError to Windows.
uint32_t PluginLastError();

// Waits Milliseconds.
void SleepMilliseconds(uint32_t Milliseconds);

// The call gate (gate/call_gate_assembly.hpp), placed by each platform with
// its own way of reaching the gate's frame slot without a register.
extern "C" uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
                                        uint32_t Count);

// The stack pointer the innermost call gate keeps while the plugin runs (the
// start of its frame), or 0 when no call into the plugin is under way.
uintptr_t PluginCallFrame();
