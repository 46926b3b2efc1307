// The Linux qelhost's watchdog and interruptions: SIGALRM from a one-shot
// timer of real time, and SIGINT, SIGTERM and SIGHUP from the user or the
// system, each handled on the signal stack (the plugin's may be wrecked)
// and ending the run with the transcript kept (gate/watchdog.hpp).
#include "qelhost/gate/watchdog.hpp"
#include "qelhost/linux/qelhost_state.hpp"
#include "qelhost/platform.hpp"

#include <signal.h>
#include <sys/time.h>

#include <initializer_list>

namespace {

const char* SignalName(int Signal) {
    switch (Signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    default:
        return "SIGHUP";
    }
}

SIGNAL_HANDLER void OnSignal(int Signal) {
    RestoreQelhostState();
    if (Signal == SIGALRM)
        StopTimedOut();
    StopInterrupted(SignalName(Signal), 128 + Signal);
}

} // namespace

void CatchInterruptions() {
    struct sigaction Action {};
    Action.sa_handler = OnSignal;
    Action.sa_flags = SA_ONSTACK;
    // Another interruption waits; a fault while the run is ending still
    // reaches the crash report, which would be blocked with everything else.
    sigemptyset(&Action.sa_mask);
    for (int Signal : {SIGINT, SIGTERM, SIGHUP, SIGALRM})
        sigaddset(&Action.sa_mask, Signal);
    for (int Signal : {SIGINT, SIGTERM, SIGHUP, SIGALRM}) {
        struct sigaction Before {};
        sigaction(Signal, nullptr, &Before);
        // A signal ignored when qelhost started (nohup, a background job's
        // SIGINT) stays ignored.
        if (Signal == SIGALRM || Before.sa_handler != SIG_IGN)
            sigaction(Signal, &Action, nullptr);
    }
}

uint32_t SetAlarm(uint32_t Milliseconds) {
    itimerval New{}, Old{};
    New.it_value.tv_sec = static_cast<time_t>(Milliseconds / 1000);
    New.it_value.tv_usec = static_cast<suseconds_t>(Milliseconds % 1000) * 1000;
    setitimer(ITIMER_REAL, &New, &Old);
    // Rounded up: an alarm still set is never taken for none.
    uint64_t Left = uint64_t(Old.it_value.tv_sec) * 1000 + (Old.it_value.tv_usec + 999) / 1000;
    return static_cast<uint32_t>(Left);
}
