// Where qelhost meets its platform: everything that differs between the
// Linux qelhost (qelhost/linux/) and qelhost.exe (qelhost/windows/) is
// declared here once, and each folder defines it its own way; CMake builds
// the folder of the target system. Nothing else in qelhost asks which
// system it runs on.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <span>
#include <string>

struct PluginModule;
struct StandIn;

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

// ---- Drives ----
// How a Windows path the plugin or the session names becomes a file of this
// machine, and back. The Linux qelhost maps drive letters onto folders
// (--drive C=DIR, C: the current folder unless mapped) and never reaches
// anything outside them; qelhost.exe uses Windows' own drives and hands
// paths on full, as Windows makes them.

// Maps --drive's "C=DIR" (repeatable, the last for a letter counts); the
// reason when it cannot, for a usage line. qelhost.exe refuses the option.
std::string MapDrive(const std::string& OptionValue);

struct HostPath {
    uint32_t Error = 0; // a Windows error code when refused
    std::string Path;
};

// The file of this machine that the Windows path Path names (relative paths
// against the plugin's current folder). Refused, with Windows' error code,
// as ReadWindowsPath (gate/drive_map.hpp) refuses, and in the Linux qelhost
// on a drive not mapped (ErrorPathNotFound) or through a link that leaves
// its drive's folder (ErrorAccessDenied).
HostPath HostPathFor(const std::string& Path);

// The Windows path of a file of this machine, "" when it lies on no drive.
std::string WindowsPathFor(const std::string& HostPath);

// Makes Folder (of this machine) reachable: in the Linux qelhost, when it
// lies on no drive, it becomes the first unmapped letter from D:. The
// plugin's own folder is.
void MakeReachable(const std::string& Folder);

// The Windows path of a file of this machine named as qelhost's own command
// line names it (relative to qelhost's working folder), its folder made
// reachable first; as written when it cannot be found. The plugin's
// ModuleName is its DLL's.
std::string WindowsPathOfFile(const std::string& File);

// The plugin's current folder, as a Windows path ("C:\" at the start).
std::string CurrentFolder();
// Changes it; a Windows error code when Path is no folder that can be reached.
uint32_t SetCurrentFolder(const std::string& Path);

// ---- KERNEL32.dll's file functions ----
// The Linux qelhost serves them through the drives, with Windows' error
// codes; qelhost.exe leaves them to Windows. Names are in the file
// functions' code page (OEM 866 as the host sets it, or ANSI 1251 after
// SetFileApisToANSI).

// Their rows for the stand-ins' table (gate/stand_ins.hpp): the Linux
// qelhost's; none in qelhost.exe, whose plugin calls Windows' own.
std::span<const StandIn> FileStandIns();

// The plugin's folder and file name, for GetModuleFileNameA and SearchPathA
// (set when the plugin is loaded).
void NotePluginFile(const std::string& HostPath);

// The session's temporary folder is removed at the end of the session.
void RemoveSessionTemporaryFolder();

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
// Sets it, as the stand-ins do: the Linux qelhost's own
// KERNEL32.dll!SetLastError, the thread's real one in qelhost.exe.
void SetPluginLastError(uint32_t Error);

// Waits Milliseconds.
void SleepMilliseconds(uint32_t Milliseconds);

// The call gate (gate/call_gate_assembly.hpp), placed by each platform with
// its own way of reaching the gate's frame slot without a register.
extern "C" uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
                                        uint32_t Count);

// The stack pointer the innermost call gate keeps while the plugin runs (the
// start of its frame), or 0 when no call into the plugin is under way.
uintptr_t PluginCallFrame();
