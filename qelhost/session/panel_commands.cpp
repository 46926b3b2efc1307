#include "qelhost/session/panel_commands.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/dialog.hpp"
#include "qelhost/services/file_panels.hpp"
#include "qelhost/services/folder_listing.hpp"
#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/panel_view.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/windows_paths.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/session/answers.hpp"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

Session* Current = nullptr;

// Folders deeper than this are not followed by GetPluginDirList.
constexpr int MaxPluginDepth = 32;

// Windows' code of Ctrl+Break for a console's control handler, which the
// host hands on with FE_BREAK.
constexpr DWORD CTRL_BREAK_EVENT = 1;

// While the plugin hears FE_REDRAW or FE_CHANGEVIEWMODE, a drawing or a
// view mode it asks for itself is not told to it again.
bool TellingRedraw = false, TellingViewMode = false;

std::string NameOf(const PanelItem& Item) {
    return std::string(Item.FindData.cFileName, strnlen(Item.FindData.cFileName, MAX_PATH));
}

std::string Shown(const std::string& Oem) {
    return Printable(OemToUnicode(Oem));
}

std::string Plural(size_t Count, const char* Thing) {
    return std::to_string(Count) + " " + Thing + (Count == 1 ? "" : "s");
}

// A merge sort that needs nothing of the comparison: the plugin's Compare
// may answer inconsistently without taking qelhost's sort out of bounds.
template <typename Less>
void MergeSort(std::vector<PanelItem>& Items, size_t From, size_t To, Less& Before) {
    if (To - From < 2)
        return;
    size_t Middle = From + (To - From) / 2;
    MergeSort(Items, From, Middle, Before);
    MergeSort(Items, Middle, To, Before);
    std::vector<PanelItem> Merged;
    Merged.reserve(To - From);
    size_t I = From, J = Middle;
    while (I < Middle || J < To)
        if (J == To || (I < Middle && !Before(Items[J], Items[I])))
            Merged.push_back(Items[I++]);
        else
            Merged.push_back(Items[J++]);
    std::copy(Merged.begin(), Merged.end(), Items.begin() + From);
}

// The host's order, or the plugin's Compare where it exports one: -2 asks
// for the host's order of the two, -3 for the host's order from then on.
void SortPluginPanel(Session& S, FilePanel& Panel) {
    SortInHostOrder(Panel);
    if (!S.Plugin.Has(PluginEntries::Compare) || Panel.Modes.SortMode == SM_UNSORTED)
        return;
    size_t First = !Panel.Items.empty() && IsUpItem(Panel.Items[0]) ? 1 : 0;
    int Calls = 0;
    bool Asking = true;
    auto Before = [&](const PanelItem& A, const PanelItem& B) {
        if (Asking) {
            ++Calls;
            int Order = S.Plugin.CompareCall(Panel.Plugin, &A, &B, Panel.Modes.SortMode);
            if (Order == -1 || Order == 1 || Order == 0)
                return Order < 0;
            Asking = Order != -3;
        }
        return false; // the host's order, already made
    };
    MergeSort(Panel.Items, First, Panel.Items.size(), Before);
    printf("host: the panel is sorted with the plugin's Compare (%s)%s\n",
           Plural(Calls, "call").c_str(), Asking ? "" : "; it asked to stop");
}

