// What the native host's message boxes, dialogs, lists, menus and input
// boxes take: their flags, the dialog messages, and the records of menu and
// list items (Message, Menu, Dialog, DialogEx, SendDlgMessage, DefDlgProc,
// InputBox). The dialog item itself (FarDialogItem), DI_TEXT to
// DI_RADIOBUTTON, DIF_CENTERGROUP, DIF_HISTORY and FMSG_LEFTALIGN are
// qelfar's own, in shared_records.hpp and host_constants.hpp.
#pragma once

#include "host/native_types.hpp"

// Message: FARMESSAGEFLAGS
constexpr DWORD FMSG_WARNING = 0x1;
constexpr DWORD FMSG_ERRORTYPE = 0x2;
constexpr DWORD FMSG_KEEPBACKGROUND = 0x4;
constexpr DWORD FMSG_DOWN = 0x8;
constexpr DWORD FMSG_ALLINONE = 0x20;
constexpr DWORD FMSG_MB_OK = 0x10000;
constexpr DWORD FMSG_MB_OKCANCEL = 0x20000;
constexpr DWORD FMSG_MB_ABORTRETRYIGNORE = 0x30000;
constexpr DWORD FMSG_MB_YESNO = 0x40000;
constexpr DWORD FMSG_MB_YESNOCANCEL = 0x50000;
constexpr DWORD FMSG_MB_RETRYCANCEL = 0x60000;

// The first byte of a Message item (not a button) drawn as a single or a
// double line across the box, the rest of the item centred on it.
constexpr char MessageSingleLine = '\x01';
constexpr char MessageDoubleLine = '\x02';

// DialogItemTypes
constexpr int DI_COMBOBOX = 0xA;
constexpr int DI_LISTBOX = 0xB;
constexpr int DI_USERCONTROL = 0xFF;

// FarDialogItemFlags. Several share a value: each item type reads the bit
// its own way.
constexpr DWORD DIF_COLORMASK = 0xFF;
constexpr DWORD DIF_SETCOLOR = 0x100;
constexpr DWORD DIF_BOXCOLOR = 0x200;
constexpr DWORD DIF_GROUP = 0x400;
constexpr DWORD DIF_LEFTTEXT = 0x800;
constexpr DWORD DIF_MOVESELECT = 0x1000;
constexpr DWORD DIF_SHOWAMPERSAND = 0x2000;
constexpr DWORD DIF_NOBRACKETS = 0x8000;
constexpr DWORD DIF_MANUALADDHISTORY = 0x8000;
constexpr DWORD DIF_SEPARATOR = 0x10000;
constexpr DWORD DIF_VAREDIT = 0x10000;
constexpr DWORD DIF_SEPARATOR2 = 0x20000;
constexpr DWORD DIF_EDITOR = 0x20000;
constexpr DWORD DIF_LISTNOAMPERSAND = 0x20000;
constexpr DWORD DIF_LISTNOBOX = 0x40000;
constexpr DWORD DIF_BTNNOCLOSE = 0x40000;
constexpr DWORD DIF_CENTERTEXT = 0x40000;
constexpr DWORD DIF_EDITEXPAND = 0x80000;
constexpr DWORD DIF_DROPDOWNLIST = 0x100000;
constexpr DWORD DIF_USELASTHISTORY = 0x200000;
constexpr DWORD DIF_MASKEDIT = 0x400000;
constexpr DWORD DIF_SELECTONENTRY = 0x800000;
constexpr DWORD DIF_3STATE = 0x800000;
constexpr DWORD DIF_LISTWRAPMODE = 0x1000000;
constexpr DWORD DIF_LISTAUTOHIGHLIGHT = 0x2000000;
constexpr DWORD DIF_LISTNOCLOSE = 0x4000000;
constexpr DWORD DIF_HIDDEN = 0x10000000;
constexpr DWORD DIF_READONLY = 0x20000000;
constexpr DWORD DIF_NOFOCUS = 0x40000000;
constexpr DWORD DIF_DISABLE = 0x80000000;

