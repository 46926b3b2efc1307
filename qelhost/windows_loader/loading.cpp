#include "qelhost/windows_loader/loading.hpp"
#include "qelhost/stop_run.hpp"

#include <windows.h>

namespace {

volatile LONG AtWork;
char Path[1024];

DWORD WINAPI Watch(void*) {
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
    if (HANDLE Watcher = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr))
        CloseHandle(Watcher);
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
