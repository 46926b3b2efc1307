#include "qelhost/services/panel_view.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/panel_records.hpp"
#include "qelhost/services/text_canvas.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

#include <algorithm>

namespace {

constexpr int SizeColumn = 10;
constexpr int MinimumNameColumn = 12;
// Inside the frame: two blanks, the name, a blank, the size.
constexpr int MaxNameColumn = ScreenWidth - 2 - SizeColumn - 3;
constexpr int MaxRows = ScreenHeight - 2;

std::string QuotedOrNull(const std::optional<std::u32string>& Text) {
    return Text ? Quoted(*Text) : "(null)";
}

// The rows that fit, the last telling how many more there were.
void FitRows(std::vector<PanelRow>& Rows) {
    if (static_cast<int>(Rows.size()) <= MaxRows)
        return;
    size_t Hidden = Rows.size() - MaxRows + 1;
    Rows.resize(MaxRows - 1);
    Rows.push_back({FromUtf8("… " + std::to_string(Hidden) + " more items"), U""});
}

} // namespace

int OpeningMode(const PanelDescription& Panel) {
    return Panel.Unsorted ? SM_UNSORTED : SM_NAME;
}

void DescribePanel(const PanelDescription& Panel, int SortMode) {
    printf("host: GetOpenPluginInfo: title %s, host file %s, directory %s\n",
           QuotedOrNull(Panel.Title).c_str(), QuotedOrNull(Panel.HostFile).c_str(),
           QuotedOrNull(Panel.CurDir).c_str());
    std::string Flags = FlagNames(Panel.Flags, {{OPIF_USESORTGROUPS, "OPIF_USESORTGROUPS"},
                                                {OPIF_USEHIGHLIGHTING, "OPIF_USEHIGHLIGHTING"},
                                                {OPIF_ADDDOTS, "OPIF_ADDDOTS"}});
    if (SortMode != OpeningMode(Panel))
        printf("host: flags %s; sort mode %d, as set since the panel opened\n", Flags.c_str(),
               SortMode);
    else
        printf("host: flags %s; %s\n", Flags.c_str(),
               Panel.Unsorted        ? "unsorted: the plugin's order"
               : Panel.UnsortedAsked ? "sorted by name (SM_UNSORTED counts only with panel modes)"
                                     : "sorted by name");
}

void ShowPanel(const PanelDescription& Panel, std::vector<PanelRow> Rows) {
    if (!Panel.Unsorted)
        std::stable_sort(Rows.begin(), Rows.end(),
                         [](const PanelRow& A, const PanelRow& B) { return A.Name < B.Name; });
    if (Panel.Flags & OPIF_ADDDOTS)
        Rows.insert(Rows.begin(), PanelRow{U"..", U"Up"});
    DrawPanelRows(Panel.Title.value_or(U""), std::move(Rows), false, U"");
}

void DrawPanelRows(const std::u32string& PanelTitle, std::vector<PanelRow> Rows, bool Marks,
                   const std::u32string& Footer) {
    FitRows(Rows);
    int NameStart = Marks ? 3 : 2;
    int NameColumn = MinimumNameColumn;
    for (PanelRow& Row : Rows) {
        Row.Name = CutToWidth(Escaped(Row.Name), MaxNameColumn - (NameStart - 2));
        NameColumn = std::max(NameColumn, static_cast<int>(Row.Name.size()));
    }
    std::u32string Title = Escaped(PanelTitle);
    int Inner = std::max(NameColumn + SizeColumn + NameStart + 1,
                         static_cast<int>(std::max(Title.size(), Footer.size())) + 2);
    Inner = std::min(Inner, ScreenWidth - 2);
    int Height = static_cast<int>(Rows.size()) + 2;
    TextCanvas Canvas(Inner + 2, Height);
    Canvas.Frame(0, 0, Inner + 1, Height - 1, true, Title);
    for (size_t I = 0; I < Rows.size(); ++I) {
        int Y = 1 + static_cast<int>(I);
        if (Marks)
            Canvas.Write(1, Y,
                         std::u32string(Rows[I].Cursor ? U">" : U" ") +
                             (Rows[I].Selected ? U"√" : U" "));
        Canvas.Write(NameStart, Y, Rows[I].Name);
        Canvas.Write(Inner - static_cast<int>(Rows[I].Size.size()), Y, Rows[I].Size);
    }
    if (!Footer.empty()) {
        std::u32string Caption = U" " + CutToWidth(Footer, Inner - 2) + U" ";
        Canvas.Write(1 + CentredStart(Inner, static_cast<int>(Caption.size())), Height - 1,
                     Caption);
    }
    fputs(Canvas.Printed().c_str(), stdout);
}
