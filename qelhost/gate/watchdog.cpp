#include "qelhost/gate/watchdog.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>

#include <initializer_list>

namespace {

unsigned Limit = DefaultCallLimit;
int Depth = 0; // calls into the plugin under way, nested ones included
char Message[256];

// A function as the lines name it after "the plugin's": "OpenPlugin",
// "entry routine" (from "its entry routine"), "TLS callback" (from "a TLS
// callback"), "dialog procedure of DialogEx" (from "the dialog procedure of
// DialogEx").
const char* ShortName(const char* Name) {
    for (const char* Article : {"its ", "a ", "the "})
        if (strncmp(Name, Article, strlen(Article)) == 0)
            return Name + strlen(Article);
    return Name;
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

// In a function a service calls back, named as a fault there is: "the
// plugin's dialog procedure of DialogEx, during OpenPlugin, did not return".
void StopTimedOut() {
    const char* Entry = RunningEntryPoint();
    const char* Callback = RunningCallback();
    if (Callback != nullptr && Entry != nullptr)
        snprintf(Message, sizeof Message, "the plugin's %s, during %s, did not return within %u s",
                 ShortName(Callback), Entry, Limit);
    else
        snprintf(Message, sizeof Message, "the plugin's %s did not return within %u s",
                 Callback != nullptr ? ShortName(Callback)
                 : Entry != nullptr  ? ShortName(Entry)
                                     : "code",
                 Limit);
    StopRunWith(ExitStopped, Message);
}

// "interrupted by SIGINT while the plugin ran the comparison of FSF.qsort,
// during OpenPlugin": a callback is named as a fault in it is.
void StopInterrupted(const char* What, int Status) {
    const char* Entry = RunningEntryPoint();
    const char* Callback = RunningCallback();
    if (Entry != nullptr && Callback != nullptr)
        snprintf(Message, sizeof Message, "interrupted by %s while the plugin ran %s, during %s",
                 What, Callback, Entry);
    else if (Entry != nullptr)
        snprintf(Message, sizeof Message, "interrupted by %s while the plugin ran %s", What, Entry);
    else
        snprintf(Message, sizeof Message, "interrupted by %s while waiting for the script", What);
    StopRunWith(Status, Message);
}
