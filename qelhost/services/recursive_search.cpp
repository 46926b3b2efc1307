// FSF.FarRecursiveSearch: a real folder walked, the plugin's function
// called (through the gate, a nested call) for each entry that matches the
// mask list (the host's file masks, as FSF.ProcessName matches them), with
// its find record and its full Windows path, until it returns 0.
#include "qelhost/gate/plugin_call.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/folder_listing.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/service_call.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/windows_paths.hpp"

#include <stdio.h>

namespace {

const char Service[] = "FarRecursiveSearch";
constexpr int MaxDepth = 32;

struct Search {
    std::string Masks;
    FRSUSERFUNC Function;
    DWORD Flags;
    void* Param;
    int Calls = 0;
};

bool Call(Search& S, const FindRecord& Record, const std::string& FullName) {
    ++S.Calls;
    return CallPluginBack("the search function of FarRecursiveSearch",
                          reinterpret_cast<const void*>(S.Function),
                          {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&Record)),
                           static_cast<uint32_t>(reinterpret_cast<uintptr_t>(FullName.c_str())),
                           static_cast<uint32_t>(reinterpret_cast<uintptr_t>(S.Param))}) != 0;
}

// False once the plugin's function asked to stop.
bool Walk(Search& S, const std::string& Here, const std::string& Shown, int Depth) {
    std::vector<FolderEntry> Entries;
    std::string Why;
    if (Depth > MaxDepth || !ListFolder(Here, Entries, Why))
        return true;
    for (const FolderEntry& Entry : Entries) {
        std::string Name = Entry.Data.cFileName;
        std::string FullName = Shown + (Shown.back() == '\\' ? "" : "\\") + Name;
        if (MatchesMaskList(S.Masks, Name) && !Call(S, Entry.Data, FullName))
            return false;
        if (IsFolder(Entry.Data) && S.Flags & FRS_RECUR) {
            if (!Walk(S, Entry.Here, FullName, Depth + 1))
                return false;
            if (S.Flags & FRS_RETUPDIR && !Call(S, Entry.Data, FullName))
                return false;
        }
    }
    return true;
}

} // namespace

PLUGIN_STDCALL void FarRecursiveSearch(const char* InitDir, const char* Mask, FRSUSERFUNC Func,
                                       DWORD Flags, void* Param) {
    Serve(Service, [&] {
        std::string Folder = UnicodeToOem(ReadText(Service, "the folder", InitDir));
        Search S{UnicodeToOem(ReadText(Service, "the mask", Mask)), Func, Flags, Param};
        std::string Here = PathHere(ToUtf8(OemToUnicode(Folder)));
        std::string Shown = UnicodeToOem(FromUtf8(ShownPath(Here)));
        printf("host: FarRecursiveSearch(\"%s\", \"%s\", flags 0x%X)\n",
               Printable(OemToUnicode(Folder)).c_str(), Printable(OemToUnicode(S.Masks)).c_str(),
               Flags);
        bool Whole = Here.empty() || Walk(S, Here, Shown, 0);
        printf("host: FarRecursiveSearch called the plugin's function %d time%s%s\n", S.Calls,
               S.Calls == 1 ? "" : "s", Whole ? "" : ", until it asked to stop");
    });
}
