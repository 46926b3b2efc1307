// The Linux qelhost carries the plugin's bytes through a pipe of its own:
// write() from an address the kernel cannot read, or read() into one it
// cannot write, fails with EFAULT instead of faulting.
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"

#include <errno.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

namespace {

int Ends[2] = {-1, -1};

// The system calls themselves: a sanitizer's wrappers of read and write
// would check the plugin's bytes first, and report what the kernel is
// there to find out.
ssize_t PipeWrite(const void* From, size_t Size) {
    return syscall(SYS_write, Ends[1], From, Size);
}

ssize_t PipeRead(void* To, size_t Size) {
    return syscall(SYS_read, Ends[0], To, Size);
}

void Drain(size_t Size) {
    char Waste[4096];
    while (Size > 0) {
        ssize_t Got = PipeRead(Waste, std::min(Size, sizeof Waste));
        if (Got <= 0)
            return;
        Size -= static_cast<size_t>(Got);
    }
}

} // namespace

void PrepareMemoryProbe() {
    if (Ends[0] < 0 && pipe2(Ends, O_CLOEXEC | O_NONBLOCK) != 0)
        Ends[0] = Ends[1] = -1;
}

bool CarryPiece(void* To, const void* From, size_t Size) {
    PrepareMemoryProbe();
    if (Ends[0] < 0)
        return false;
    ssize_t In;
    do
        In = PipeWrite(From, Size);
    while (In < 0 && errno == EINTR);
    if (In != static_cast<ssize_t>(Size)) {
        Drain(In > 0 ? static_cast<size_t>(In) : 0);
        return false;
    }
    ssize_t Out;
    do
        Out = PipeRead(To, Size);
    while (Out < 0 && errno == EINTR);
    if (Out != static_cast<ssize_t>(Size)) {
        Drain(Size - (Out > 0 ? static_cast<size_t>(Out) : 0));
        return false;
    }
    return true;
}
