// Registration: the host's first call hands over its services, the second
// asks what the plugin offers.
#include "plugin/module_state.hpp"
#include "plugin/plugin.hpp"

#include <string.h>

void FARAPI SetStartupInfo(const PluginStartupInfo* Info) {
    // All other state is initialised statically at load, so keeping the
    // services is the whole start-up. A later call replaces them entirely.
    memcpy(&StartupInfoCopy, Info, sizeof StartupInfoCopy);
}

void FARAPI GetPluginInfo(PluginInfo* Info) {
    // The disk-menu and configuration fields stay as the host passed them:
    // the plugin offers neither entry.
    Info->StructSize = PluginInfoSize;
    Info->Flags = PF_PRELOAD | PF_EDITOR | PF_VIEWER;
    MenuStrings[0] = MenuTitle;
    Info->PluginMenuStrings = MenuStrings;
    Info->PluginMenuStringsNumber = 1;
    Info->CommandPrefix = CommandPrefixText;
}