// GetOpenPluginInfo, GetFindData and FreeFindData: the plugin's panel read
// into Panel. On a session without file panels a panel that opens is drawn
// as it always was.
void ReadPluginPanel(Session& S, FilePanel& Panel, bool Opening) {
    PanelDescription Description = S.Plugin.GetOpenPluginInfo(Panel.Plugin);
    // The plugin's start sort mode counts when its panel opens; a mode set
    // since (FCTL_SETSORTMODE) stays through every later read.
    if (Opening)
        Panel.Modes.SortMode = OpeningMode(Description);
    DescribePanel(Description, Panel.Modes.SortMode);
    PluginEntries::FindList List;
    if (S.Plugin.GetFindData(Panel.Plugin, List))
        printf("host: GetFindData lists %d item%s\n", List.Count, List.Count == 1 ? "" : "s");
    else
        printf("host: GetFindData gives no list; the panel stays empty\n");
    if (Opening && !PanelsInUse())
        ShowPanel(Description, List.Rows);
    if (S.Plugin.FreeFindData(Panel.Plugin, List))
        printf("host: FreeFindData returns the list\n");
    Panel.PluginTitle = Description.Title.value_or(U"");
    Panel.PluginFolder = UnicodeToOem(Description.CurDir.value_or(U""));
    Panel.PluginFormat = UnicodeToOem(Description.Format.value_or(Description.Title.value_or(U"")));
    Panel.PluginFlags = Description.Flags;
    Panel.Items.clear();
    if (Description.Flags & OPIF_ADDDOTS) {
        PanelItem Up;
        memset(&Up, 0, sizeof Up);
        Up.FindData.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        strcpy(Up.FindData.cFileName, "..");
        Panel.Items.push_back(Up);
    }
    std::vector<PanelItem> Records = AsPanelItems(List.Records);
    Panel.Items.insert(Panel.Items.end(), Records.begin(), Records.end());
    SortPanel(Panel);
    Panel.Current = std::min(Panel.Current, std::max(static_cast<int>(Panel.Items.size()) - 1, 0));
    Panel.Changed = true;
}

void Reread(FilePanel& Panel) {
    ReadPluginPanel(*Current, Panel, false);
}

void Sort(FilePanel& Panel) {
    SortPluginPanel(*Current, Panel);
}

int TellEvent(Session& S, HANDLE Plugin, const std::string& Event, int Code, void* Param) {
    printf("host: ProcessEvent(%s, %s)\n", HandleText(Plugin).c_str(), Event.c_str());
    int Result = S.Plugin.ProcessEventCall(Plugin, Code, Param);
    printf("host: ProcessEvent returns %d\n", Result);
    return Result;
}

// The file panels that show the plugin's panels, which hear the host's
// events (FE_IDLE, FE_BREAK) when it exports ProcessEvent.
std::vector<FilePanel*> EventPanels(Session& S) {
    std::vector<FilePanel*> Shown;
    if (!S.Plugin.Has(PluginEntries::ProcessEvent))
        return Shown;
    for (Side Place : {Side::Left, Side::Right})
        if (PanelAt(Place).Plugin != nullptr)
            Shown.push_back(&PanelAt(Place));
    return Shown;
}

bool Redrawing(FilePanel& Panel) {
    Session& S = *Current;
    if (TellingRedraw || !S.Plugin.Has(PluginEntries::ProcessEvent))
        return false;
    TellingRedraw = true;
    int DrewItself = TellEvent(S, Panel.Plugin, "FE_REDRAW", FE_REDRAW, nullptr);
    TellingRedraw = false;
    if (DrewItself)
        printf("host: the plugin drew its panel itself; the host does not draw it\n");
    return DrewItself != 0;
}

// FE_CHANGEVIEWMODE hands the new mode's column types.
void ViewModeChanged(FilePanel& Panel) {
    Session& S = *Current;
    if (TellingViewMode || !S.Plugin.Has(PluginEntries::ProcessEvent))
        return;
    TellingViewMode = true;
    std::string Columns = PanelColumnTypes;
    TellEvent(S, Panel.Plugin, "FE_CHANGEVIEWMODE, \"" + Columns + "\"", FE_CHANGEVIEWMODE,
              Columns.data());
    TellingViewMode = false;
}

// Ctrl+0 to Ctrl+9: the view mode of that number.
bool IsViewModeKey(int Key, unsigned State) {
    return State == PKF_CONTROL && Key >= '0' && Key <= '9';
}

void SetViewMode(FilePanel& Panel, int Mode) {
    Panel.Modes.ViewMode = Mode;
    Panel.Changed = true;
    printf("host: the %s panel's view mode is %d\n", SideName(Panel.Place), Mode);
    if (Panel.Plugin != nullptr)
        ViewModeChanged(Panel);
}

