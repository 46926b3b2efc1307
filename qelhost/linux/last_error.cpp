// The Linux qelhost's plugin calls its own KERNEL32.dll!GetLastError and
// SetLastError, the stand-ins'.
#include "qelhost/gate/kernel32_stand_ins.hpp"
#include "qelhost/platform.hpp"

void SetPluginLastError(uint32_t Error) {
    Kernel32SetLastError(Error);
}

uint32_t PluginLastError() {
    return Kernel32GetLastError();
}
