// The host's file panel showing a plugin's panel.
#pragma once

#include "host/host_interface.hpp"

// What the plugin said of its panel in GetOpenPluginInfo.
void DescribePanel(const OpenPluginInfo& Info);

// Draws the panel: title, ".." when asked for, the items with their sizes
// in the order the sort mode gives.
void ShowPanel(const OpenPluginInfo& Info, const PluginPanelItem* Items, int Count);