int SetPluginFolder(Session& S, HANDLE Plugin, const std::string& Oem, int OpMode) {
    printf("host: SetDirectory(%s, \"%s\", 0x%X)\n", HandleText(Plugin).c_str(), Shown(Oem).c_str(),
           OpMode);
    int Result = S.Plugin.SetDirectoryCall(Plugin, Oem.c_str(), OpMode);
    printf("host: SetDirectory returns %d\n", Result);
    return Result;
}

bool SetDirectory(FilePanel& Panel, const std::string& Oem) {
    if (!Current->Plugin.Has(PluginEntries::SetDirectory)) {
        printf("host: the plugin has no SetDirectory; its panel stays\n");
        return false;
    }
    return SetPluginFolder(*Current, Panel.Plugin, Oem, 0) != 0;
}

void ListPluginLevel(Session& S, HANDLE Plugin, const std::string& Prefix, int Depth,
                     std::vector<PanelItem>& Items) {
    PluginEntries::FindList List;
    if (!S.Plugin.GetFindData(Plugin, List, OPM_FIND | OPM_SILENT))
        return;
    std::vector<PanelItem> Level = AsPanelItems(List.Records);
    S.Plugin.FreeFindData(Plugin, List);
    for (PanelItem Item : Level) {
        std::string Name = NameOf(Item);
        if (Name == "..")
            continue;
        std::string Path = Prefix + Name;
        memset(Item.FindData.cFileName, 0, sizeof Item.FindData.cFileName);
        memcpy(Item.FindData.cFileName, Path.data(), std::min<size_t>(Path.size(), MAX_PATH - 1));
        Items.push_back(Item);
        if (IsFolder(Item.FindData) && Depth < MaxPluginDepth &&
            S.Plugin.SetDirectoryCall(Plugin, Name.c_str(), OPM_FIND | OPM_SILENT)) {
            ListPluginLevel(S, Plugin, Path + "\\", Depth + 1, Items);
            S.Plugin.SetDirectoryCall(Plugin, "..", OPM_FIND | OPM_SILENT);
        }
    }
}

// GetPluginDirList on the plugin's panel: into Folder, every level below,
// and back to where the panel was.
bool ListPluginFolder(HANDLE Plugin, const std::string& Folder, std::vector<PanelItem>& Items) {
    Session& S = *Current;
    FilePanel* Panel = PanelOfPlugin(Plugin);
    if (Panel == nullptr || !S.Plugin.Has(PluginEntries::SetDirectory))
        return false;
    std::string WasIn = Panel->PluginFolder;
    if (!S.Plugin.SetDirectoryCall(Plugin, Folder.c_str(), OPM_FIND | OPM_SILENT))
        return false;
    ListPluginLevel(S, Plugin, "", 0, Items);
    S.Plugin.SetDirectoryCall(Plugin, WasIn.empty() ? "\\" : WasIn.c_str(), OPM_FIND | OPM_SILENT);
    return true;
}

Side SideWord(const std::string& Word, bool& Given) {
    Given = Word == "left" || Word == "right";
    return Word == "right" ? Side::Right : Word == "left" ? Side::Left : ActiveSide();
}

std::string Unquoted(const std::string& Text) {
    if (Text.size() >= 2 && Text.front() == '"' && Text.back() == '"')
        return Text.substr(1, Text.size() - 2);
    return Text;
}

FilePanel& ActivePanel() {
    return ReadyPanel(ActiveSide());
}

void MoveCursorBy(FilePanel& Panel, int Key) {
    int Last = std::max(static_cast<int>(Panel.Items.size()) - 1, 0);
    int To = Panel.Current;
    if (Key == VK_UP)
        --To;
    else if (Key == VK_DOWN)
        ++To;
    else if (Key == VK_HOME || Key == VK_PRIOR)
        To = 0;
    else
        To = Last;
    Panel.Current = std::clamp(To, 0, Last);
    Panel.Changed = true;
}