// FarMessagesProc: the requests a plugin sends a dialog (DM_*) and the
// notices its dialog procedure receives (DN_*). DN_CLOSE and DN_KEY share
// DM_CLOSE's and DM_KEY's values.
constexpr int DM_FIRST = 0x0;
constexpr int DM_CLOSE = 0x1;
constexpr int DM_ENABLE = 0x2;
constexpr int DM_ENABLEREDRAW = 0x3;
constexpr int DM_GETDLGDATA = 0x4;
constexpr int DM_GETDLGITEM = 0x5;
constexpr int DM_GETDLGRECT = 0x6;
constexpr int DM_GETTEXT = 0x7;
constexpr int DM_GETTEXTLENGTH = 0x8;
constexpr int DM_KEY = 0x9;
constexpr int DM_MOVEDIALOG = 0xA;
constexpr int DM_SETDLGDATA = 0xB;
constexpr int DM_SETDLGITEM = 0xC;
constexpr int DM_SETFOCUS = 0xD;
constexpr int DM_REDRAW = 0xE;
constexpr int DM_SETREDRAW = 0xE;
constexpr int DM_SETTEXT = 0xF;
constexpr int DM_SETMAXTEXTLENGTH = 0x10;
constexpr int DM_SETTEXTLENGTH = 0x10;
constexpr int DM_SHOWDIALOG = 0x11;
constexpr int DM_GETFOCUS = 0x12;
constexpr int DM_GETCURSORPOS = 0x13;
constexpr int DM_SETCURSORPOS = 0x14;
constexpr int DM_GETTEXTPTR = 0x15;
constexpr int DM_SETTEXTPTR = 0x16;
constexpr int DM_SHOWITEM = 0x17;
constexpr int DM_ADDHISTORY = 0x18;
constexpr int DM_GETCHECK = 0x19;
constexpr int DM_SETCHECK = 0x1A;
constexpr int DM_SET3STATE = 0x1B;
constexpr int DM_LISTSORT = 0x1C;
constexpr int DM_LISTGETITEM = 0x1D;
constexpr int DM_LISTGETCURPOS = 0x1E;
constexpr int DM_LISTSETCURPOS = 0x1F;
constexpr int DM_LISTDELETE = 0x20;
constexpr int DM_LISTADD = 0x21;
constexpr int DM_LISTADDSTR = 0x22;
constexpr int DM_LISTUPDATE = 0x23;
constexpr int DM_LISTINSERT = 0x24;
constexpr int DM_LISTFINDSTRING = 0x25;
constexpr int DM_LISTINFO = 0x26;
constexpr int DM_LISTGETDATA = 0x27;
constexpr int DM_LISTSETDATA = 0x28;
constexpr int DM_LISTSETTITLES = 0x29;
constexpr int DM_LISTGETTITLES = 0x2A;
constexpr int DM_RESIZEDIALOG = 0x2B;
constexpr int DM_SETITEMPOSITION = 0x2C;
constexpr int DM_GETDROPDOWNOPENED = 0x2D;
constexpr int DM_SETDROPDOWNOPENED = 0x2E;
constexpr int DM_SETHISTORY = 0x2F;
constexpr int DM_GETITEMPOSITION = 0x30;
constexpr int DM_SETMOUSEEVENTNOTIFY = 0x31;
constexpr int DM_EDITUNCHANGEDFLAG = 0x32;
constexpr int DM_GETITEMDATA = 0x33;
constexpr int DM_SETITEMDATA = 0x34;
constexpr int DM_LISTSET = 0x35;
constexpr int DM_LISTSETMOUSEREACTION = 0x36;
constexpr int DM_GETCURSORSIZE = 0x37;
constexpr int DM_SETCURSORSIZE = 0x38;
constexpr int DM_LISTGETDATASIZE = 0x39;
constexpr int DM_GETSELECTION = 0x3A;
constexpr int DM_SETSELECTION = 0x3B;
constexpr int DN_LISTHOTKEY = 0x3C;
constexpr int DN_FIRST = 0x1000;
constexpr int DN_BTNCLICK = 0x1001;
constexpr int DN_CTLCOLORDIALOG = 0x1002;
constexpr int DN_CTLCOLORDLGITEM = 0x1003;
constexpr int DN_CTLCOLORDLGLIST = 0x1004;
constexpr int DN_DRAWDIALOG = 0x1005;
constexpr int DN_DRAWDLGITEM = 0x1006;
constexpr int DN_EDITCHANGE = 0x1007;
constexpr int DN_ENTERIDLE = 0x1008;
constexpr int DN_GOTFOCUS = 0x1009;
constexpr int DN_HELP = 0x100A;
constexpr int DN_HOTKEY = 0x100B;
constexpr int DN_INITDIALOG = 0x100C;
constexpr int DN_KILLFOCUS = 0x100D;
constexpr int DN_LISTCHANGE = 0x100E;
constexpr int DN_MOUSECLICK = 0x100F;
constexpr int DN_DRAGGED = 0x1010;
constexpr int DN_RESIZECONSOLE = 0x1011;
constexpr int DN_MOUSEEVENT = 0x1012;
constexpr int DN_DRAWDIALOGDONE = 0x1013;
constexpr int DN_CLOSE = 0x1;
constexpr int DN_KEY = 0x9;
constexpr int DM_USER = 0x4000;

// FARCHECKEDSTATE
constexpr int BSTATE_UNCHECKED = 0x0;
constexpr int BSTATE_CHECKED = 0x1;
constexpr int BSTATE_3STATE = 0x2;
constexpr int BSTATE_TOGGLE = 0x3;

// FARLISTMOUSEREACTIONTYPE
constexpr int LMRT_ONLYFOCUS = 0x0;
constexpr int LMRT_ALWAYS = 0x1;
constexpr int LMRT_NEVER = 0x2;

