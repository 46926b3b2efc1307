// The file panels in the session: the commands that show a folder, move the
// cursor, select and switch panels; the plugin's panel in the active file
// panel's place; and what the host does with a key the plugin leaves to it:
// the panel entry points beyond the first nine, called as the host calls
// them. The host copies, moves and deletes no real file itself.
#pragma once

#include "qelhost/session/plugin_commands.hpp"

#include <string>
#include <vector>

// Hands the panel services the session's ways of reading the plugin's
// panel and its folders.
void UsePanelCalls(Session& S);

void PanelCommand(Session& S, const std::vector<std::string>& Words); // [left|right] DIR
void CursorCommand(Session& S, const std::string& Name);
void SelectCommand(Session& S, const std::vector<std::string>& Names);
void TabCommand(Session& S);
// The host's Find file on the active file panel's folder and below, its
// results sent to the plugin's panel (OpenPlugin with OPEN_FINDLIST, then
// SetFindList) when the plugin takes such lists.
void FindCommand(Session& S, const std::string& Masks);
// The user leaves the host idle: FE_IDLE to each plugin panel shown.
void IdleCommand(Session& S);
// Ctrl+Break (ControlState must be PKF_CONTROL alone): FE_BREAK to each
// plugin panel shown.
void PressCtrlBreak(Session& S, unsigned ControlState);

// Reads the plugin's panel Plugin just opened into the active file panel
// and shows it.
void ShowPluginPanel(Session& S, HANDLE Plugin);
// The file panel shows its folder again once the plugin's panel closed.
void PluginPanelClosed(HANDLE Plugin);
// Whether the active panel shows a folder (not the plugin's panel) while
// the session shows panels: keys then go to the host's file panel.
bool FolderPanelActive();

// Whether the host acts on Key (ControlState: PKF_* bits) that the plugin
// left to it on its panel, or that was pressed on a file panel, and with
// Act, the action; false when the host has nothing more to do with it
// than name it.
bool HostTakesKey(Session& S, int Key, unsigned ControlState, bool Act);

// After each command: the panel a plugin asked to close is closed, and
// what changed is drawn.
void FinishPanels(Session& S);
