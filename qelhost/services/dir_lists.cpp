// GetDirList, GetPluginDirList and FreeDirList: a folder and everything
// under it, as items whose names are paths relative to the folder. The
// host owns each list until the plugin hands it back.
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/folder_listing.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/service_call.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/windows_paths.hpp"

#include <stdio.h>
#include <string.h>

#include <list>

namespace {

std::list<std::vector<PanelItem>> Handed;
PluginFolderLister ListPluginFolder = nullptr;

// Folders deeper than this are not followed: a link that loops would
// otherwise never end the walk.
constexpr int MaxDepth = 32;

void Walk(const std::string& Here, const std::string& Prefix, int Depth,
          std::vector<PanelItem>& Items) {
    std::vector<FolderEntry> Entries;
    std::string Why;
    if (Depth > MaxDepth || !ListFolder(Here, Entries, Why))
        return;
    for (const FolderEntry& Entry : Entries) {
        PanelItem Item;
        memset(&Item, 0, sizeof Item);
        Item.FindData = Entry.Data;
        std::string Name = Prefix + Entry.Data.cFileName;
        memset(Item.FindData.cFileName, 0, sizeof Item.FindData.cFileName);
        memcpy(Item.FindData.cFileName, Name.data(), std::min<size_t>(Name.size(), MAX_PATH - 1));
        Items.push_back(Item);
        if (IsFolder(Entry.Data))
            Walk(Entry.Here, Name + "\\", Depth + 1, Items);
    }
}

// Hands the plugin the list: kept here until FreeDirList.
int HandOver(const char* Service, std::vector<PanelItem> Items, PanelItem** pPanelItem,
             int* pItemsNumber) {
    Handed.push_back(std::move(Items));
    std::vector<PanelItem>& Kept = Handed.back();
    PanelItem* First = Kept.empty() ? nullptr : Kept.data();
    int Count = static_cast<int>(Kept.size());
    if (!CopyToPlugin(pPanelItem, &First, sizeof First) ||
        !CopyToPlugin(pItemsNumber, &Count, sizeof Count)) {
        Handed.pop_back();
        PluginFault(Service, "the list's address or count cannot be written");
    }
    printf("host: %s lists %d item%s\n", Service, Count, Count == 1 ? "" : "s");
    return TRUE;
}

} // namespace

PLUGIN_STDCALL int GetDirList(const char* Dir, PanelItem** pPanelItem, int* pItemsNumber) {
    const char Service[] = "GetDirList";
    return Serve(Service, [&] {
        std::string Folder = ToUtf8(ReadText(Service, "the folder", Dir));
        printf("host: GetDirList(\"%s\")\n", Escaped(Folder).c_str());
        std::vector<PanelItem> Items;
        std::string Here = PathHere(Folder);
        std::vector<FolderEntry> Probe;
        std::string Why;
        if (!ListFolder(Here, Probe, Why)) {
            printf("host: GetDirList: the folder cannot be read (%s)\n", Why.c_str());
            return FALSE;
        }
        Walk(Here, "", 0, Items);
        return HandOver(Service, std::move(Items), pPanelItem, pItemsNumber);
    });
}

PLUGIN_STDCALL int GetPluginDirList(INT_PTR, HANDLE hPlugin, const char* Dir,
                                    PanelItem** pPanelItem, int* pItemsNumber) {
    const char Service[] = "GetPluginDirList";
    return Serve(Service, [&] {
        std::string Folder = UnicodeToOem(ReadText(Service, "the folder", Dir));
        printf("host: GetPluginDirList(%s, \"%s\")\n", HandleText(hPlugin).c_str(),
               Printable(OemToUnicode(Folder)).c_str());
        std::vector<PanelItem> Items;
        if (ListPluginFolder == nullptr || !ListPluginFolder(hPlugin, Folder, Items)) {
            printf("host: GetPluginDirList: the plugin's panel gives no such folder\n");
            return FALSE;
        }
        return HandOver(Service, std::move(Items), pPanelItem, pItemsNumber);
    });
}

PLUGIN_STDCALL void FreeDirList(const PanelItem* PanelItem) {
    Serve("FreeDirList", [&] {
        for (auto List = Handed.begin(); List != Handed.end(); ++List)
            if (!List->empty() && List->data() == PanelItem) {
                printf("host: FreeDirList returns a list of %zu items\n", List->size());
                Handed.erase(List);
                return;
            }
        if (PanelItem != nullptr)
            StopRun(ExitStopped, "FreeDirList: %s is no list the host handed out",
                    AddressText(PanelItem).c_str());
    });
}

std::vector<PanelItem> FolderTree(const std::string& Here) {
    std::vector<PanelItem> Items;
    Walk(Here, "", 0, Items);
    return Items;
}

void UsePluginFolderLister(PluginFolderLister Lister) {
    ListPluginFolder = Lister;
}
