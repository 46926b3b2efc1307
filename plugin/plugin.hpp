// The nine entry points the host finds by their undecorated names.
#pragma once

#include "host/host_interface.hpp"

extern "C" {
void FARAPI SetStartupInfo(const PluginStartupInfo* Info);
void FARAPI GetPluginInfo(PluginInfo* Info);
HANDLE FARAPI OpenPlugin(int OpenFrom, int Item);
HANDLE FARAPI OpenFilePlugin(const char* Name, const unsigned char* Data, int DataSize);
void FARAPI GetOpenPluginInfo(HANDLE hPlugin, OpenPluginInfo* Info);
int FARAPI GetFindData(HANDLE hPlugin, PluginPanelItem** pPanelItem, int* pItemsNumber, int OpMode);
void FARAPI FreeFindData(HANDLE hPlugin, PluginPanelItem* PanelItem, int ItemsNumber);
void FARAPI ClosePlugin(HANDLE hPlugin);
int FARAPI ProcessKey(HANDLE hPlugin, int Key, unsigned int ControlState);
}
