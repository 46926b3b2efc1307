#include "qelhost/session/entry_points.hpp"
#include "qelhost/gate/plugin_arena.hpp"
#include "qelhost/gate/plugin_call.hpp"

#include <stdint.h>
#include <string.h>

#include <iterator>
#include <type_traits>

namespace {

template <typename Entry>
Entry Bind(const PluginModule& Module, const char* Name, std::vector<std::string>& Found,
           std::vector<std::string>& Missing) {
    void* Address = FindExport(Module, Name);
    (Address != nullptr ? Found : Missing).push_back(Name);
    return reinterpret_cast<Entry>(Address);
}

// An entry point few plugins have: named only when there.
template <typename Entry>
Entry BindOptional(const PluginModule& Module, const char* Name, std::vector<std::string>& Found) {
    void* Address = FindExport(Module, Name);
    if (Address != nullptr)
        Found.push_back(Name);
    return reinterpret_cast<Entry>(Address);
}

// An argument or result as the 32-bit word it is on the plugin's stack or in eax.
template <typename Value> uint32_t Word(Value Given) {
    if constexpr (std::is_pointer_v<Value>)
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Given));
    else
        return static_cast<uint32_t>(Given);
}

template <typename Result> Result FromWord(uint32_t Eax) {
    if constexpr (std::is_pointer_v<Result>)
        return reinterpret_cast<Result>(static_cast<uintptr_t>(Eax));
    else
        return static_cast<Result>(Eax);
}

// Calls the entry point Name through the gate that notes it as running for
// the crash report and holds it to the calling convention.
template <typename Entry, typename... Arguments>
auto Call(const char* Name, Entry Function, Arguments... Values) {
    using Result = decltype(Function(Values...));
    uint32_t Eax = CallPlugin(Name, reinterpret_cast<const void*>(Function), {Word(Values)...});
    if constexpr (!std::is_void_v<Result>)
        return FromWord<Result>(Eax);
}

const char* const OptionalNames[] = {
    "SetDirectory", "MakeDirectory",      "DeleteFiles",        "GetFiles",
    "PutFiles",     "ProcessHostFile",    "ProcessEvent",       "Compare",
    "SetFindList",  "ProcessEditorEvent", "ProcessEditorInput", "ProcessViewerEvent"};
static_assert(std::size(OptionalNames) == PluginEntries::OptionalCount);

typedef int(FARAPI* SetDirectoryEntry)(HANDLE, const char*, int);
typedef int(FARAPI* MakeDirectoryEntry)(HANDLE, char*, int);
typedef int(FARAPI* ItemsEntry)(HANDLE, PanelItem*, int, int);
typedef int(FARAPI* GetFilesEntry)(HANDLE, PanelItem*, int, int, char*, int);
typedef int(FARAPI* PutFilesEntry)(HANDLE, PanelItem*, int, int, int);
typedef int(FARAPI* ProcessEventEntry)(HANDLE, int, void*);
typedef int(FARAPI* CompareEntry)(HANDLE, const PanelItem*, const PanelItem*, unsigned);
typedef int(FARAPI* SetFindListEntry)(HANDLE, const PanelItem*, int);

} // namespace

PluginEntries::PluginEntries(const PluginModule& Module, std::vector<std::string>& Found,
                             std::vector<std::string>& Missing)
    : SetStartupInfoCall(Bind<SetStartupInfoEntry>(Module, "SetStartupInfo", Found, Missing)),
      GetPluginInfoCall(Bind<GetPluginInfoEntry>(Module, "GetPluginInfo", Found, Missing)),
      OpenPluginCall(Bind<OpenPluginEntry>(Module, "OpenPlugin", Found, Missing)),
      OpenFilePluginCall(Bind<OpenFilePluginEntry>(Module, "OpenFilePlugin", Found, Missing)),
      GetOpenPluginInfoCall(
          Bind<GetOpenPluginInfoEntry>(Module, "GetOpenPluginInfo", Found, Missing)),
      GetFindDataCall(Bind<GetFindDataEntry>(Module, "GetFindData", Found, Missing)),
      FreeFindDataCall(Bind<FreeFindDataEntry>(Module, "FreeFindData", Found, Missing)),
      ClosePluginCall(Bind<ClosePluginEntry>(Module, "ClosePlugin", Found, Missing)),
      ProcessKeyCall(Bind<ProcessKeyEntry>(Module, "ProcessKey", Found, Missing)),
      ConfigureCall(BindOptional<ConfigureEntry>(Module, "Configure", Found)),
      ExitFARCall(BindOptional<ExitFAREntry>(Module, "ExitFAR", Found)),
      GetMinFarVersionCall(BindOptional<GetMinFarVersionEntry>(Module, "GetMinFarVersion", Found)) {
    // Listed when exported; a plugin need not have them, so their absence
    // is not told.
    for (int I = 0; I < OptionalCount; ++I) {
        OptionalEntries[I] = FindExport(Module, OptionalNames[I]);
        if (OptionalEntries[I] != nullptr)
            Found.push_back(OptionalNames[I]);
    }
}