std::vector<PanelItem> ChosenRecords(const FilePanel& Panel) {
    std::vector<PanelItem> Records;
    for (int I : ChosenItems(Panel))
        Records.push_back(Panel.Items[I]);
    return Records;
}

std::string ChosenText(const std::vector<PanelItem>& Records) {
    if (Records.size() == 1)
        return "\"" + Shown(NameOf(Records[0])) + "\"";
    return Plural(Records.size(), "item");
}

void ClearSelection(FilePanel& Panel) {
    for (PanelItem& Item : Panel.Items)
        Item.Flags &= ~PPIF_SELECTED;
    Panel.Changed = true;
}

// The host's Copy (or Rename) dialog before files go into the plugin's
// panel; true when the user confirms it.
bool ConfirmCopy(const std::vector<PanelItem>& Records, bool Move, const FilePanel& Target) {
    std::u32string Verb = Move ? U"Rename" : U"Copy";
    std::u32string Question = Verb + U" " + FromUtf8(ChosenText(Records)) + U" to:";
    std::u32string Destination = OemToUnicode(Target.PluginFormat) + U":";
    int Width = static_cast<int>(std::max<size_t>(Question.size(), 40)) + 10;
    std::vector<DialogItem> Items = {
        HostDialogItem(DI_DOUBLEBOX, 3, 1, Width - 4, 6, Verb),
        HostDialogItem(DI_TEXT, 5, 2, 0, 2, Question),
        HostDialogItem(DI_EDIT, 5, 3, Width - 6, 3, Destination),
        HostDialogItem(DI_BUTTON, 0, 5, 0, 5, Verb, DIF_CENTERGROUP),
        HostDialogItem(DI_BUTTON, 0, 5, 0, 5, U"Cancel", DIF_CENTERGROUP)};
    Items[2].Focus = true;
    Items[3].Default = true;
    int Field = -1;
    int Pressed = RunHostDialog(-1, -1, Width, 8, Items, Field, NextAnswer);
    return Pressed == 3;
}

void PutFiles(Session& S, FilePanel& Source, FilePanel& Target, bool Move) {
    std::vector<PanelItem> Records = ChosenRecords(Source);
    if (Records.empty()) {
        printf("host: nothing is chosen to copy\n");
        return;
    }
    if (!ConfirmCopy(Records, Move, Target)) {
        printf("host: the copy is cancelled; PutFiles is not called\n");
        return;
    }
    printf("host: PutFiles(%s, %s, Move %d, OpMode 0)\n", HandleText(Target.Plugin).c_str(),
           ChosenText(Records).c_str(), Move);
    int Result = S.Plugin.PutFilesCall(Target.Plugin, Records.data(),
                                       static_cast<int>(Records.size()), Move, 0);
    printf("host: PutFiles returns %d\n", Result);
    if (Result == 1)
        ClearSelection(Source);
    UpdatePanel(Target, true);
}

void GetFiles(Session& S, FilePanel& Source, bool Move) {
    std::vector<PanelItem> Records = ChosenRecords(Source);
    if (Records.empty()) {
        printf("host: nothing is chosen to copy\n");
        return;
    }
    char Destination[MAX_PATH] = {};
    std::string Folder = PanelFolder(ReadyPanel(Other(Source.Place)));
    memcpy(Destination, Folder.data(), std::min<size_t>(Folder.size(), MAX_PATH - 1));
    printf("host: GetFiles(%s, %s, Move %d, \"%s\", OpMode 0)\n", HandleText(Source.Plugin).c_str(),
           ChosenText(Records).c_str(), Move, Shown(Destination).c_str());
    int Result = S.Plugin.GetFilesCall(Source.Plugin, Records.data(),
                                       static_cast<int>(Records.size()), Move, Destination, 0);
    printf("host: GetFiles returns %d\n", Result);
    if (Result == 1)
        ClearSelection(Source);
    UpdatePanel(Source, Result != 1);
    UpdatePanel(ReadyPanel(Other(Source.Place)), true);
}

