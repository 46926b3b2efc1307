// The plugin's entry points: bound from its exports, and called the way the
// host calls them, each named for the crash report while it runs. What they
// hand back is checked (see plugin_records.hpp).
#pragma once

#include "host/native_entry_points.hpp"
#include "qelhost/session/plugin_records.hpp"
#include "qelhost/gate/plugin_module.hpp"

#include <string>
#include <vector>

class PluginEntries {
  public:
    // Binds the exports; Found and Missing list the entry points' names.
    PluginEntries(const PluginModule& Module, std::vector<std::string>& Found,
                  std::vector<std::string>& Missing);

    bool CanStart() const; // SetStartupInfo and GetPluginInfo are there
    bool CanOpen() const;  // OpenPlugin
    bool CanOpenFiles() const;
    bool TakesKeys() const;
    bool TakesEditorEvents() const;
    bool TakesEditorInput() const;
    bool TakesViewerEvents() const;

    void SetStartupInfo(const PluginStartupInfo& Info) const;
    Registration GetPluginInfo() const;
    HANDLE OpenPlugin(int OpenFrom, INT_PTR Item) const;
    HANDLE OpenFilePlugin(const char* Name, const unsigned char* Data, int Size) const;
    PanelDescription GetOpenPluginInfo(HANDLE Panel) const;
    // False when the plugin gives no list. The list is read into rows at
    // once; FreeFindData hands it back.
    struct FindList {
        PluginPanelItem* Items = nullptr;
        int Count = 0;
        std::vector<PanelRow> Rows;
    };
    bool GetFindData(HANDLE Panel, FindList& List) const;
    // False when the plugin has no FreeFindData or there was no list.
    bool FreeFindData(HANDLE Panel, const FindList& List) const;
    int ProcessKey(HANDLE Panel, int Key, unsigned ControlState) const;
    void ClosePlugin(HANDLE Panel) const;
    int ProcessEditorEvent(int Event, void* Param) const;
    int ProcessEditorInput(const INPUT_RECORD* Record) const;
    int ProcessViewerEvent(int Event, void* Param) const;

  private:
    SetStartupInfoEntry SetStartupInfoCall;
    GetPluginInfoEntry GetPluginInfoCall;
    OpenPluginEntry OpenPluginCall;
    OpenFilePluginEntry OpenFilePluginCall;
    GetOpenPluginInfoEntry GetOpenPluginInfoCall;
    GetFindDataEntry GetFindDataCall;
    FreeFindDataEntry FreeFindDataCall;
    ClosePluginEntry ClosePluginCall;
    ProcessKeyEntry ProcessKeyCall;
    ProcessEditorEventEntry ProcessEditorEventCall;
    ProcessEditorInputEntry ProcessEditorInputCall;
    ProcessViewerEventEntry ProcessViewerEventCall;
};
