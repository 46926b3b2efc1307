#include "qelhost/gate/plugin_process.hpp"
#include "qelhost/gate/clock.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/loader_notes.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

namespace {

// With one thread, nothing a sleeping plugin waits for can change: past
// SleepLimit in all (each call counting at least 1 ms), it would wait forever.
constexpr uint32_t SleepLimit = 5000; // milliseconds
uint32_t Slept = 0;

} // namespace

PLUGIN_CDECL void PluginExit(int Status) {
    LoaderNote("the plugin ends the process with exit(%d)", Status);
    StopRun(Status, "the plugin ended the process with status %d", Status);
}

PLUGIN_STDCALL void PluginExitProcess(uint32_t Code) {
    LoaderNote("the plugin ends the process with ExitProcess(%u)", Code);
    StopRun(static_cast<int>(Code), "the plugin ended the process with status %u", Code);
}

PLUGIN_CDECL void PluginAbort() {
    StopRun(ExitStopped, "the plugin called abort()");
}

PLUGIN_CDECL void PluginAmsgExit(int Code) {
    StopRun(ExitStopped, "the plugin's run-time library stopped it (runtime error R60%02d)", Code);
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