void DeleteFiles(Session& S, FilePanel& Panel) {
    std::vector<PanelItem> Records = ChosenRecords(Panel);
    if (Records.empty()) {
        printf("host: nothing is chosen to delete\n");
        return;
    }
    printf("host: DeleteFiles(%s, %s, OpMode 0)\n", HandleText(Panel.Plugin).c_str(),
           ChosenText(Records).c_str());
    int Result =
        S.Plugin.DeleteFilesCall(Panel.Plugin, Records.data(), static_cast<int>(Records.size()), 0);
    printf("host: DeleteFiles returns %d\n", Result);
    UpdatePanel(Panel, Result != 1);
}

void ProcessHostFile(Session& S, FilePanel& Panel) {
    std::vector<PanelItem> Records = ChosenRecords(Panel);
    printf("host: ProcessHostFile(%s, %s, OpMode 0)\n", HandleText(Panel.Plugin).c_str(),
           ChosenText(Records).c_str());
    int Result = S.Plugin.ProcessHostFileCall(Panel.Plugin, Records.data(),
                                              static_cast<int>(Records.size()), 0);
    printf("host: ProcessHostFile returns %d\n", Result);
    if (Result)
        UpdatePanel(Panel, false);
}

void MakeDirectory(Session& S, FilePanel& Panel) {
    char Name[MAX_PATH] = {};
    printf("host: MakeDirectory(%s, \"\", OpMode 0)\n", HandleText(Panel.Plugin).c_str());
    int Result = S.Plugin.MakeDirectoryCall(Panel.Plugin, Name, 0);
    std::string Made(Name, strnlen(Name, MAX_PATH));
    printf("host: MakeDirectory returns %d, the name \"%s\"\n", Result, Shown(Made).c_str());
    if (Result != 1)
        return;
    UpdatePanel(Panel, true);
    int Found = FindItem(Panel, ToUtf8(OemToUnicode(Made)));
    if (Found >= 0)
        Panel.Current = Found;
}

// Enter on a folder of the plugin's panel; ".." at its top closes it.
void EnterPluginFolder(Session& S, FilePanel& Panel) {
    const PanelItem& Item = Panel.Items[Panel.Current];
    std::string Name = NameOf(Item);
    if (Name == ".." && Panel.PluginFolder.empty()) {
        printf("host: \"..\" at the top of the plugin's panel leaves it\n");
        CloseActivePanel(S);
        return;
    }
    std::string WasIn = Panel.PluginFolder;
    if (!SetPluginFolder(S, Panel.Plugin, Name, 0))
        return;
    UpdatePanel(Panel, false);
    Panel.Current = 0;
    if (Name == "..") { // the cursor goes to the folder it came out of
        size_t Slash = WasIn.find_last_of("\\/");
        int Found = FindItem(
            Panel,
            ToUtf8(OemToUnicode(Slash == std::string::npos ? WasIn : WasIn.substr(Slash + 1))));
        Panel.Current = std::max(Found, 0);
    }
}

bool IsCursorKey(int Key) {
    return Key == VK_UP || Key == VK_DOWN || Key == VK_HOME || Key == VK_END || Key == VK_PRIOR ||
           Key == VK_NEXT;
}

