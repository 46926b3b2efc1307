// The Linux qelhost's process, files and waits (platform.hpp).
#include "qelhost/platform.hpp"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

const char PathSeparators[] = "/";

void EndProcess(int Status) {
    _exit(Status);
}

int OpenForReading(const char* Path, bool NoWait) {
    return open(Path, O_RDONLY | O_NOCTTY | O_CLOEXEC | (NoWait ? O_NONBLOCK : 0));
}

bool IsSystemHeapBlock(void*) {
    return false; // the plugin's heap functions are qelhost's before any of its code runs
}

void SleepMilliseconds(uint32_t Milliseconds) {
    timespec Pause{static_cast<time_t>(Milliseconds / 1000),
                   static_cast<long>(Milliseconds % 1000) * 1000000};
    nanosleep(&Pause, nullptr);
}
