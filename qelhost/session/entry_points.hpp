// The plugin's entry points: bound from its exports, and called the way the
// host calls them, each named for the crash report while it runs. What they
// hand back is checked (see plugin_records.hpp).
#pragma once

#include "host/native_entry_points.hpp"
#include "qelhost/services/panel_records.hpp"
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
        std::vector<PluginPanelItem> Records;
        std::vector<PanelRow> Rows;
    };
    bool GetFindData(HANDLE Panel, FindList& List, int OpMode = 0) const;
    // False when the plugin has no FreeFindData or there was no list.
    bool FreeFindData(HANDLE Panel, const FindList& List) const;
    int ProcessKey(HANDLE Panel, int Key, unsigned ControlState) const;
    void ClosePlugin(HANDLE Panel) const;

    // The panel, editor and viewer entry points beyond these, each
    // optional: Has tells whether the plugin exports it.
    enum Optional {
        SetDirectory,
        MakeDirectory,
        DeleteFiles,
        GetFiles,
        PutFiles,
        ProcessHostFile,
        ProcessEvent,
        Compare,
        SetFindList,
        ProcessEditorEvent,
        ProcessEditorInput,
        ProcessViewerEvent,
        OptionalCount
    };
    bool Has(Optional Entry) const;
    int SetDirectoryCall(HANDLE Panel, const char* Dir, int OpMode) const;
    int MakeDirectoryCall(HANDLE Panel, char* Name, int OpMode) const;
    int DeleteFilesCall(HANDLE Panel, PanelItem* Items, int Count, int OpMode) const;
    int GetFilesCall(HANDLE Panel, PanelItem* Items, int Count, int Move, char* DestPath,
                     int OpMode) const;
    int PutFilesCall(HANDLE Panel, PanelItem* Items, int Count, int Move, int OpMode) const;
    int ProcessHostFileCall(HANDLE Panel, PanelItem* Items, int Count, int OpMode) const;
    int ProcessEventCall(HANDLE Panel, int Event, void* Param) const;
    int CompareCall(HANDLE Panel, const PanelItem* A, const PanelItem* B, unsigned Mode) const;
    int SetFindListCall(HANDLE Panel, const PanelItem* Items, int Count) const;
    int ProcessEditorEventCall(int Event, void* Param) const;
    int ProcessEditorInputCall(const INPUT_RECORD* Record) const;
    int ProcessViewerEventCall(int Event, void* Param) const;

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
    void* OptionalEntries[OptionalCount];
};
