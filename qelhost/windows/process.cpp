// qelhost.exe's process, files and waits (platform.hpp).
#include "qelhost/platform.hpp"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <malloc.h>
#include <unistd.h>

const char PathSeparators[] = "/\\";

// Not through ExitProcess, which would run the plugin's code once more
// (DLL_PROCESS_DETACH) after its end was told, as the Linux qelhost never does.
void EndProcess(int Status) {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(Status));
    _exit(Status);
}

// Windows has no FIFO to wait on and no controlling terminal to take.
int OpenForReading(const char* Path, bool) {
    return open(Path, O_RDONLY | _O_NOINHERIT | _O_BINARY);
}

// The plugin's start-up code runs before its heap functions are rebound,
// and allocates from msvcrt.dll's heap untracked. (Asking the heap is safe
// for any pointer: it looks the block up in its own records.)
bool IsSystemHeapBlock(void* Block) {
    return HeapValidate(reinterpret_cast<HANDLE>(_get_heap_handle()), 0, Block) != 0;
}

void SleepMilliseconds(uint32_t Milliseconds) {
    Sleep(Milliseconds);
}
