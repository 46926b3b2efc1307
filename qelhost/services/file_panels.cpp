#include "qelhost/services/file_panels.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/folder_listing.hpp"
#include "qelhost/services/panel_view.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/windows_paths.hpp"

#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <algorithm>

namespace {

FilePanel PanelOn(Side Place) {
    FilePanel Panel;
    Panel.Place = Place;
    return Panel;
}

FilePanel Panels[2] = {PanelOn(Side::Left), PanelOn(Side::Right)};
Side Active = Side::Left;
CommandLineState CommandLine;
PluginPanelCalls Calls{};

std::string NameOf(const PanelItem& Item) {
    return std::string(Item.FindData.cFileName, strnlen(Item.FindData.cFileName, MAX_PATH));
}

PanelItem UpItem() {
    PanelItem Item;
    memset(&Item, 0, sizeof Item);
    Item.FindData.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    strcpy(Item.FindData.cFileName, "..");
    return Item;
}

std::string Extension(const std::string& Name) {
    size_t Dot = Name.rfind('.');
    return Dot == std::string::npos || Dot == 0 ? "" : Name.substr(Dot + 1);
}

// Names without case; with Numeric, runs of digits as numbers.
int CompareNames(const std::string& A, const std::string& B, bool Numeric) {
    size_t I = 0, J = 0;
    while (I < A.size() && J < B.size()) {
        unsigned char X = A[I], Y = B[J];
        if (Numeric && isdigit(X) && isdigit(Y)) {
            size_t EndA = A.find_first_not_of("0123456789", I);
            size_t EndB = B.find_first_not_of("0123456789", J);
            unsigned long long U = std::stoull(A.substr(I, EndA - I).substr(0, 18));
            unsigned long long V = std::stoull(B.substr(J, EndB - J).substr(0, 18));
            if (U != V)
                return U < V ? -1 : 1;
            I = EndA == std::string::npos ? A.size() : EndA;
            J = EndB == std::string::npos ? B.size() : EndB;
            continue;
        }
        if (tolower(X) != tolower(Y))
            return tolower(X) < tolower(Y) ? -1 : 1;
        ++I;
        ++J;
    }
    return (A.size() - I > 0) - (B.size() - J > 0);
}

uint64_t Written(const PanelItem& Item) {
    const FILETIME& Time = Item.FindData.ftLastWriteTime;
    return (static_cast<uint64_t>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime;
}

// The sort modes' order of two items, folders before files.
bool Before(const FilePanel& Panel, const PanelItem& A, const PanelItem& B) {
    bool FolderA = IsFolder(A.FindData), FolderB = IsFolder(B.FindData);
    if (FolderA != FolderB)
        return FolderA;
    std::string NameA = NameOf(A), NameB = NameOf(B);
    int Order = 0;
    if (Panel.Modes.SortMode == SM_EXT)
        Order = CompareNames(Extension(NameA), Extension(NameB), Panel.Modes.Numeric);
    else if (Panel.Modes.SortMode == SM_SIZE)
        Order = EntrySize(B.FindData) < EntrySize(A.FindData)   ? -1
                : EntrySize(A.FindData) < EntrySize(B.FindData) ? 1
                                                                : 0;
    else if (Panel.Modes.SortMode == SM_MTIME)
        Order = Written(B) < Written(A) ? -1 : Written(A) < Written(B) ? 1 : 0;
    if (Order == 0)
        Order = CompareNames(NameA, NameB, Panel.Modes.Numeric);
    return Panel.Modes.Reverse ? Order > 0 : Order < 0;
}

std::u32string SizeText(const PanelItem& Item) {
    if (IsUpItem(Item))
        return U"Up";
    if (IsFolder(Item.FindData))
        return U"Folder";
    return FromUtf8(std::to_string(EntrySize(Item.FindData)));
}

// "416 bytes in 2 files", as the host tells the selection.
std::u32string SelectionText(const FilePanel& Panel) {
    uint64_t Bytes = 0;
    int Files = 0;
    for (const PanelItem& Item : Panel.Items)
        if (Item.Flags & PPIF_SELECTED) {
            Bytes += EntrySize(Item.FindData);
            ++Files;
        }
    if (Files == 0)
        return U"";
    return FromUtf8(std::to_string(Bytes) + " bytes in " + std::to_string(Files) +
                    (Files == 1 ? " file" : " files"));
}

void KeepCursorOn(FilePanel& Panel, const std::string& Name) {
    int Found = -1;
    for (size_t I = 0; I < Panel.Items.size() && Found < 0; ++I)
        if (NameOf(Panel.Items[I]) == Name)
            Found = static_cast<int>(I);
    Panel.Current = Found >= 0 ? Found
                               : std::clamp(Panel.Current, 0,
                                            std::max(static_cast<int>(Panel.Items.size()) - 1, 0));
}

} // namespace

void UsePluginPanelCalls(PluginPanelCalls Given) {
    Calls = Given;
}

const PluginPanelCalls& PluginPanel() {
    return Calls;
}

const char* SideName(Side Place) {
    return Place == Side::Left ? "left" : "right";
}

Side Other(Side Place) {
    return Place == Side::Left ? Side::Right : Side::Left;
}

FilePanel& PanelAt(Side Place) {
    return Panels[Place == Side::Left ? 0 : 1];
}

Side ActiveSide() {
    return Active;
}

void MakeActive(Side Place) {
    Active = Place;
}

bool PanelsInUse() {
    return Panels[0].Shown || Panels[1].Shown;
}

FilePanel& ReadyPanel(Side Place) {
    FilePanel& Panel = PanelAt(Place);
    std::string Why;
    if (Panel.Folder.empty() && Panel.Plugin == nullptr)
        ShowFolder(Panel, PathHere("."), Why);
    return Panel;
}

FilePanel* PanelOfPlugin(HANDLE Plugin) {
    for (FilePanel& Panel : Panels)
        if (Panel.Plugin != nullptr && Panel.Plugin == Plugin)
            return &Panel;
    return nullptr;
}

bool IsUpItem(const PanelItem& Item) {
    return NameOf(Item) == "..";
}

bool ShowFolder(FilePanel& Panel, const std::string& Here, std::string& Why) {
    std::vector<FolderEntry> Entries;
    if (!ListFolder(Here, Entries, Why))
        return false;
    Panel.Folder = Here;
    Panel.Items.clear();
    if (ShownPath(Here).size() > 3) // a drive's root has no ".."
        Panel.Items.push_back(UpItem());
    for (const FolderEntry& Entry : Entries) {
        PanelItem Item;
        memset(&Item, 0, sizeof Item);
        Item.FindData = Entry.Data;
        Panel.Items.push_back(Item);
    }
    SortPanel(Panel);
    Panel.Current = Panel.Top = 0;
    Panel.Changed = true;
    return true;
}

void UpdatePanel(FilePanel& Panel, bool KeepSelection) {
    std::vector<std::string> Selected;
    for (const PanelItem& Item : Panel.Items)
        if (Item.Flags & PPIF_SELECTED)
            Selected.push_back(NameOf(Item));
    std::string Current =
        Panel.Items.empty()
            ? ""
            : NameOf(Panel.Items[std::min<size_t>(Panel.Current, Panel.Items.size() - 1)]);
    if (Panel.Plugin != nullptr) {
        Calls.Reread(Panel);
    } else {
        std::string Why;
        int Cursor = Panel.Current;
        if (!ShowFolder(Panel, Panel.Folder, Why))
            Panel.Items.clear();
        Panel.Current = Cursor;
    }
    for (PanelItem& Item : Panel.Items) {
        bool Was = std::find(Selected.begin(), Selected.end(), NameOf(Item)) != Selected.end();
        if (KeepSelection && Was)
            Item.Flags |= PPIF_SELECTED;
    }
    KeepCursorOn(Panel, Current);
    Panel.Changed = true;
}

void SortPanel(FilePanel& Panel) {
    if (Panel.Plugin != nullptr && Calls.Sort != nullptr)
        Calls.Sort(Panel);
    else
        SortInHostOrder(Panel);
}

void SortInHostOrder(FilePanel& Panel) {
    auto First = Panel.Items.begin();
    if (First != Panel.Items.end() && IsUpItem(*First))
        ++First;
    if (Panel.Modes.SortMode == SM_UNSORTED && Panel.Plugin != nullptr)
        return;
    std::stable_sort(First, Panel.Items.end(),
                     [&](const PanelItem& A, const PanelItem& B) { return Before(Panel, A, B); });
}

int FindItem(const FilePanel& Panel, const std::string& Name) {
    std::string Oem = UnicodeToOem(FromUtf8(Name));
    for (size_t I = 0; I < Panel.Items.size(); ++I)
        if (strcasecmp(NameOf(Panel.Items[I]).c_str(), Oem.c_str()) == 0)
            return static_cast<int>(I);
    return -1;
}

std::vector<int> ChosenItems(const FilePanel& Panel) {
    std::vector<int> Chosen;
    for (size_t I = 0; I < Panel.Items.size(); ++I)
        if (Panel.Items[I].Flags & PPIF_SELECTED)
            Chosen.push_back(static_cast<int>(I));
    if (Chosen.empty() && Panel.Current < static_cast<int>(Panel.Items.size()) &&
        !IsUpItem(Panel.Items[Panel.Current]))
        Chosen.push_back(Panel.Current);
    return Chosen;
}

std::string PanelFolder(const FilePanel& Panel) {
    if (Panel.Plugin != nullptr)
        return Panel.PluginFolder;
    return UnicodeToOem(FromUtf8(ShownPath(Panel.Folder)));
}

void DrawFilePanel(FilePanel& Panel, const std::string& Why) {
    Panel.Changed = false;
    if (Panel.Plugin != nullptr && Calls.Redrawing != nullptr && Calls.Redrawing(Panel))
        return;
    printf("host: %s the %s panel%s\n", Why.c_str(), SideName(Panel.Place),
           Panel.Place == Active ? " (active)" : "");
    std::vector<PanelRow> Rows;
    for (size_t I = 0; I < Panel.Items.size(); ++I) {
        const PanelItem& Item = Panel.Items[I];
        Rows.push_back({OemToUnicode(NameOf(Item)), SizeText(Item),
                        static_cast<int>(I) == Panel.Current, (Item.Flags & PPIF_SELECTED) != 0});
    }
    std::u32string Title =
        Panel.Plugin != nullptr ? Panel.PluginTitle : OemToUnicode(PanelFolder(Panel));
    DrawPanelRows(Title, Rows, true, SelectionText(Panel));
    Panel.Changed = false;
}

void DrawChangedPanels() {
    if (!PanelsInUse())
        return;
    for (FilePanel& Panel : Panels)
        if (Panel.Changed)
            DrawFilePanel(Panel, "redraws");
}

CommandLineState& TheCommandLine() {
    return CommandLine;
}
