// The Linux qelhost's standard streams (platform.hpp).
#include "qelhost/platform.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

unsigned PrepareStandardStreams() {
    unsigned Closed = 0;
    for (int Descriptor = 0; Descriptor <= 2; ++Descriptor) {
        if (fcntl(Descriptor, F_GETFD) >= 0 || errno != EBADF)
            continue;
        Closed |= 1u << Descriptor;
        // The lowest free number: this one.
        open("/dev/null", Descriptor == 0 ? O_WRONLY : O_RDONLY);
    }
    return Closed;
}
