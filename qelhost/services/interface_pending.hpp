// PROVISIONAL, not to land: the 1.75 records and constants this work needs,
// until the interface's own declarations reach main. Names as the host's.
#pragma once

#include "host/host_interface.hpp"

using PanelItem = PluginPanelItem;
using FindRecord = WIN32_FIND_DATA;
#pragma pack(push, 2)
struct RECT {
    long left, top, right, bottom;
};
struct PanelInfo {
    int PanelType;
    int Plugin;
    RECT PanelRect;
    PanelItem* PanelItems;
    int ItemsNumber;
    PanelItem* SelectedItems;
    int SelectedItemsNumber;
    int CurrentItem;
    int TopPanelItem;
    int Visible;
    int Focus;
    int ViewMode;
    char ColumnTypes[80];
    char ColumnWidths[80];
    char CurDir[MAX_PATH];
    int ShortNames;
    int SortMode;
    DWORD Flags;
    DWORD Reserved;
};
struct PanelRedrawInfo {
    int CurrentItem;
    int TopPanelItem;
};
struct CmdLineSelect {
    int SelStart;
    int SelEnd;
};
struct FarListItem {
    DWORD Flags;
    char Text[128];
    DWORD Reserved[3];
};
struct FarList {
    int ItemsNumber;
    FarListItem* Items;
};
struct FarListPos {
    int SelectPos;
    int TopPos;
};
struct FarDialogItemData {
    int PtrLength;
    char* PtrData;
};
#pragma pack(pop)
static_assert(sizeof(PanelInfo) == 496);

constexpr int FALSE = 0, TRUE = 1;
constexpr int PTYPE_FILEPANEL = 0;
constexpr DWORD PPIF_SELECTED = 0x40000000;
constexpr DWORD PPIF_USERDATA = 0x20000000;
constexpr DWORD PFLAGS_REVERSESORTORDER = 0x4;
constexpr DWORD PFLAGS_NUMERICSORT = 0x40;
constexpr DWORD PFLAGS_REALNAMES = 0x20;
constexpr int SM_DEFAULT = 0, SM_NAME = 2, SM_EXT = 3, SM_MTIME = 4, SM_SIZE = 7;
constexpr DWORD OPIF_REALNAMES = 0x20;
constexpr DWORD OPIF_EXTERNALMKDIR = 0x4000;
constexpr DWORD OPIF_EXTERNALGET = 0x800;
constexpr DWORD OPIF_EXTERNALPUT = 0x1000;
constexpr DWORD OPIF_EXTERNALDELETE = 0x2000;
constexpr int OPM_SILENT = 1, OPM_FIND = 2, OPM_TOPLEVEL = 0x10;

enum {
    FCTL_CLOSEPLUGIN,
    FCTL_GETPANELINFO,
    FCTL_GETANOTHERPANELINFO,
    FCTL_UPDATEPANEL,
    FCTL_UPDATEANOTHERPANEL,
    FCTL_REDRAWPANEL,
    FCTL_REDRAWANOTHERPANEL,
    FCTL_SETANOTHERPANELDIR,
    FCTL_GETCMDLINE,
    FCTL_SETCMDLINE,
    FCTL_SETSELECTION,
    FCTL_SETANOTHERSELECTION,
    FCTL_SETVIEWMODE,
    FCTL_SETANOTHERVIEWMODE,
    FCTL_INSERTCMDLINE,
    FCTL_SETUSERSCREEN,
    FCTL_SETPANELDIR,
    FCTL_SETCMDLINEPOS,
    FCTL_GETCMDLINEPOS,
    FCTL_SETSORTMODE,
    FCTL_SETANOTHERSORTMODE,
    FCTL_SETSORTORDER,
    FCTL_SETANOTHERSORTORDER,
    FCTL_GETCMDLINESELECTEDTEXT,
    FCTL_SETCMDLINESELECTION,
    FCTL_GETCMDLINESELECTION,
    FCTL_GETPANELSHORTINFO,
    FCTL_GETANOTHERPANELSHORTINFO,
    FCTL_CHECKPANELSEXIST,
    FCTL_SETNUMERICSORT,
    FCTL_SETANOTHERNUMERICSORT
};
constexpr int FE_CHANGEVIEWMODE = 0, FE_REDRAW = 1, FE_IDLE = 2, FE_CLOSE = 3, FE_BREAK = 4,
              FE_COMMAND = 5;
constexpr DWORD FRS_RETUPDIR = 1, FRS_RECUR = 2;

