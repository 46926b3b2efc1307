// The host's file panel showing a plugin's panel.
#pragma once

#include "host/host_interface.hpp"

#include <optional>
#include <string>
#include <vector>

// What the plugin said of its panel in GetOpenPluginInfo, its texts
// converted; a text the plugin left null is absent.
struct PanelDescription {
    DWORD Flags = 0;
    // StartSortMode SM_UNSORTED asks for the plugin's order; both real hosts
    // honour it only when the plugin gives panel modes too, and sort by
    // name otherwise.
    bool UnsortedAsked = false;
    bool Unsorted = false;
    std::optional<std::u32string> Title, HostFile, CurDir, Format;
    int StartSortMode = 0;
};

struct PanelRow {
    std::u32string Name;
    std::u32string Size; // "Folder", "Up" or the size in bytes
    bool Cursor = false, Selected = false;
};

// Its flags and the sort mode the panel takes: the one GetOpenPluginInfo
// starts it in (OpeningMode), or SortMode when one was set since.
int OpeningMode(const PanelDescription& Panel);
void DescribePanel(const PanelDescription& Panel, int SortMode);

// Draws the panel: its title, ".." when asked for, the rows in the order
// the sort mode gives; clipped to the screen, long names and titles cut
// visibly, and rows past the screen's height counted in the last one.
void ShowPanel(const PanelDescription& Panel, std::vector<PanelRow> Rows);

// Draws rows in the order given under Title. With Marks, each row shows the
// cursor ('>') and its selection ('√') before its name, and Footer (when not
// empty) sits in the bottom edge, as the host shows what is selected.
void DrawPanelRows(const std::u32string& Title, std::vector<PanelRow> Rows, bool Marks,
                   const std::u32string& Footer);
