#include "qelhost/standard_streams.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#if defined(_WIN32)
#include <io.h>

unsigned PrepareStandardStreams() {
    unsigned Closed = 0;
    for (int Descriptor = 0; Descriptor <= 2; ++Descriptor)
        if (_get_osfhandle(Descriptor) < 0)
            Closed |= 1u << Descriptor;
        else
            _setmode(Descriptor, _O_BINARY);
    return Closed;
}
#else
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
#endif