// Each key the host acts on: whether it does (Act false), or the action.
bool PluginPanelKey(Session& S, FilePanel& Panel, int Key, unsigned State, bool Act) {
    bool Plain = State == 0;
    bool Move = Key == VK_F1 + 5;
    bool OnFolder = !Panel.Items.empty() && IsFolder(Panel.Items[Panel.Current].FindData);
    if (Plain && Key == VK_F7 && S.Plugin.Has(PluginEntries::MakeDirectory)) {
        if (Act)
            MakeDirectory(S, Panel);
    } else if (Plain && Key == VK_F1 + 7 && S.Plugin.Has(PluginEntries::DeleteFiles)) {
        if (Act)
            DeleteFiles(S, Panel);
    } else if (Plain && (Key == VK_F1 + 4 || Move) && S.Plugin.Has(PluginEntries::GetFiles)) {
        if (Act)
            GetFiles(S, Panel, Move);
    } else if (State == PKF_SHIFT && Key == VK_F1 + 2 &&
               S.Plugin.Has(PluginEntries::ProcessHostFile)) {
        if (Act)
            ProcessHostFile(S, Panel);
    } else if (Plain && Key == VK_RETURN && OnFolder && S.Plugin.Has(PluginEntries::SetDirectory)) {
        if (Act)
            EnterPluginFolder(S, Panel);
    } else if (Plain && IsCursorKey(Key) && PanelsInUse()) {
        if (Act)
            MoveCursorBy(Panel, Key);
    } else {
        return false;
    }
    return true;
}

// A key on a file panel showing a folder.
bool FolderPanelKey(Session& S, FilePanel& Panel, int Key, unsigned State, bool Act) {
    if (State != 0)
        return false;
    FilePanel& Passive = ReadyPanel(Other(Panel.Place));
    bool OnFolder = !Panel.Items.empty() && IsFolder(Panel.Items[Panel.Current].FindData);
    bool Puts = (Key == VK_F1 + 4 || Key == VK_F1 + 5) && Passive.Plugin != nullptr &&
                S.Plugin.Has(PluginEntries::PutFiles);
    if (!IsCursorKey(Key) && Key != VK_INSERT && !(Key == VK_RETURN && OnFolder) && !Puts)
        return false;
    if (!Act)
        return true;
    if (IsCursorKey(Key)) {
        MoveCursorBy(Panel, Key);
    } else if (Key == VK_INSERT && !Panel.Items.empty()) {
        PanelItem& Item = Panel.Items[Panel.Current];
        if (!IsUpItem(Item))
            Item.Flags ^= PPIF_SELECTED;
        MoveCursorBy(Panel, VK_DOWN);
    } else if (Key == VK_RETURN) {
        std::string Name = ToUtf8(OemToUnicode(NameOf(Panel.Items[Panel.Current])));
        std::string Why;
        std::string Left = FileNameOf(Panel.Folder);
        std::string Shown = ShownPath(Panel.Folder);
        std::string Into = Shown + (Shown.back() == '\\' ? "" : "\\") + Name;
        if (!ShowFolder(Panel, PathHere(Into), Why))
            printf("host: the folder cannot be read (%s)\n", Why.c_str());
        else if (Name == "..")
            Panel.Current = std::max(FindItem(Panel, Left), 0);
    } else if (Puts) {
        PutFiles(S, Panel, Passive, Key == VK_F1 + 5);
    }
    return true;
}

} // namespace

void UsePanelCalls(Session& S) {
    Current = &S;
    UsePluginPanelCalls({Reread, Sort, SetDirectory, Redrawing, ViewModeChanged});
    UsePluginFolderLister(ListPluginFolder);
}

void PanelCommand(Session& S, const std::vector<std::string>& Words) {
    bool Given = false;
    Side Place = Words.empty() ? ActiveSide() : SideWord(Words[0], Given);
    std::vector<std::string> Rest(Words.begin() + (Given ? 1 : 0), Words.end());
    if (Rest.empty())
        throw BadCommand{"panel: say which folder, after left or right if not the active panel"};
    std::string Folder;
    for (const std::string& Word : Rest)
        Folder += (Folder.empty() ? "" : " ") + Word;
    Folder = Unquoted(Folder);
    FilePanel& Panel = PanelAt(Place);
    if (Panel.Plugin != nullptr)
        throw BadCommand{std::string("panel: the ") + SideName(Place) +
                         " panel shows the plugin's panel; close it first"};
    std::string Why;
    if (!ShowFolder(Panel, PathHere(Folder), Why))
        throw BadCommand{"panel: cannot read the folder " + Folder + ": " + Why};
    Panel.Shown = true;
    printf("host: the %s panel shows %s\n", SideName(Place), Shown(PanelFolder(Panel)).c_str());
    (void)S;
}

