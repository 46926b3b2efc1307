// The records the plugin's entry points fill, checked and read with bounds
// (a bad one stops the run naming the entry point), their texts converted
// from code page 866.
#pragma once

#include "host/host_interface.hpp"
#include "qelhost/services/panel_records.hpp"
#include "qelhost/services/panel_view.hpp"

#include <string>
#include <vector>

// What GetPluginInfo registered.
struct Registration {
    DWORD Flags = 0;
    std::vector<std::u32string> MenuStrings;
    std::vector<std::u32string> ConfigStrings;   // the plugins configuration menu's items
    std::vector<std::u32string> CommandPrefixes; // "Qel:fx" gives "Qel" and "fx"
};

Registration ReadRegistration(const PluginInfo& Info);
PanelDescription ReadPanelDescription(const OpenPluginInfo& Info);
// GetFindData's list of Count items, as the panel's rows.
std::vector<PanelRow> ReadFindList(const PluginPanelItem* Items, int Count);
// The same list's records, checked alike, and the rows they show.
std::vector<PluginPanelItem> ReadFindItems(const PluginPanelItem* Items, int Count);
std::vector<PanelRow> RowsOf(const std::vector<PluginPanelItem>& Items);
// GetFindData's records as the panel items the host hands on, field by
// field: the same fields, laid out as the native host lays them out.
std::vector<PanelItem> AsPanelItems(const std::vector<PluginPanelItem>& Items);
