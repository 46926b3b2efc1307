// Control: what the plugin asks of the file panels, for the panel it names
// (INVALID_HANDLE_VALUE: the active one) and the other one.
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/file_panels.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/service_call.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/services/windows_paths.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

const char Service[] = "Control";

ClosingPanel Closing;

// What GetPanelInfo handed out last for each panel: the plugin may read it
// until it asks again.
std::vector<PanelItem> HandedItems[2], HandedSelection[2];

struct Command {
    int Code;
    const char* Name;
    bool Another; // acts on the other panel
};

const Command Commands[] = {
    {FCTL_CLOSEPLUGIN, "FCTL_CLOSEPLUGIN", false},
    {FCTL_GETPANELINFO, "FCTL_GETPANELINFO", false},
    {FCTL_GETANOTHERPANELINFO, "FCTL_GETANOTHERPANELINFO", true},
    {FCTL_UPDATEPANEL, "FCTL_UPDATEPANEL", false},
    {FCTL_UPDATEANOTHERPANEL, "FCTL_UPDATEANOTHERPANEL", true},
    {FCTL_REDRAWPANEL, "FCTL_REDRAWPANEL", false},
    {FCTL_REDRAWANOTHERPANEL, "FCTL_REDRAWANOTHERPANEL", true},
    {FCTL_SETANOTHERPANELDIR, "FCTL_SETANOTHERPANELDIR", true},
    {FCTL_GETCMDLINE, "FCTL_GETCMDLINE", false},
    {FCTL_SETCMDLINE, "FCTL_SETCMDLINE", false},
    {FCTL_SETSELECTION, "FCTL_SETSELECTION", false},
    {FCTL_SETANOTHERSELECTION, "FCTL_SETANOTHERSELECTION", true},
    {FCTL_SETVIEWMODE, "FCTL_SETVIEWMODE", false},
    {FCTL_SETANOTHERVIEWMODE, "FCTL_SETANOTHERVIEWMODE", true},
    {FCTL_INSERTCMDLINE, "FCTL_INSERTCMDLINE", false},
    {FCTL_SETUSERSCREEN, "FCTL_SETUSERSCREEN", false},
    {FCTL_SETPANELDIR, "FCTL_SETPANELDIR", false},
    {FCTL_SETCMDLINEPOS, "FCTL_SETCMDLINEPOS", false},
    {FCTL_GETCMDLINEPOS, "FCTL_GETCMDLINEPOS", false},
    {FCTL_SETSORTMODE, "FCTL_SETSORTMODE", false},
    {FCTL_SETANOTHERSORTMODE, "FCTL_SETANOTHERSORTMODE", true},
    {FCTL_SETSORTORDER, "FCTL_SETSORTORDER", false},
    {FCTL_SETANOTHERSORTORDER, "FCTL_SETANOTHERSORTORDER", true},
    {FCTL_GETCMDLINESELECTEDTEXT, "FCTL_GETCMDLINESELECTEDTEXT", false},
    {FCTL_SETCMDLINESELECTION, "FCTL_SETCMDLINESELECTION", false},
    {FCTL_GETCMDLINESELECTION, "FCTL_GETCMDLINESELECTION", false},
    {FCTL_GETPANELSHORTINFO, "FCTL_GETPANELSHORTINFO", false},
    {FCTL_GETANOTHERPANELSHORTINFO, "FCTL_GETANOTHERPANELSHORTINFO", true},
    {FCTL_CHECKPANELSEXIST, "FCTL_CHECKPANELSEXIST", false},
    {FCTL_SETNUMERICSORT, "FCTL_SETNUMERICSORT", false},
    {FCTL_SETANOTHERNUMERICSORT, "FCTL_SETANOTHERNUMERICSORT", true},
};

template <typename Record> Record ReadParam(const char* Name, const void* Param) {
    Record Value;
    if (!CopyFromPlugin(&Value, Param, sizeof Value))
        PluginFault(Service, std::string(Name) + ": the parameter at " + AddressText(Param) +
                                 " cannot be read");
    return Value;
}

template <typename Record> void WriteParam(const char* Name, void* Param, const Record& Value) {
    if (!CopyToPlugin(Param, &Value, sizeof Value))
        PluginFault(Service, std::string(Name) + ": the parameter at " + AddressText(Param) +
                                 " cannot be written");
}

