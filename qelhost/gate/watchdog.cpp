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

// Named as a fault there is: "the plugin's OpenPlugin did not return",
// "the plugin's dialog procedure of DialogEx, during OpenPlugin, did not
// return".
void StopTimedOut() {
    char Where[RunningCodeSize];
    bool Running = NameRunningCode(Where, sizeof Where);
    // ", during OpenPlugin," is set off by a comma at both ends.
    snprintf(Message, sizeof Message, "the plugin's %s%s did not return within %u s",
             Running ? ShortName(Where) : "code", strstr(Where, ", during ") ? "," : "", Limit);
    StopRunWith(ExitStopped, Message);
}

// "interrupted by SIGINT while the plugin ran the comparison of FSF.qsort,
// during OpenPlugin".
void StopInterrupted(const char* What, int Status) {
    char Where[RunningCodeSize];
    if (NameRunningCode(Where, sizeof Where))
        snprintf(Message, sizeof Message, "interrupted by %s while the plugin ran %s", What, Where);
    else
        snprintf(Message, sizeof Message, "interrupted by %s while waiting for the script", What);
    StopRunWith(Status, Message);
}
