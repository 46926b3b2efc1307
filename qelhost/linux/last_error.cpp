// The Linux qelhost's plugin calls its own KERNEL32.dll!GetLastError.
#include "qelhost/gate/kernel32_stand_ins.hpp"
#include "qelhost/gate/last_error.hpp"

void SetPluginLastError(uint32_t Error) {
    Kernel32SetLastError(Error);
}
