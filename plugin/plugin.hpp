// The nine entry points the host finds by their undecorated names.
#pragma once

#include "host/host_interface.hpp"

#include <type_traits>

extern "C" {
FAR_EXPORT void FARAPI SetStartupInfo(const PluginStartupInfo* Info);
FAR_EXPORT void FARAPI GetPluginInfo(PluginInfo* Info);
FAR_EXPORT HANDLE FARAPI OpenPlugin(int OpenFrom, INT_PTR Item);
FAR_EXPORT HANDLE FARAPI OpenFilePlugin(const char* Name, const unsigned char* Data,
                                        int DataSize FAR_OPENFILEPLUGIN_OPMODE);
FAR_EXPORT void FARAPI GetOpenPluginInfo(HANDLE hPlugin, OpenPluginInfo* Info);
FAR_EXPORT int FARAPI GetFindData(HANDLE hPlugin, PluginPanelItem** pPanelItem, int* pItemsNumber,
                                  int OpMode);
FAR_EXPORT void FARAPI FreeFindData(HANDLE hPlugin, PluginPanelItem* PanelItem, int ItemsNumber);
FAR_EXPORT void FARAPI ClosePlugin(HANDLE hPlugin);
FAR_EXPORT int FARAPI ProcessKey(HANDLE hPlugin, int Key, unsigned int ControlState);
}

// Each export has exactly the type the host calls it by.
static_assert(std::is_same_v<decltype(&SetStartupInfo), SetStartupInfoEntry>);
static_assert(std::is_same_v<decltype(&GetPluginInfo), GetPluginInfoEntry>);
static_assert(std::is_same_v<decltype(&OpenPlugin), OpenPluginEntry>);
static_assert(std::is_same_v<decltype(&OpenFilePlugin), OpenFilePluginEntry>);
static_assert(std::is_same_v<decltype(&GetOpenPluginInfo), GetOpenPluginInfoEntry>);
static_assert(std::is_same_v<decltype(&GetFindData), GetFindDataEntry>);
static_assert(std::is_same_v<decltype(&FreeFindData), FreeFindDataEntry>);
static_assert(std::is_same_v<decltype(&ClosePlugin), ClosePluginEntry>);
static_assert(std::is_same_v<decltype(&ProcessKey), ProcessKeyEntry>);
