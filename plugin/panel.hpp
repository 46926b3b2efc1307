// The plugin's one panel.
#pragma once

#include "host/host_interface.hpp"

// The handle of the single panel; no entry point reads the handle back.
#define PluginPanelHandle ((HANDLE)(intptr_t)1)
