// The plugin's entry points: bound from its exports, and called the way the
// host calls them, each named for the crash report while it runs. What they
// hand back is checked (see plugin_records.hpp).
#pragma once

#include "host/native_interface.hpp"
#include "qelhost/services/panel_records.hpp"
#include "qelhost/session/plugin_records.hpp"
#include "qelhost/gate/plugin_module.hpp"

#include <string>
#include <vector>

class PluginEntries {
  public:
    // Binds the exports; Found and Missing list the entry points' names
    // (Configure, ExitFAR and GetMinFarVersion, which few plugins have, are
    // listed only when found).
    PluginEntries(const PluginModule& Module, std::vector<std::string>& Found,
                  std::vector<std::string>& Missing);

    bool CanStart() const; // SetStartupInfo and GetPluginInfo are there
    bool CanOpen() const;  // OpenPlugin
    bool CanOpenFiles() const;
    bool TakesKeys() const;
    bool CanConfigure() const;
    bool AsksForVersion() const; // GetMinFarVersion
    bool HasExitFAR() const;

    int GetMinFarVersion() const;
    void SetStartupInfo(const Native::PluginStartupInfo& Info) const;
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
    int Configure(int ItemNumber) const;
    void ExitFAR() const;

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
    ConfigureEntry ConfigureCall;
    ExitFAREntry ExitFARCall;
    GetMinFarVersionEntry GetMinFarVersionCall;
    void* OptionalEntries[OptionalCount];
};
