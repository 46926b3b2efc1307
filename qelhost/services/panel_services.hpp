// The host's panel services: Control on the two file panels, and the
// listings of GetDirList, GetPluginDirList and FreeDirList. Each call is
// told in the transcript; what the plugin hands over is checked first.
#pragma once

#include "qelhost/calling_convention.hpp"
#include "qelhost/services/panel_records.hpp"

#include <string>
#include <vector>

PLUGIN_STDCALL int Control(HANDLE hPlugin, int Command, void* Param);
PLUGIN_STDCALL int GetDirList(const char* Dir, PanelItem** pPanelItem, int* pItemsNumber);
PLUGIN_STDCALL int GetPluginDirList(INT_PTR PluginNumber, HANDLE hPlugin, const char* Dir,
                                    PanelItem** pPanelItem, int* pItemsNumber);
PLUGIN_STDCALL void FreeDirList(const PanelItem* PanelItem);
// The standard function FSF.FarRecursiveSearch.
PLUGIN_STDCALL void FarRecursiveSearch(const char* InitDir, const char* Mask, FRSUSERFUNC Func,
                                       DWORD Flags, void* Param);

// FCTL_CLOSEPLUGIN asks the host to close the plugin's panel once the
// plugin's call returns: the panel it named (null when none), and the
// folder to show there instead (code page 866; empty: the one it showed).
struct ClosingPanel {
    HANDLE Plugin = nullptr;
    std::string Folder;
};
ClosingPanel TakeClosingPanel();

// How the host lists a folder of the plugin's panel, with its subfolders,
// for GetPluginDirList (names relative to it); the session's.
typedef bool (*PluginFolderLister)(HANDLE Plugin, const std::string& OemFolder,
                                   std::vector<PanelItem>& Items);
void UsePluginFolderLister(PluginFolderLister Lister);

// The real folder Here (this system's path) and everything under it, as
// GetDirList lists it: names relative to it, each folder before its
// entries; empty when it cannot be read.
std::vector<PanelItem> FolderTree(const std::string& Here);
