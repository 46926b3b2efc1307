// The startup record a host hands to SetStartupInfo, with the three services
// the plugin calls; shared by the fake hosts of the tests, the fuzz targets
// and the benchmarks.
#pragma once

#include "host/host_interface.hpp"

#include <string.h>

inline PluginStartupInfo StartupRecord(INT_PTR ModuleNumber, FARAPIGETMSG GetMsg,
                                       FARAPIMESSAGE Message, FARAPIDIALOG Dialog) {
    PluginStartupInfo Info;
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    Info.ModuleNumber = ModuleNumber;
    Info.GetMsg = GetMsg;
    Info.Message = Message;
    Info.Dialog = Dialog;
    return Info;
}
