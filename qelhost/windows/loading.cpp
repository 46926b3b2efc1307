#include "qelhost/windows/loading.hpp"
#include "qelhost/stop_run.hpp"

#include <windows.h>

namespace {

volatile LONG AtWork;
char Path[1024];
HANDLE Started;

DWORD WINAPI Watch(void*) {
    SetEvent(Started);
    Sleep(LoadingLimit * 1000);
    if (AtWork)
        StopRun(ExitRefused, "cannot load %s: Windows' loader did not finish within %u s", Path,
                LoadingLimit);
    return 0;
}

} // namespace

void StartLoading(const std::string& Given) {
    lstrcpynA(Path, Given.c_str(), sizeof Path);
    AtWork = 1;
    // Running before LoadLibrary takes the loader's lock, which a thread's
    // start needs.
    Started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (HANDLE Watcher = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr)) {
        WaitForSingleObject(Started, INFINITE);
        CloseHandle(Watcher);
    }
}

void LoadingDone() {
    AtWork = 0;
}

bool LoaderAtWork() {
    return AtWork != 0;
}

const char* LoadingPath() {
    return Path;
}
