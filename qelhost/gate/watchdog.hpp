// Stopping a run from outside the plugin's code: the watchdog over calls
// into the plugin, and the user's interruptions. Both end the run with the
// transcript kept and one line that names the entry point running (and the
// function of the plugin's that a service calls back, if one runs):
//   "the plugin's OpenPlugin did not return within 2 s"            (status 3)
//   "the plugin's dialog procedure of DialogEx, during OpenPlugin, did not
//    return within 2 s"
//   "interrupted by SIGINT while the plugin ran OpenPlugin"         (128 + n)
//   "interrupted by Ctrl-C while waiting for the script"
// Each platform delivers them its own way (platform.hpp: CatchInterruptions,
// SetAlarm).
#pragma once

#include <stdint.h>

// The limit on one call into the plugin, in seconds, when --timeout is not
// given; 0 turns the watchdog off.
constexpr unsigned DefaultCallLimit = 30;
void SetCallLimit(unsigned Seconds);

// Around each call into the plugin (the call gate's): the time counts from
// the outermost call, nested calls within it.
void EnterPluginCall();
void LeavePluginCall();

// While one lives, qelhost waits for the user at a prompt: that time does
// not count.
class WaitingForUser {
  public:
    WaitingForUser();
    ~WaitingForUser();
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

  private:
    uint32_t Left; // milliseconds, 0 when no call was being watched
};

// For the platform's alarm and interruption handlers: each ends the run.
// They format into static storage and allocate nothing.
[[noreturn]] void StopTimedOut();
[[noreturn]] void StopInterrupted(const char* What, int Status);
