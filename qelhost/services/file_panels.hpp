// The host's two file panels, left and right, as plugins see them through
// Control and the panel entry points: each shows a real folder, or the
// plugin's panel in its place; one is active. The `panel` command puts a
// folder in one; until then a session has no file panels to show, and the
// plugin's panel is drawn as it always was.
#pragma once

#include "qelhost/services/panel_records.hpp"

#include <string>
#include <vector>

enum class Side { Left, Right };

// How a panel shows and orders its items.
struct PanelModes {
    int ViewMode = 2, SortMode = SM_NAME;
    bool Reverse = false, Numeric = false;
};

struct FilePanel {
    Side Place = Side::Left;
    bool Shown = false;       // the session shows it: a folder was put here
    std::string Folder;       // the folder here it shows (UTF-8)
    HANDLE Plugin = nullptr;  // the plugin's panel in the folder's place, or null
    std::string PluginFolder; // the plugin's CurDir (code page 866)
    std::u32string PluginTitle;
    std::string PluginFormat; // what the host's dialogs call it (code page 866)
    DWORD PluginFlags = 0;    // OPIF_*
    // The items in the order shown, ".." first where there is one; the
    // selection is PPIF_SELECTED in each item's Flags.
    std::vector<PanelItem> Items;
    int Current = 0, Top = 0;
    PanelModes Modes;
    // The folder's modes while a plugin's panel covers it: the host gives
    // them back when the plugin's panel closes.
    PanelModes FolderModes;
    bool Changed = false; // since it was last drawn
};

// How the host reads the plugin's panel anew (GetOpenPluginInfo,
// GetFindData, FreeFindData, the items then sorted by SortPanel), sorts it
// (the plugin's Compare, where it exports one, over SortInHostOrder), sets
// its folder (SetDirectory; true when the plugin went there), and tells it
// of a drawing to come (FE_REDRAW; true when the plugin drew the panel
// itself) and of a new view mode (FE_CHANGEVIEWMODE). The session's.
struct PluginPanelCalls {
    void (*Reread)(FilePanel& Panel);
    void (*Sort)(FilePanel& Panel);
    bool (*SetDirectory)(FilePanel& Panel, const std::string& OemFolder);
    bool (*Redrawing)(FilePanel& Panel);
    void (*ViewModeChanged)(FilePanel& Panel);
};
void UsePluginPanelCalls(PluginPanelCalls Calls);
const PluginPanelCalls& PluginPanel();

const char* SideName(Side Place);
Side Other(Side Place);
FilePanel& PanelAt(Side Place);
Side ActiveSide();
void MakeActive(Side Place);
// Whether a folder was put in either panel: the session then draws them.
// Until then both show the current folder, read when first asked for.
bool PanelsInUse();
// The panel, its folder read if it has none yet.
FilePanel& ReadyPanel(Side Place);
// The panel that shows the plugin's panel Plugin, or null.
FilePanel* PanelOfPlugin(HANDLE Plugin);

// Reads the folder Here into the panel (the cursor on the first item);
// false, with Why, when it cannot be read.
bool ShowFolder(FilePanel& Panel, const std::string& Here, std::string& Why);
// Reads the panel's folder, or the plugin's panel, again, keeping the
// selection (unless told not to) and the cursor on the same name.
void UpdatePanel(FilePanel& Panel, bool KeepSelection);
// Orders the items by the panel's sort mode, ".." first: whenever the host
// sorts a plugin's panel it asks the plugin's Compare (PluginPanelCalls'
// Sort), so every sort, a read or a request of the plugin's, takes this way.
void SortPanel(FilePanel& Panel);
// The host's own order of the sort mode, folders before files; what the
// plugin's Compare answering -2 asks for.
void SortInHostOrder(FilePanel& Panel);

// The position of the item called Name (UTF-8, without case), or -1.
int FindItem(const FilePanel& Panel, const std::string& Name);
bool IsUpItem(const PanelItem& Item);
// The items a command acts on: the selected ones, else the one under the
// cursor unless it is "..".
std::vector<int> ChosenItems(const FilePanel& Panel);

// The Windows path the plugin is shown as the panel's folder (code page 866).
std::string PanelFolder(const FilePanel& Panel);

// The column types of the panels' one view (PanelInfo.ColumnTypes).
constexpr char PanelColumnTypes[] = "N,S";

// Draws the panel with the cursor and the selection; told as "host: WHY".
// The plugin's panel is told first, and not drawn when the plugin drew it.
void DrawFilePanel(FilePanel& Panel, const std::string& Why);
// Draws each panel that changed since it was last drawn.
void DrawChangedPanels();

// The host's command line.
struct CommandLineState {
    std::string Text; // code page 866
    int Position = 0;
    int SelectionStart = -1, SelectionEnd = -1;
};
CommandLineState& TheCommandLine();