// LISTITEMFLAGS
constexpr DWORD LIF_SELECTED = 0x10000;
constexpr DWORD LIF_CHECKED = 0x20000;
constexpr DWORD LIF_SEPARATOR = 0x40000;
constexpr DWORD LIF_DISABLE = 0x80000;
constexpr DWORD LIF_DELETEUSERDATA = 0x80000000;

// FARLISTFINDFLAGS
constexpr DWORD LIFIND_EXACTMATCH = 0x1;

// FARLISTINFOFLAGS
constexpr DWORD LINFO_SHOWNOBOX = 0x400;
constexpr DWORD LINFO_AUTOHIGHLIGHT = 0x800;
constexpr DWORD LINFO_REVERSEHIGHLIGHT = 0x1000;
constexpr DWORD LINFO_WRAPMODE = 0x8000;
constexpr DWORD LINFO_SHOWAMPERSAND = 0x10000;

// FARDIALOGFLAGS (DialogEx)
constexpr DWORD FDLG_WARNING = 0x1;
constexpr DWORD FDLG_SMALLDIALOG = 0x2;
constexpr DWORD FDLG_NODRAWSHADOW = 0x4;
constexpr DWORD FDLG_NODRAWPANEL = 0x8;

// MENUITEMFLAGS (FarMenuItemEx.Flags)
constexpr DWORD MIF_SELECTED = 0x10000;
constexpr DWORD MIF_CHECKED = 0x20000;
constexpr DWORD MIF_SEPARATOR = 0x40000;
constexpr DWORD MIF_DISABLE = 0x80000;
constexpr DWORD MIF_USETEXTPTR = 0x80000000;

// FARMENUFLAGS (Menu). With FMENU_USEEXT the items are FarMenuItemEx.
constexpr DWORD FMENU_SHOWAMPERSAND = 0x1;
constexpr DWORD FMENU_WRAPMODE = 0x2;
constexpr DWORD FMENU_AUTOHIGHLIGHT = 0x4;
constexpr DWORD FMENU_REVERSEAUTOHIGHLIGHT = 0x8;
constexpr DWORD FMENU_USEEXT = 0x20;
constexpr DWORD FMENU_CHANGECONSOLETITLE = 0x40;

// INPUTBOXFLAGS
constexpr DWORD FIB_ENABLEEMPTY = 0x1;
constexpr DWORD FIB_PASSWORD = 0x2;
constexpr DWORD FIB_EXPANDENV = 0x4;
constexpr DWORD FIB_NOUSELASTHISTORY = 0x8;
constexpr DWORD FIB_BUTTONS = 0x10;
constexpr DWORD FIB_NOAMPERSAND = 0x20;

#pragma pack(push, 2)

struct FarMenuItem {
    char Text[128];
    int Selected;
    int Checked;
    int Separator;
};

// An item of a menu called with FMENU_USEEXT; with MIF_USETEXTPTR its text
// is the pointer TextPtr instead of the characters in place.
struct FarMenuItemEx {
    DWORD Flags;
    union {
        char TextData[128];
        const char* TextPtr;
    } Text;
    DWORD AccelKey;
    DWORD Reserved;
    DWORD UserData;
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

static_assert(sizeof(FarMenuItem) == 140);
static_assert(offsetof(FarMenuItem, Text) == 0);
static_assert(offsetof(FarMenuItem, Selected) == 128);
static_assert(offsetof(FarMenuItem, Checked) == 132);
static_assert(offsetof(FarMenuItem, Separator) == 136);

static_assert(sizeof(FarMenuItemEx) == 144);
static_assert(offsetof(FarMenuItemEx, Flags) == 0);
static_assert(offsetof(FarMenuItemEx, Text) == 4);
static_assert(offsetof(FarMenuItemEx, Text.TextData) == 4);
static_assert(offsetof(FarMenuItemEx, Text.TextPtr) == 4);
static_assert(offsetof(FarMenuItemEx, AccelKey) == 132);
static_assert(offsetof(FarMenuItemEx, Reserved) == 136);
static_assert(offsetof(FarMenuItemEx, UserData) == 140);

static_assert(sizeof(FarListItem) == 144);
static_assert(offsetof(FarListItem, Flags) == 0);
static_assert(offsetof(FarListItem, Text) == 4);
static_assert(offsetof(FarListItem, Reserved) == 132);

static_assert(sizeof(FarList) == 8);
static_assert(offsetof(FarList, ItemsNumber) == 0);
static_assert(offsetof(FarList, Items) == 4);

static_assert(sizeof(FarListPos) == 8);
static_assert(offsetof(FarListPos, SelectPos) == 0);
static_assert(offsetof(FarListPos, TopPos) == 4);

static_assert(sizeof(FarDialogItemData) == 8);
static_assert(offsetof(FarDialogItemData, PtrLength) == 0);
static_assert(offsetof(FarDialogItemData, PtrData) == 4);
