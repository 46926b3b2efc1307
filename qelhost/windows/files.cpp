// qelhost.exe leaves the file functions to Windows: the plugin calls
// Windows' own, on Windows' own drives, and none are rebound.
#include "qelhost/gate/stand_ins.hpp"
#include "qelhost/platform.hpp"

std::span<const StandIn> FileStandIns() {
    return {};
}

void NotePluginFile(const std::string&) {}

void RemoveSessionTemporaryFolder() {}
