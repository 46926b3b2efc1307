// The DLL's entry routine. The module is linked without the C runtime's
// start-up files: it has no constructors to run and no per-thread data, so
// loading it does nothing but report success, on attach and detach alike.
#include "host/host_interface.hpp"

extern "C" int FARAPI DllEntry(HANDLE, DWORD, void*) {
    return 1;
}
