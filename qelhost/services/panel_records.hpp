// The panel item and find record the host hands plugins (PanelInfo,
// GetDirList, the panel entry points, FarRecursiveSearch): the native
// host's, 368 and 320 bytes.
#pragma once

#include "host/host_interface.hpp"
#include "host/native_interface.hpp"

using PanelItem = Native::PluginPanelItem;
using FindRecord = Native::WIN32_FIND_DATA;

// What a service answers: the host's BOOL values.
constexpr int FALSE = 0, TRUE = 1;
