// The entry points the native host calls beyond qelfar's nine
// (host_interface.hpp), each only if the plugin exports it, undecorated and
// __stdcall. Their panel items are the native layout (Native::).
#pragma once

#include "host/native_keys.hpp"
#include "host/native_panels.hpp"

// The user picked the plugin's item ItemNumber of PluginConfigStrings.
typedef int(FARAPI* ConfigureEntry)(int ItemNumber);
// Once, when the host ends.
typedef void(FARAPI* ExitFAREntry)();
// Before SetStartupInfo: the oldest host version the plugin runs in, packed
// as MakeFarVersion packs it.
typedef int(FARAPI* GetMinFarVersionEntry)();
// EE_* with its parameter, for every plugin that exports it.
typedef int(FARAPI* ProcessEditorEventEntry)(int Event, void* Param);
// Each key in the editor before the editor acts; non-zero: the plugin took it.
typedef int(FARAPI* ProcessEditorInputEntry)(const INPUT_RECORD* Rec);
// VE_* with its parameter.
typedef int(FARAPI* ProcessViewerEventEntry)(int Event, void* Param);
// FE_* on the plugin's panel.
typedef int(FARAPI* ProcessEventEntry)(HANDLE hPlugin, int Event, void* Param);
typedef int(FARAPI* SetDirectoryEntry)(HANDLE hPlugin, const char* Dir, int OpMode);
typedef int(FARAPI* MakeDirectoryEntry)(HANDLE hPlugin, char* Name, int OpMode);
typedef int(FARAPI* DeleteFilesEntry)(HANDLE hPlugin, Native::PluginPanelItem* PanelItem,
                                      int ItemsNumber, int OpMode);
typedef int(FARAPI* GetFilesEntry)(HANDLE hPlugin, Native::PluginPanelItem* PanelItem,
                                   int ItemsNumber, int Move, char* DestPath, int OpMode);
typedef int(FARAPI* PutFilesEntry)(HANDLE hPlugin, Native::PluginPanelItem* PanelItem,
                                   int ItemsNumber, int Move, int OpMode);
typedef int(FARAPI* ProcessHostFileEntry)(HANDLE hPlugin, Native::PluginPanelItem* PanelItem,
                                          int ItemsNumber, int OpMode);
typedef int(FARAPI* SetFindListEntry)(HANDLE hPlugin, const Native::PluginPanelItem* PanelItem,
                                      int ItemsNumber);
// -1, 0 or 1; CompareAsHost or CompareNoMore. Mode is the SM_* sort mode.
typedef int(FARAPI* CompareEntry)(HANDLE hPlugin, const Native::PluginPanelItem* Item1,
                                  const Native::PluginPanelItem* Item2, unsigned int Mode);
typedef int(FARAPI* GetVirtualFindDataEntry)(HANDLE hPlugin, Native::PluginPanelItem** pPanelItem,
                                             int* pItemsNumber, const char* Path);
typedef void(FARAPI* FreeVirtualFindDataEntry)(HANDLE hPlugin, Native::PluginPanelItem* PanelItem,
                                               int ItemsNumber);