void CursorCommand(Session& S, const std::string& Name) {
    FilePanel& Panel = ActivePanel();
    int Found = FindItem(Panel, Unquoted(Name));
    if (Found < 0)
        throw BadCommand{"cursor: the " + std::string(SideName(Panel.Place)) + " panel has no \"" +
                         Name + "\""};
    Panel.Current = Found;
    Panel.Changed = true;
    (void)S;
}

void SelectCommand(Session& S, const std::vector<std::string>& Names) {
    if (Names.empty())
        throw BadCommand{"select: name the items to select"};
    FilePanel& Panel = ActivePanel();
    std::vector<int> Found;
    for (const std::string& Name : Names) {
        int Position = FindItem(Panel, Unquoted(Name));
        if (Position < 0 || IsUpItem(Panel.Items[Position]))
            throw BadCommand{"select: the " + std::string(SideName(Panel.Place)) +
                             " panel has no \"" + Name + "\" to select"};
        Found.push_back(Position);
    }
    for (int Position : Found)
        Panel.Items[Position].Flags |= PPIF_SELECTED;
    Panel.Changed = true;
    (void)S;
}

void TabCommand(Session& S) {
    MakeActive(Other(ActiveSide()));
    ReadyPanel(ActiveSide());
    printf("host: the %s panel is active\n", SideName(ActiveSide()));
    (void)S;
}

void FindCommand(Session& S, const std::string& Masks) {
    if (Masks.empty())
        throw BadCommand{"find: give the file mask, as *.txt"};
    std::string Why = WhyNotOem(Masks);
    if (!Why.empty())
        throw BadCommand{"find: " + Why + "; the host's masks are in code page 866"};
    FilePanel& Panel = ActivePanel();
    if (Panel.Plugin != nullptr)
        throw BadCommand{"find: the active panel shows the plugin's panel; find searches a "
                         "file panel's folder"};
    std::string Mask = UnicodeToOem(FromUtf8(Unquoted(Masks)));
    std::string Folder = PanelFolder(Panel);
    std::vector<PanelItem> Found;
    for (PanelItem Item : FolderTree(Panel.Folder)) {
        std::string Relative = NameOf(Item);
        if (!MatchesMaskList(Mask, NamePart(Relative)))
            continue;
        std::string Full = Folder + (Folder.back() == '\\' ? "" : "\\") + Relative;
        memset(Item.FindData.cFileName, 0, sizeof Item.FindData.cFileName);
        memcpy(Item.FindData.cFileName, Full.data(), std::min<size_t>(Full.size(), MAX_PATH - 1));
        Found.push_back(Item);
    }
    printf("host: Find file: %s match \"%s\" in %s and below\n",
           Plural(Found.size(), "name").c_str(), Shown(Mask).c_str(), Shown(Folder).c_str());
    for (const PanelItem& Item : Found)
        printf("  %s\n", Shown(NameOf(Item)).c_str());
    if (Found.empty())
        return;
    if (!S.Plugin.CanOpen() || !S.Plugin.Has(PluginEntries::SetFindList)) {
        printf("host: the plugin takes no find list (SetFindList); the results stay in the "
               "host's window\n");
        return;
    }
    printf("host: the user sends the results to a panel: OpenPlugin(OPEN_FINDLIST, 0)\n");
    HANDLE Plugin = S.Plugin.OpenPlugin(OPEN_FINDLIST, 0);
    if (Plugin == INVALID_HANDLE_VALUE) {
        printf("host: OpenPlugin returns INVALID_HANDLE_VALUE: no panel opens\n");
        return;
    }
    printf("host: OpenPlugin returns %s; SetFindList(%s, %s)\n", HandleText(Plugin).c_str(),
           HandleText(Plugin).c_str(), Plural(Found.size(), "item").c_str());
    int Taken = S.Plugin.SetFindListCall(Plugin, Found.data(), static_cast<int>(Found.size()));
    printf("host: SetFindList returns %d\n", Taken);
    if (!Taken) {
        printf("host: ClosePlugin(%s): the plugin did not take the list\n",
               HandleText(Plugin).c_str());
        S.Plugin.ClosePlugin(Plugin);
        return;
    }
    printf("host: the plugin's panel opens with the results\n");
    S.Panels.push_back(Plugin);
    ShowPluginPanel(S, Plugin);
}