void WriteText(const char* Name, void* Param, const std::string& Oem) {
    if (!CopyToPlugin(Param, Oem.c_str(), Oem.size() + 1))
        PluginFault(Service, std::string(Name) + ": the buffer at " + AddressText(Param) +
                                 " cannot take " + std::to_string(Oem.size() + 1) + " bytes");
}

std::string ReadOem(const char* Name, const void* Param) {
    return UnicodeToOem(
        ReadText(Service, std::string(Name) + "'s text", static_cast<const char*>(Param)));
}

void CopyName(char* To, size_t Size, const std::string& Text) {
    memset(To, 0, Size);
    memcpy(To, Text.data(), std::min(Text.size(), Size - 1));
}

PanelInfo Info(FilePanel& Panel, bool WithItems) {
    PanelInfo Result;
    memset(&Result, 0, sizeof Result);
    int Place = Panel.Place == Side::Left ? 0 : 1;
    Result.PanelType = PTYPE_FILEPANEL;
    Result.Plugin = Panel.Plugin != nullptr;
    Result.PanelRect = {Place * 40L, 1L, Place * 40L + 39, 21L};
    std::vector<int> Chosen = ChosenItems(Panel);
    Result.ItemsNumber = static_cast<int>(Panel.Items.size());
    Result.SelectedItemsNumber = static_cast<int>(Chosen.size());
    if (WithItems) {
        HandedItems[Place] = Panel.Items;
        HandedSelection[Place].clear();
        for (int I : Chosen)
            HandedSelection[Place].push_back(Panel.Items[I]);
        Result.PanelItems = HandedItems[Place].empty() ? nullptr : HandedItems[Place].data();
        Result.SelectedItems =
            HandedSelection[Place].empty() ? nullptr : HandedSelection[Place].data();
    }
    Result.CurrentItem = Panel.Current;
    Result.TopPanelItem = Panel.Top;
    Result.Visible = 1;
    Result.Focus = Panel.Place == ActiveSide();
    Result.ViewMode = Panel.Modes.ViewMode;
    CopyName(Result.ColumnTypes, sizeof Result.ColumnTypes, PanelColumnTypes);
    CopyName(Result.ColumnWidths, sizeof Result.ColumnWidths, "0,10");
    CopyName(Result.CurDir, sizeof Result.CurDir, PanelFolder(Panel));
    Result.SortMode = Panel.Modes.SortMode;
    Result.Flags =
        (Panel.Modes.Reverse ? PFLAGS_REVERSESORTORDER : 0) |
        (Panel.Modes.Numeric ? PFLAGS_NUMERICSORT : 0) |
        (Panel.Plugin == nullptr || Panel.PluginFlags & OPIF_REALNAMES ? PFLAGS_REALNAMES : 0);
    return Result;
}

std::string Describe(const FilePanel& Panel) {
    return "the " + std::string(SideName(Panel.Place)) + " panel";
}

// FCTL_SETSELECTION: the host takes PPIF_SELECTED of each item the
// plugin's PanelInfo lists, by position; ".." is never selected.
void SetSelection(const char* Name, FilePanel& Panel, const void* Param) {
    PanelInfo Given = ReadParam<PanelInfo>(Name, Param);
    int Count = CheckedCount(Service, Given.ItemsNumber, MaxPanelItems, "items", "selects");
    std::vector<PanelItem> Items =
        ReadList(Service, "the PanelInfo's items", Given.PanelItems, Count);
    int Selected = 0;
    for (size_t I = 0; I < Panel.Items.size() && I < Items.size(); ++I) {
        bool Select = Items[I].Flags & PPIF_SELECTED && !IsUpItem(Panel.Items[I]);
        Panel.Items[I].Flags =
            (Panel.Items[I].Flags & ~PPIF_SELECTED) | (Select ? PPIF_SELECTED : 0);
        Selected += Select;
    }
    Panel.Changed = true;
    printf("host: %s: %d item%s of %s selected\n", Name, Selected, Selected == 1 ? "" : "s",
           Describe(Panel).c_str());
}

