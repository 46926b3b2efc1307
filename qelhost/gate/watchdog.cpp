#include "qelhost/gate/watchdog.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>

namespace {

unsigned Limit = DefaultCallLimit;
int Depth = 0; // calls into the plugin under way, nested ones included
char Message[256];

// The entry point as the lines name it: "OpenPlugin", "entry routine"
// (from "its entry routine"), "TLS callback" (from "a TLS callback").
const char* ShortName(const char* Entry) {
    if (strncmp(Entry, "its ", 4) == 0)
        return Entry + 4;
    if (strncmp(Entry, "a ", 2) == 0)
        return Entry + 2;
    return Entry;
}

} // namespace

void SetCallLimit(unsigned Seconds) {
    Limit = Seconds;
}

void EnterPluginCall() {
    if (Depth++ == 0 && Limit != 0)
        SetAlarm(Limit * 1000);
}

void LeavePluginCall() {
    if (--Depth == 0 && Limit != 0)
        SetAlarm(0);
}

WaitingForUser::WaitingForUser() : Left(Depth > 0 && Limit != 0 ? SetAlarm(0) : 0) {}

WaitingForUser::~WaitingForUser() {
    if (Left != 0)
        SetAlarm(Left);
}

void StopTimedOut() {
    const char* Entry = RunningEntryPoint();
    snprintf(Message, sizeof Message, "the plugin's %s did not return within %u s",
             Entry != nullptr ? ShortName(Entry) : "code", Limit);
    StopRunWith(ExitStopped, Message);
}

void StopInterrupted(const char* What, int Status) {
    const char* Entry = RunningEntryPoint();
    if (Entry != nullptr)
        snprintf(Message, sizeof Message, "interrupted by %s while the plugin ran %s", What, Entry);
    else
        snprintf(Message, sizeof Message, "interrupted by %s while waiting for the script", What);
    StopRunWith(Status, Message);
}
