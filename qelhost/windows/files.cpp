// qelhost.exe leaves the file functions to Windows: the plugin calls
// Windows' own, on Windows' own drives, and none are rebound.
#include "qelhost/gate/files.hpp"

std::span<const StandIn> FileStandIns() {
    return {};
}

void NotePluginFile(const std::string&) {}

void RemoveSessionTemporaryFolder() {}
