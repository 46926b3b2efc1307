#include "qelhost/gate/kernel32_stand_ins.hpp"
#include "qelhost/platform.hpp"

// The plugin's GetLastError and SetLastError are the stand-ins'.
uint32_t PluginLastError() {
    return Kernel32GetLastError();
}
