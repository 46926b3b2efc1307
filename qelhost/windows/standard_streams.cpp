// qelhost.exe's standard streams (platform.hpp).
#include "qelhost/platform.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

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