bool PluginEntries::Has(Optional Entry) const {
    return OptionalEntries[Entry] != nullptr;
}

int PluginEntries::SetDirectoryCall(HANDLE Panel, const char* Dir, int OpMode) const {
    return Call("SetDirectory", reinterpret_cast<SetDirectoryEntry>(OptionalEntries[SetDirectory]),
                Panel, Dir, OpMode);
}

int PluginEntries::MakeDirectoryCall(HANDLE Panel, char* Name, int OpMode) const {
    return Call("MakeDirectory",
                reinterpret_cast<MakeDirectoryEntry>(OptionalEntries[MakeDirectory]), Panel, Name,
                OpMode);
}

int PluginEntries::DeleteFilesCall(HANDLE Panel, PanelItem* Items, int Count, int OpMode) const {
    return Call("DeleteFiles", reinterpret_cast<ItemsEntry>(OptionalEntries[DeleteFiles]), Panel,
                Items, Count, OpMode);
}

int PluginEntries::GetFilesCall(HANDLE Panel, PanelItem* Items, int Count, int Move, char* DestPath,
                                int OpMode) const {
    return Call("GetFiles", reinterpret_cast<GetFilesEntry>(OptionalEntries[GetFiles]), Panel,
                Items, Count, Move, DestPath, OpMode);
}

int PluginEntries::PutFilesCall(HANDLE Panel, PanelItem* Items, int Count, int Move,
                                int OpMode) const {
    return Call("PutFiles", reinterpret_cast<PutFilesEntry>(OptionalEntries[PutFiles]), Panel,
                Items, Count, Move, OpMode);
}

int PluginEntries::ProcessHostFileCall(HANDLE Panel, PanelItem* Items, int Count,
                                       int OpMode) const {
    return Call("ProcessHostFile", reinterpret_cast<ItemsEntry>(OptionalEntries[ProcessHostFile]),
                Panel, Items, Count, OpMode);
}

int PluginEntries::ProcessEventCall(HANDLE Panel, int Event, void* Param) const {
    return Call("ProcessEvent", reinterpret_cast<ProcessEventEntry>(OptionalEntries[ProcessEvent]),
                Panel, Event, Param);
}

int PluginEntries::CompareCall(HANDLE Panel, const PanelItem* A, const PanelItem* B,
                               unsigned Mode) const {
    return Call("Compare", reinterpret_cast<CompareEntry>(OptionalEntries[Compare]), Panel, A, B,
                Mode);
}

int PluginEntries::SetFindListCall(HANDLE Panel, const PanelItem* Items, int Count) const {
    return Call("SetFindList", reinterpret_cast<SetFindListEntry>(OptionalEntries[SetFindList]),
                Panel, Items, Count);
}

bool PluginEntries::CanStart() const {
    return SetStartupInfoCall != nullptr && GetPluginInfoCall != nullptr;
}
bool PluginEntries::CanOpen() const {
    return OpenPluginCall != nullptr;
}
bool PluginEntries::CanOpenFiles() const {
    return OpenFilePluginCall != nullptr;
}
bool PluginEntries::TakesKeys() const {
    return ProcessKeyCall != nullptr;
}
bool PluginEntries::CanConfigure() const {
    return ConfigureCall != nullptr;
}
bool PluginEntries::AsksForVersion() const {
    return GetMinFarVersionCall != nullptr;
}
bool PluginEntries::HasExitFAR() const {
    return ExitFARCall != nullptr;
}

