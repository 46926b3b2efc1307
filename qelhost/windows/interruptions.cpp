// qelhost.exe's watchdog and interruptions: a thread of its own that waits
// for the alarm's deadline, and the console's control handler for Ctrl-C
// and Ctrl-Break (Windows has no SIGTERM or SIGHUP); each ends the run from
// its own thread with the transcript kept (gate/watchdog.hpp).
#include "qelhost/gate/watchdog.hpp"
#include "qelhost/platform.hpp"

#include <windows.h>

namespace {

CRITICAL_SECTION Guard;
HANDLE Changed;         // set when the deadline changes
ULONGLONG Deadline = 0; // GetTickCount64's, 0: no alarm set

BOOL WINAPI OnControl(DWORD Event) {
    if (Event == CTRL_C_EVENT)
        StopInterrupted("Ctrl-C", 130);
    if (Event == CTRL_BREAK_EVENT)
        StopInterrupted("Ctrl-Break", 130);
    return FALSE; // the next handler: closing the console, logging off
}

DWORD WINAPI WatchDeadline(void*) {
    for (;;) {
        EnterCriticalSection(&Guard);
        ULONGLONG Due = Deadline, Now = GetTickCount64();
        LeaveCriticalSection(&Guard);
        if (Due != 0 && Now >= Due)
            StopTimedOut();
        WaitForSingleObject(Changed, Due == 0 ? INFINITE : static_cast<DWORD>(Due - Now));
    }
}

} // namespace

void CatchInterruptions() {
    InitializeCriticalSection(&Guard);
    Changed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (HANDLE Watcher = CreateThread(nullptr, 0, WatchDeadline, nullptr, 0, nullptr))
        CloseHandle(Watcher);
    SetConsoleCtrlHandler(OnControl, TRUE);
}

uint32_t SetAlarm(uint32_t Milliseconds) {
    EnterCriticalSection(&Guard);
    ULONGLONG Now = GetTickCount64();
    uint32_t Left = Deadline == 0 ? 0 : Deadline > Now ? static_cast<uint32_t>(Deadline - Now) : 1;
    Deadline = Milliseconds == 0 ? 0 : Now + Milliseconds;
    LeaveCriticalSection(&Guard);
    SetEvent(Changed);
    return Left;
}
