#include "qelhost/gate/plugin_process.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdarg.h>
#include <stdio.h>

namespace {

// With one thread, nothing a sleeping plugin waits for can change: past
// SleepLimit in all (each call counting at least 1 ms), it would wait forever.
constexpr uint32_t SleepLimit = 5000; // milliseconds
uint32_t Slept = 0;

// "the plugin ended the process with CALL in ENTRY": one status of its own
// whatever value the plugin gave, so that none is read as the session's 0
// or one of qelhost's own statuses, or cut to 8 bits. The transcript notes
// it too, as the user would see the host vanish.
[[noreturn]] __attribute__((format(gnu_printf, 1, 2))) void Ended(const char* Format, ...) {
    char Call[128];
    va_list Arguments;
    va_start(Arguments, Format);
    vsnprintf(Call, sizeof Call, Format, Arguments);
    va_end(Arguments);
    LoaderNote("the plugin ends the process with %s", Call);
    const char* Entry = RunningEntryPoint();
    if (Entry != nullptr)
        StopRun(ExitPluginEnded, "the plugin ended the process with %s in %s", Call, Entry);
    StopRun(ExitPluginEnded, "the plugin ended the process with %s", Call);
}

} // namespace

PLUGIN_CDECL void PluginExit(int Status) {
    Ended("exit(%d)", Status);
}

PLUGIN_CDECL void PluginUnderscoreExit(int Status) {
    Ended("_exit(%d)", Status);
}

PLUGIN_STDCALL void PluginExitProcess(uint32_t Code) {
    Ended("ExitProcess(%u)", Code);
}

PLUGIN_CDECL void PluginAbort() {
    Ended("abort()");
}

// Its run-time library's way to stop on an error it found (R6025: a pure
// virtual function called, ...).
PLUGIN_CDECL void PluginAmsgExit(int Code) {
    Ended("_amsg_exit(%d), its run-time library's error R60%02d", Code, Code);
}

PLUGIN_STDCALL void PluginSleep(uint32_t Milliseconds) {
    uint32_t Counted = Milliseconds != 0 ? Milliseconds : 1;
    if (Counted > SleepLimit - Slept)
        StopAsPluginFault("it waits in KERNEL32.dll!Sleep for more than %u s in all; with one "
                          "thread, what it waits for cannot happen",
                          static_cast<unsigned>(SleepLimit / 1000));
    Slept += Counted;
    AdvanceClock(Milliseconds); // the plugin's clock moves only so
    SleepMilliseconds(Milliseconds);
}