void SetFolder(const char* Name, FilePanel& Panel, const void* Param) {
    std::string Folder = ReadOem(Name, Param);
    printf("host: %s: %s to \"%s\"\n", Name, Describe(Panel).c_str(),
           Printable(OemToUnicode(Folder)).c_str());
    if (Panel.Plugin != nullptr) {
        if (PluginPanel().SetDirectory(Panel, Folder))
            UpdatePanel(Panel, false);
        return;
    }
    std::string Why;
    if (!ShowFolder(Panel, PathHere(ToUtf8(OemToUnicode(Folder))), Why))
        printf("host: the folder cannot be read (%s); the panel stays\n", Why.c_str());
}

int SetMode(const char* Name, FilePanel& Panel, int Code, const void* Param) {
    int Value = ReadParam<int>(Name, Param);
    bool View = Code == FCTL_SETVIEWMODE || Code == FCTL_SETANOTHERVIEWMODE;
    if (View) {
        Panel.Modes.ViewMode = Value;
    } else if (Code == FCTL_SETSORTMODE || Code == FCTL_SETANOTHERSORTMODE) {
        if (Value < SM_DEFAULT || Value > SM_NUMLINKS)
            return FALSE;
        Panel.Modes.SortMode = Value;
    } else if (Code == FCTL_SETSORTORDER || Code == FCTL_SETANOTHERSORTORDER) {
        Panel.Modes.Reverse = Value != 0;
    } else {
        Panel.Modes.Numeric = Value != 0;
    }
    printf("host: %s(%d) on %s\n", Name, Value, Describe(Panel).c_str());
    SortPanel(Panel);
    Panel.Changed = true;
    if (View && Panel.Plugin != nullptr && PluginPanel().ViewModeChanged != nullptr)
        PluginPanel().ViewModeChanged(Panel);
    return TRUE;
}

int CommandLineRequest(const char* Name, int Code, void* Param) {
    CommandLineState& Line = TheCommandLine();
    int Length = static_cast<int>(Line.Text.size());
    switch (Code) {
    case FCTL_GETCMDLINE:
        WriteText(Name, Param, Line.Text);
        break;
    case FCTL_SETCMDLINE:
    case FCTL_INSERTCMDLINE: {
        std::string Text = ReadOem(Name, Param);
        if (Code == FCTL_SETCMDLINE) {
            Line.Text = Text;
            Line.Position = static_cast<int>(Text.size());
        } else {
            Line.Text.insert(std::min(Line.Position, Length), Text);
            Line.Position = std::min(Line.Position, Length) + static_cast<int>(Text.size());
        }
        Line.SelectionStart = Line.SelectionEnd = -1;
        printf("host: %s: the command line reads \"%s\"\n", Name,
               Printable(OemToUnicode(Line.Text)).c_str());
        return TRUE;
    }
    case FCTL_SETCMDLINEPOS:
        Line.Position = std::clamp(ReadParam<int>(Name, Param), 0, Length);
        break;
    case FCTL_GETCMDLINEPOS:
        WriteParam(Name, Param, Line.Position);
        break;
    case FCTL_GETCMDLINESELECTEDTEXT:
        WriteText(
            Name, Param,
            Line.SelectionStart < 0
                ? ""
                : Line.Text.substr(Line.SelectionStart, Line.SelectionEnd - Line.SelectionStart));
        break;
    case FCTL_SETCMDLINESELECTION: {
        CmdLineSelect Selection = ReadParam<CmdLineSelect>(Name, Param);
        bool None = Selection.SelStart < 0 || Selection.SelEnd <= Selection.SelStart;
        Line.SelectionStart = None ? -1 : std::min(Selection.SelStart, Length);
        Line.SelectionEnd = None ? -1 : std::min(Selection.SelEnd, Length);
        break;
    }
    case FCTL_GETCMDLINESELECTION:
        WriteParam(Name, Param, CmdLineSelect{Line.SelectionStart, Line.SelectionEnd});
        break;
    }
    printf("host: %s\n", Name);
    return TRUE;
}

