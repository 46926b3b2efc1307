// The pseudo-folder's listing: three fixed files made from constants.
#include "plugin/plugin.hpp"
#include "plugin/storage_error.hpp"

#include <stdlib.h>
#include <string.h>

constexpr int ItemCount = 3;
constexpr int ItemNameWidth = 20;

// Each name is a fixed 20-character field, NUL-padded.
static const char ItemNames[ItemCount][ItemNameWidth] = {"file.1", "file.2", "file.3"};
static_assert(ItemNameWidth <= sizeof PluginPanelItem::FindData.cFileName);

int FARAPI GetFindData(HANDLE, PluginPanelItem** pPanelItem, int* pItemsNumber, int) {
    // The item array is the allocation itself, so FreeFindData frees exactly
    // the address it gets back. calloc, not new: it zeroes every field, and no
    // exception may cross the host boundary.
    auto* Items = static_cast<PluginPanelItem*>(calloc(ItemCount, sizeof(PluginPanelItem)));
    if (Items == nullptr)
        RaiseStorageError();
    *pItemsNumber = ItemCount;
    *pPanelItem = Items;
    for (int I = 0; I < ItemCount; ++I) {
        memcpy(Items[I].FindData.cFileName, ItemNames[I], ItemNameWidth);
        SetFileSize(Items[I].FindData, 10 * I + 10);
    }
    return 1;
}

void FARAPI FreeFindData(HANDLE, PluginPanelItem* PanelItem, int) {
    free(PanelItem); // free(nullptr) does nothing, as the host may ask
}