int PluginEntries::GetMinFarVersion() const {
    return Call("GetMinFarVersion", GetMinFarVersionCall);
}

void PluginEntries::SetStartupInfo(const Native::PluginStartupInfo& Info) const {
    // The native record begins with the 336 bytes the entry point's type
    // names; the plugin reads as far as its interface reaches.
    Call("SetStartupInfo", SetStartupInfoCall, reinterpret_cast<const PluginStartupInfo*>(&Info));
}

Registration PluginEntries::GetPluginInfo() const {
    HandedRecord<PluginInfo> Info;
    Call("GetPluginInfo", GetPluginInfoCall, Info.get());
    return ReadRegistration(*Info.get());
}

HANDLE PluginEntries::OpenPlugin(int OpenFrom, INT_PTR Item) const {
    return Call("OpenPlugin", OpenPluginCall, OpenFrom, Item);
}

HANDLE PluginEntries::OpenFilePlugin(const char* Name, const unsigned char* Data, int Size) const {
    return Call("OpenFilePlugin", OpenFilePluginCall, Name, Data, Size);
}

PanelDescription PluginEntries::GetOpenPluginInfo(HANDLE Panel) const {
    HandedRecord<OpenPluginInfo> Info;
    Info->StructSize = sizeof(OpenPluginInfo);
    if (GetOpenPluginInfoCall != nullptr)
        Call("GetOpenPluginInfo", GetOpenPluginInfoCall, Panel, Info.get());
    return ReadPanelDescription(*Info.get());
}

bool PluginEntries::GetFindData(HANDLE Panel, FindList& List, int OpMode) const {
    List = FindList{};
    struct Found {
        PluginPanelItem* Items;
        int Count;
    };
    HandedRecord<Found> Given;
    if (GetFindDataCall == nullptr ||
        !Call("GetFindData", GetFindDataCall, Panel, &Given->Items, &Given->Count, OpMode)) {
        List = FindList{};
        return false;
    }
    List.Items = Given->Items;
    List.Count = Given->Count;
    List.Records = ReadFindItems(List.Items, List.Count);
    List.Rows = RowsOf(List.Records);
    return true;
}

bool PluginEntries::FreeFindData(HANDLE Panel, const FindList& List) const {
    if (List.Items == nullptr || FreeFindDataCall == nullptr)
        return false;
    Call("FreeFindData", FreeFindDataCall, Panel, List.Items, List.Count);
    return true;
}

int PluginEntries::ProcessKey(HANDLE Panel, int Key, unsigned ControlState) const {
    return Call("ProcessKey", ProcessKeyCall, Panel, Key, ControlState);
}

void PluginEntries::ClosePlugin(HANDLE Panel) const {
    if (ClosePluginCall != nullptr)
        Call("ClosePlugin", ClosePluginCall, Panel);
}

int PluginEntries::Configure(int ItemNumber) const {
    return Call("Configure", ConfigureCall, ItemNumber);
}

void PluginEntries::ExitFAR() const {
    if (ExitFARCall != nullptr)
        Call("ExitFAR", ExitFARCall);
}

int PluginEntries::ProcessEditorEventCall(int Event, void* Param) const {
    return Call("ProcessEditorEvent",
                reinterpret_cast<ProcessEditorEventEntry>(OptionalEntries[ProcessEditorEvent]),
                Event, Param);
}

int PluginEntries::ProcessEditorInputCall(const INPUT_RECORD* Record) const {
    return Call("ProcessEditorInput",
                reinterpret_cast<ProcessEditorInputEntry>(OptionalEntries[ProcessEditorInput]),
                Record);
}

int PluginEntries::ProcessViewerEventCall(int Event, void* Param) const {
    return Call("ProcessViewerEvent",
                reinterpret_cast<ProcessViewerEventEntry>(OptionalEntries[ProcessViewerEvent]),
                Event, Param);
}
