#include "qelhost/session/entry_points.hpp"
#include "qelhost/gate/plugin_call.hpp"

#include <stdint.h>
#include <string.h>

#include <type_traits>

namespace {

template <typename Entry>
Entry Bind(const PluginModule& Module, const char* Name, std::vector<std::string>& Found,
           std::vector<std::string>& Missing) {
    void* Address = FindExport(Module, Name);
    (Address != nullptr ? Found : Missing).push_back(Name);
    return reinterpret_cast<Entry>(Address);
}

// An entry point of the editor and viewer: named when exported, and not
// listed among the missing, so that the load lines of a plugin without
// them stay as they were.
template <typename Entry>
Entry BindQuietly(const PluginModule& Module, const char* Name, std::vector<std::string>& Found) {
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
      ProcessEditorEventCall(
          BindQuietly<ProcessEditorEventEntry>(Module, "ProcessEditorEvent", Found)),
      ProcessEditorInputCall(
          BindQuietly<ProcessEditorInputEntry>(Module, "ProcessEditorInput", Found)),
      ProcessViewerEventCall(
          BindQuietly<ProcessViewerEventEntry>(Module, "ProcessViewerEvent", Found)) {}

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
bool PluginEntries::TakesEditorEvents() const {
    return ProcessEditorEventCall != nullptr;
}
bool PluginEntries::TakesEditorInput() const {
    return ProcessEditorInputCall != nullptr;
}
bool PluginEntries::TakesViewerEvents() const {
    return ProcessViewerEventCall != nullptr;
}

void PluginEntries::SetStartupInfo(const PluginStartupInfo& Info) const {
    Call("SetStartupInfo", SetStartupInfoCall, &Info);
}

Registration PluginEntries::GetPluginInfo() const {
    PluginInfo Info;
    memset(&Info, 0, sizeof Info);
    Call("GetPluginInfo", GetPluginInfoCall, &Info);
    return ReadRegistration(Info);
}

HANDLE PluginEntries::OpenPlugin(int OpenFrom, INT_PTR Item) const {
    return Call("OpenPlugin", OpenPluginCall, OpenFrom, Item);
}

HANDLE PluginEntries::OpenFilePlugin(const char* Name, const unsigned char* Data, int Size) const {
    return Call("OpenFilePlugin", OpenFilePluginCall, Name, Data, Size);
}

PanelDescription PluginEntries::GetOpenPluginInfo(HANDLE Panel) const {
    OpenPluginInfo Info;
    memset(&Info, 0, sizeof Info);
    Info.StructSize = sizeof Info;
    if (GetOpenPluginInfoCall != nullptr)
        Call("GetOpenPluginInfo", GetOpenPluginInfoCall, Panel, &Info);
    return ReadPanelDescription(Info);
}

bool PluginEntries::GetFindData(HANDLE Panel, FindList& List) const {
    List = FindList{};
    if (GetFindDataCall == nullptr ||
        !Call("GetFindData", GetFindDataCall, Panel, &List.Items, &List.Count, 0)) {
        List = FindList{};
        return false;
    }
    List.Rows = ReadFindList(List.Items, List.Count);
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

int PluginEntries::ProcessEditorEvent(int Event, void* Param) const {
    return Call("ProcessEditorEvent", ProcessEditorEventCall, Event, Param);
}

int PluginEntries::ProcessEditorInput(const INPUT_RECORD* Record) const {
    return Call("ProcessEditorInput", ProcessEditorInputCall, Record);
}

int PluginEntries::ProcessViewerEvent(int Event, void* Param) const {
    return Call("ProcessViewerEvent", ProcessViewerEventCall, Event, Param);
}
