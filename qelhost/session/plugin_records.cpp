#include "qelhost/session/plugin_records.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/from_plugin.hpp"

#include <string.h>

namespace {

std::optional<std::u32string> OptionalText(const char* Where, const char* What, const char* Text) {
    if (Text == nullptr)
        return std::nullopt;
    return ReadText(Where, What, Text);
}

std::vector<std::u32string> SplitAtColons(const std::u32string& Text) {
    std::vector<std::u32string> Parts;
    for (size_t Start = 0; Start <= Text.size();) {
        size_t Colon = std::min(Text.find(U':', Start), Text.size());
        if (Colon > Start)
            Parts.push_back(Text.substr(Start, Colon - Start));
        Start = Colon + 1;
    }
    return Parts;
}

PanelRow Row(const PluginPanelItem& Item) {
    const WIN32_FIND_DATA& Data = Item.FindData;
    std::u32string Name =
        OemToUnicode(std::string(Data.cFileName, strnlen(Data.cFileName, MaxPathChars)));
    if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {Name, U"Folder"};
    unsigned long long Size =
        (static_cast<unsigned long long>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
    return {Name, FromUtf8(std::to_string(Size))};
}

// A list of Count texts: "menu string 1", …
std::vector<std::u32string> ReadStrings(const char* Where, const std::string& What,
                                        const char* const* List, int Count) {
    Count = CheckedCount(Where, Count, MaxMenuStrings, (What + "s").c_str(), "takes");
    std::vector<const char*> Strings =
        ReadList(Where, ("the " + What + " list").c_str(), List, Count);
    std::vector<std::u32string> Texts;
    for (int I = 0; I < Count; ++I)
        Texts.push_back(ReadText(Where, What + " " + std::to_string(I + 1), Strings[I]));
    return Texts;
}

} // namespace

Registration ReadRegistration(const PluginInfo& Info) {
    const char Where[] = "GetPluginInfo";
    Registration Result;
    Result.Flags = Info.Flags;
    Result.MenuStrings =
        ReadStrings(Where, "menu string", Info.PluginMenuStrings, Info.PluginMenuStringsNumber);
    Result.ConfigStrings = ReadStrings(Where, "configuration string", Info.PluginConfigStrings,
                                       Info.PluginConfigStringsNumber);
    Result.CommandPrefixes =
        SplitAtColons(ReadText(Where, "the command prefix", Info.CommandPrefix));
    return Result;
}

PanelDescription ReadPanelDescription(const OpenPluginInfo& Info) {
    const char Where[] = "GetOpenPluginInfo";
    PanelDescription Panel;
    Panel.Flags = Info.Flags;
    Panel.UnsortedAsked = Info.StartSortMode == SM_UNSORTED;
    Panel.Unsorted = Panel.UnsortedAsked && Info.PanelModesNumber > 0;
    Panel.Title = OptionalText(Where, "the panel title", Info.PanelTitle);
    Panel.HostFile = OptionalText(Where, "the host file", Info.HostFile);
    Panel.CurDir = OptionalText(Where, "the directory", Info.CurDir);
    Panel.Format = OptionalText(Where, "the format", Info.Format);
    Panel.StartSortMode = Info.StartSortMode;
    return Panel;
}

std::vector<PluginPanelItem> ReadFindItems(const PluginPanelItem* Items, int Count) {
    const char Where[] = "GetFindData";
    Count = CheckedCount(Where, Count, MaxPanelItems, "items", "lists");
    return ReadList(Where, "the list", Items, Count);
}

std::vector<PanelRow> ReadFindList(const PluginPanelItem* Items, int Count) {
    return RowsOf(ReadFindItems(Items, Count));
}

std::vector<PanelRow> RowsOf(const std::vector<PluginPanelItem>& List) {
    std::vector<PanelRow> Rows;
    Rows.reserve(List.size());
    for (const PluginPanelItem& Item : List)
        Rows.push_back(Row(Item));
    return Rows;
}

std::vector<PanelItem> AsPanelItems(const std::vector<PluginPanelItem>& Items) {
    std::vector<PanelItem> Result(Items.size());
    for (size_t I = 0; I < Items.size(); ++I) {
        const PluginPanelItem& From = Items[I];
        PanelItem& To = Result[I];
        memset(&To, 0, sizeof To);
        const WIN32_FIND_DATA& Data = From.FindData;
        To.FindData.dwFileAttributes = Data.dwFileAttributes;
        To.FindData.ftCreationTime = Data.ftCreationTime;
        To.FindData.ftLastAccessTime = Data.ftLastAccessTime;
        To.FindData.ftLastWriteTime = Data.ftLastWriteTime;
        To.FindData.nFileSizeHigh = Data.nFileSizeHigh;
        To.FindData.nFileSizeLow = Data.nFileSizeLow;
        memcpy(To.FindData.cFileName, Data.cFileName, sizeof To.FindData.cFileName);
        memcpy(To.FindData.cAlternateFileName, Data.cAlternateFileName,
               sizeof To.FindData.cAlternateFileName);
        To.PackSizeHigh = From.PackSizeHigh;
        To.PackSize = From.PackSize;
        To.Flags = From.Flags;
        To.NumberOfLinks = From.NumberOfLinks;
        To.Description = From.Description;
        To.Owner = From.Owner;
        To.CustomColumnData = From.CustomColumnData;
        To.CustomColumnNumber = From.CustomColumnNumber;
        To.UserData = From.UserData;
    }
    return Result;
}
