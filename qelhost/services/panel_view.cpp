#include "qelhost/services/panel_view.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/text_canvas.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int SizeColumn = 10;
constexpr int MinimumNameColumn = 12;

struct Row {
    std::u32string Name;
    std::u32string Size;
};

std::string FlagNames(DWORD Flags) {
    const std::pair<DWORD, const char*> Names[] = {{OPIF_USESORTGROUPS, "OPIF_USESORTGROUPS"},
                                                   {OPIF_USEHIGHLIGHTING, "OPIF_USEHIGHLIGHTING"},
                                                   {OPIF_ADDDOTS, "OPIF_ADDDOTS"}};
    std::string Text;
    for (const auto& [Bit, Name] : Names)
        if (Flags & Bit) {
            Text += (Text.empty() ? "" : " | ") + std::string(Name);
            Flags &= ~Bit;
        }
    if (Flags != 0) {
        char Rest[16];
        snprintf(Rest, sizeof Rest, "0x%X", Flags);
        Text += (Text.empty() ? "" : " | ") + std::string(Rest);
    }
    return Text.empty() ? "none" : Text;
}

std::string Quoted(const char* OemText) {
    return OemText == nullptr ? "(null)" : "\"" + ToUtf8(Shown(OemText)) + "\"";
}

Row ItemRow(const PluginPanelItem& Item) {
    const WIN32_FIND_DATA& Data = Item.FindData;
    std::u32string Name =
        Shown(std::string(Data.cFileName, strnlen(Data.cFileName, MaxPathChars)).c_str());
    if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {Name, U"Folder"};
    unsigned long long Size =
        (static_cast<unsigned long long>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
    return {Name, FromUtf8(std::to_string(Size))};
}

} // namespace

void DescribePanel(const OpenPluginInfo& Info) {
    printf("host: GetOpenPluginInfo: title %s, host file %s, directory %s\n",
           Quoted(Info.PanelTitle).c_str(), Quoted(Info.HostFile).c_str(),
           Quoted(Info.CurDir).c_str());
    printf("host: flags %s; %s\n", FlagNames(Info.Flags).c_str(),
           Info.StartSortMode == SM_UNSORTED ? "unsorted: the plugin's order" : "sorted by name");
}

void ShowPanel(const OpenPluginInfo& Info, const PluginPanelItem* Items, int Count) {
    bool Unsorted = Info.StartSortMode == SM_UNSORTED;

    std::vector<Row> Rows;
    for (int I = 0; I < Count; ++I)
        Rows.push_back(ItemRow(Items[I]));
    if (!Unsorted)
        std::stable_sort(Rows.begin(), Rows.end(),
                         [](const Row& A, const Row& B) { return A.Name < B.Name; });
    if (Info.Flags & OPIF_ADDDOTS)
        Rows.insert(Rows.begin(), Row{U"..", U"Up"});

    int NameColumn = MinimumNameColumn;
    for (const Row& R : Rows)
        NameColumn = std::max(NameColumn, static_cast<int>(R.Name.size()));
    std::u32string Title = Shown(Info.PanelTitle);
    int Inner = std::max(NameColumn + SizeColumn + 3, static_cast<int>(Title.size()) + 2);
    int Height = static_cast<int>(Rows.size()) + 2;
    TextCanvas Canvas(Inner + 2, Height);
    Canvas.Frame(0, 0, Inner + 1, Height - 1, true, Title);
    for (size_t I = 0; I < Rows.size(); ++I) {
        int Y = 1 + static_cast<int>(I);
        Canvas.Write(2, Y, Rows[I].Name);
        Canvas.Write(Inner - static_cast<int>(Rows[I].Size.size()), Y, Rows[I].Size);
    }
    fputs(Canvas.Printed().c_str(), stdout);
}