void IdleCommand(Session& S) {
    std::vector<FilePanel*> Hearing = EventPanels(S);
    printf("host: the user waits%s\n", Hearing.empty() ? "; no plugin panel hears FE_IDLE" : "");
    for (FilePanel* Panel : Hearing)
        TellEvent(S, Panel->Plugin, "FE_IDLE", FE_IDLE, nullptr);
}

void PressCtrlBreak(Session& S, unsigned ControlState) {
    if (ControlState != PKF_CONTROL)
        throw BadCommand{"key: Break is pressed with ctrl alone (key Break ctrl)"};
    std::vector<FilePanel*> Hearing = EventPanels(S);
    printf("host: the user presses Ctrl+Break%s\n",
           Hearing.empty() ? "; no plugin panel hears FE_BREAK, and nothing runs to stop" : "");
    for (FilePanel* Panel : Hearing)
        TellEvent(S, Panel->Plugin, "FE_BREAK, CTRL_BREAK_EVENT", FE_BREAK,
                  reinterpret_cast<void*>(static_cast<uintptr_t>(CTRL_BREAK_EVENT)));
}

void ShowPluginPanel(Session& S, HANDLE Plugin) {
    FilePanel& Panel = ActivePanel();
    if (Panel.Plugin == nullptr)
        Panel.FolderModes = Panel.Modes;
    Panel.Plugin = Plugin;
    Panel.Current = Panel.Top = 0;
    ReadPluginPanel(S, Panel, true);
    if (PanelsInUse())
        DrawFilePanel(Panel, "shows the plugin's panel in");
    Panel.Changed = false;
}

void PluginPanelClosed(HANDLE Plugin) {
    FilePanel* Panel = PanelOfPlugin(Plugin);
    if (Panel == nullptr)
        return;
    Panel->Plugin = nullptr;
    Panel->Current = 0;
    Panel->Modes = Panel->FolderModes;
    if (!Panel->Folder.empty())
        UpdatePanel(*Panel, true);
    Panel->Changed = PanelsInUse();
}

bool FolderPanelActive() {
    return PanelsInUse() && ActivePanel().Plugin == nullptr;
}

bool HostTakesKey(Session& S, int Key, unsigned ControlState, bool Act) {
    FilePanel& Panel = ActivePanel();
    if (IsViewModeKey(Key, ControlState) && (Panel.Plugin != nullptr || PanelsInUse())) {
        if (Act)
            SetViewMode(Panel, Key - '0');
        return true;
    }
    if (Panel.Plugin != nullptr)
        return PluginPanelKey(S, Panel, Key, ControlState, Act);
    return PanelsInUse() && FolderPanelKey(S, Panel, Key, ControlState, Act);
}

void FinishPanels(Session& S) {
    ClosingPanel Closing = TakeClosingPanel();
    if (Closing.Plugin != nullptr && !S.Panels.empty() && S.Panels.back() == Closing.Plugin) {
        CloseActivePanel(S, true); // the plugin asked: no FE_CLOSE
        FilePanel& Panel = ActivePanel();
        std::string Why;
        if (!Closing.Folder.empty() &&
            !ShowFolder(Panel, PathHere(ToUtf8(OemToUnicode(Closing.Folder))), Why))
            printf("host: the folder cannot be read (%s)\n", Why.c_str());
    }
    DrawChangedPanels();
}