int PanelRequest(const Command& Asked, FilePanel& Panel, void* Param) {
    const char* Name = Asked.Name;
    switch (Asked.Code) {
    case FCTL_GETPANELINFO:
    case FCTL_GETANOTHERPANELINFO:
    case FCTL_GETPANELSHORTINFO:
    case FCTL_GETANOTHERPANELSHORTINFO: {
        bool Long = Asked.Code == FCTL_GETPANELINFO || Asked.Code == FCTL_GETANOTHERPANELINFO;
        PanelInfo Result = Info(Panel, Long);
        WriteParam(Name, Param, Result);
        printf("host: %s: %s, \"%s\", %d items, %d chosen, the cursor on %d\n", Name,
               Describe(Panel).c_str(), Printable(OemToUnicode(Result.CurDir)).c_str(),
               Result.ItemsNumber, Result.SelectedItemsNumber, Result.CurrentItem);
        return TRUE;
    }
    case FCTL_UPDATEPANEL:
    case FCTL_UPDATEANOTHERPANEL:
        printf("host: %s: reads %s again%s\n", Name, Describe(Panel).c_str(),
               Param != nullptr ? ", keeping the selection" : "");
        UpdatePanel(Panel, Param != nullptr);
        return TRUE;
    case FCTL_REDRAWPANEL:
    case FCTL_REDRAWANOTHERPANEL:
        if (Param != nullptr) {
            PanelRedrawInfo Where = ReadParam<PanelRedrawInfo>(Name, Param);
            int Last = std::max(static_cast<int>(Panel.Items.size()) - 1, 0);
            Panel.Current = std::clamp(Where.CurrentItem, 0, Last);
            Panel.Top = std::clamp(Where.TopPanelItem, 0, Last);
            Panel.Changed = true;
        }
        printf("host: %s: %s%s\n", Name, Describe(Panel).c_str(),
               Panel.Changed ? " changed" : " is as it was");
        if (Panel.Changed && PanelsInUse())
            DrawFilePanel(Panel, "redraws");
        return TRUE;
    case FCTL_SETPANELDIR:
    case FCTL_SETANOTHERPANELDIR:
        SetFolder(Name, Panel, Param);
        return TRUE;
    case FCTL_SETSELECTION:
    case FCTL_SETANOTHERSELECTION:
        SetSelection(Name, Panel, Param);
        return TRUE;
    case FCTL_CLOSEPLUGIN:
        if (Panel.Plugin == nullptr)
            return FALSE;
        Closing = {Panel.Plugin, Param == nullptr ? "" : ReadOem(Name, Param)};
        printf("host: %s: the plugin's panel closes when the call returns\n", Name);
        return TRUE;
    default:
        return SetMode(Name, Panel, Asked.Code, Param);
    }
}

int ControlPanels(HANDLE hPlugin, int Code, void* Param) {
    const Command* Asked = nullptr;
    for (const Command& Known : Commands)
        if (Known.Code == Code)
            Asked = &Known;
    if (Asked == nullptr)
        StopRun(ExitStopped,
                "Control: the plugin asked for command %d, which qelhost does not provide", Code);
    switch (Code) {
    case FCTL_CHECKPANELSEXIST:
        printf("host: %s: the panels exist\n", Asked->Name);
        return TRUE;
    case FCTL_SETUSERSCREEN:
        printf("host: %s\n", Asked->Name);
        return TRUE;
    case FCTL_GETCMDLINE:
    case FCTL_SETCMDLINE:
    case FCTL_INSERTCMDLINE:
    case FCTL_SETCMDLINEPOS:
    case FCTL_GETCMDLINEPOS:
    case FCTL_GETCMDLINESELECTEDTEXT:
    case FCTL_SETCMDLINESELECTION:
    case FCTL_GETCMDLINESELECTION:
        return CommandLineRequest(Asked->Name, Code, Param);
    }
    // The panel the handle names: the active one, or the one showing that
    // plugin panel; a handle of no open panel is refused.
    FilePanel* Named =
        hPlugin == INVALID_HANDLE_VALUE ? &ReadyPanel(ActiveSide()) : PanelOfPlugin(hPlugin);
    if (Named == nullptr) {
        printf("host: %s for %s, which is no open panel: refused\n", Asked->Name,
               HandleText(hPlugin).c_str());
        return FALSE;
    }
    FilePanel& Panel = Asked->Another ? ReadyPanel(Other(Named->Place)) : *Named;
    return PanelRequest(*Asked, Panel, Param);
}

} // namespace

PLUGIN_STDCALL int Control(HANDLE hPlugin, int Command, void* Param) {
    return Serve(Service, [&] { return ControlPanels(hPlugin, Command, Param); });
}

ClosingPanel TakeClosingPanel() {
    ClosingPanel Taken = Closing;
    Closing = {};
    return Taken;
}