constexpr int DM_USER = 0x4000;
typedef long(FARAPI* FARWINDOWPROC)(HANDLE hDlg, int Msg, int Param1, long Param2);
typedef int(FARAPI* FRSUSERFUNC)(const FindRecord* FData, const char* FullName, void* Param);

constexpr int DI_COMBOBOX = 0xA, DI_LISTBOX = 0xB, DI_USERCONTROL = 0xFF;
constexpr DWORD DIF_BOXCOLOR = 0x200, DIF_GROUP = 0x400, DIF_LEFTTEXT = 0x800,
                DIF_SHOWAMPERSAND = 0x2000, DIF_NOBRACKETS = 0x8000, DIF_SEPARATOR = 0x10000,
                DIF_SEPARATOR2 = 0x20000, DIF_BTNNOCLOSE = 0x40000, DIF_CENTERTEXT = 0x40000,
                DIF_DROPDOWNLIST = 0x100000, DIF_USELASTHISTORY = 0x200000, DIF_MASKEDIT = 0x400000,
                DIF_3STATE = 0x800000, DIF_HIDDEN = 0x10000000, DIF_READONLY = 0x20000000,
                DIF_NOFOCUS = 0x40000000, DIF_DISABLE = 0x80000000;
enum {
    DM_FIRST,
    DM_CLOSE,
    DM_ENABLE,
    DM_ENABLEREDRAW,
    DM_GETDLGDATA,
    DM_GETDLGITEM,
    DM_GETDLGRECT,
    DM_GETTEXT,
    DM_GETTEXTLENGTH,
    DM_KEY,
    DM_MOVEDIALOG,
    DM_SETDLGDATA,
    DM_SETDLGITEM,
    DM_SETFOCUS,
    DM_REDRAW,
    DM_SETTEXT,
    DM_SETMAXTEXTLENGTH,
    DM_SHOWDIALOG,
    DM_GETFOCUS,
    DM_GETCURSORPOS,
    DM_SETCURSORPOS,
    DM_GETTEXTPTR,
    DM_SETTEXTPTR,
    DM_SHOWITEM,
    DM_ADDHISTORY,
    DM_GETCHECK,
    DM_SETCHECK,
    DM_SET3STATE,
    DM_LISTSORT,
    DM_LISTGETITEM,
    DM_LISTGETCURPOS,
    DM_LISTSETCURPOS,
    DM_LISTDELETE,
    DM_LISTADD,
    DM_LISTADDSTR,
    DM_LISTUPDATE,
    DM_LISTINSERT,
    DM_LISTFINDSTRING,
    DM_LISTINFO,
    DM_LISTGETDATA,
    DM_LISTSETDATA,
    DM_LISTSETTITLES,
    DM_LISTGETTITLES,
    DM_RESIZEDIALOG,
    DM_SETITEMPOSITION,
    DM_GETDROPDOWNOPENED,
    DM_SETDROPDOWNOPENED,
    DM_SETHISTORY,
    DM_GETITEMPOSITION,
    DM_SETMOUSEEVENTNOTIFY,
    DM_EDITUNCHANGEDFLAG,
    DM_GETITEMDATA,
    DM_SETITEMDATA,
    DM_LISTSET
};
constexpr int DN_FIRST = 0x1000, DN_BTNCLICK = 0x1001, DN_CTLCOLORDIALOG = 0x1002,
              DN_CTLCOLORDLGITEM = 0x1003, DN_CTLCOLORDLGLIST = 0x1004, DN_DRAWDIALOG = 0x1005,
              DN_DRAWDLGITEM = 0x1006, DN_EDITCHANGE = 0x1007, DN_ENTERIDLE = 0x1008,
              DN_GOTFOCUS = 0x1009, DN_HELP = 0x100A, DN_HOTKEY = 0x100B, DN_INITDIALOG = 0x100C,
              DN_KILLFOCUS = 0x100D, DN_LISTCHANGE = 0x100E, DN_DRAWDIALOGDONE = 0x1013,
              DN_CLOSE = 0x1, DN_KEY = 0x9;
constexpr int BSTATE_UNCHECKED = 0, BSTATE_CHECKED = 1, BSTATE_3STATE = 2, BSTATE_TOGGLE = 3;
constexpr DWORD LIF_SELECTED = 0x10000, LIF_CHECKED = 0x20000, LIF_SEPARATOR = 0x40000,
                LIF_DISABLE = 0x80000;
