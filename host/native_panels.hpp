// The native host's file panels as plugins see them: Control's commands and
// records, the panel a plugin describes (OpenPluginInfo with its modes, info
// lines and key bar), and the panel items the services and entry points
// pass. PF_*, PKF_*, OPIF_USESORTGROUPS, OPIF_USEHIGHLIGHTING, OPIF_ADDDOTS,
// SM_UNSORTED and qelfar's OPEN_* values are qelfar's own, in
// host_constants.hpp.
//
// Two records are declared again here, in namespace Native, because a
// plugin built from the 1.75 interface lays them out unlike qelfar's
// generation: its find record keeps Windows' natural alignment (320 bytes,
// not the packed 318), so its PluginPanelItem is 368 bytes with CRC32 and
// two reserved words; and its OpenPluginInfo ends with a reserved long (72
// bytes, not 68). Everything else in this interface is the same record for
// both, declared once.
#pragma once

#include "host/native_types.hpp"

// PLUGINPANELITEMFLAGS
constexpr DWORD PPIF_PROCESSDESCR = 0x80000000;
constexpr DWORD PPIF_SELECTED = 0x40000000;
constexpr DWORD PPIF_USERDATA = 0x20000000;

// PANELINFOFLAGS
constexpr DWORD PFLAGS_SHOWHIDDEN = 0x1;
constexpr DWORD PFLAGS_HIGHLIGHT = 0x2;
constexpr DWORD PFLAGS_REVERSESORTORDER = 0x4;
constexpr DWORD PFLAGS_USESORTGROUPS = 0x8;
constexpr DWORD PFLAGS_SELECTEDFIRST = 0x10;
constexpr DWORD PFLAGS_REALNAMES = 0x20;
constexpr DWORD PFLAGS_NUMERICSORT = 0x40;

// PANELINFOTYPE
constexpr int PTYPE_FILEPANEL = 0x0;
constexpr int PTYPE_TREEPANEL = 0x1;
constexpr int PTYPE_QVIEWPANEL = 0x2;
constexpr int PTYPE_INFOPANEL = 0x3;

// FILE_CONTROL_COMMANDS (Control)
constexpr int FCTL_CLOSEPLUGIN = 0x0;
constexpr int FCTL_GETPANELINFO = 0x1;
constexpr int FCTL_GETANOTHERPANELINFO = 0x2;
constexpr int FCTL_UPDATEPANEL = 0x3;
constexpr int FCTL_UPDATEANOTHERPANEL = 0x4;
constexpr int FCTL_REDRAWPANEL = 0x5;
constexpr int FCTL_REDRAWANOTHERPANEL = 0x6;
constexpr int FCTL_SETANOTHERPANELDIR = 0x7;
constexpr int FCTL_GETCMDLINE = 0x8;
constexpr int FCTL_SETCMDLINE = 0x9;
constexpr int FCTL_SETSELECTION = 0xA;
constexpr int FCTL_SETANOTHERSELECTION = 0xB;
constexpr int FCTL_SETVIEWMODE = 0xC;
constexpr int FCTL_SETANOTHERVIEWMODE = 0xD;
constexpr int FCTL_INSERTCMDLINE = 0xE;
constexpr int FCTL_SETUSERSCREEN = 0xF;
constexpr int FCTL_SETPANELDIR = 0x10;
constexpr int FCTL_SETCMDLINEPOS = 0x11;
constexpr int FCTL_GETCMDLINEPOS = 0x12;
constexpr int FCTL_SETSORTMODE = 0x13;
constexpr int FCTL_SETANOTHERSORTMODE = 0x14;
constexpr int FCTL_SETSORTORDER = 0x15;
constexpr int FCTL_SETANOTHERSORTORDER = 0x16;
constexpr int FCTL_GETCMDLINESELECTEDTEXT = 0x17;
constexpr int FCTL_SETCMDLINESELECTION = 0x18;
constexpr int FCTL_GETCMDLINESELECTION = 0x19;
constexpr int FCTL_GETPANELSHORTINFO = 0x1A;
constexpr int FCTL_GETANOTHERPANELSHORTINFO = 0x1B;
constexpr int FCTL_CHECKPANELSEXIST = 0x1C;
constexpr int FCTL_SETNUMERICSORT = 0x1D;
constexpr int FCTL_SETANOTHERNUMERICSORT = 0x1E;

// OPENPLUGININFO_FLAGS
constexpr DWORD OPIF_USEFILTER = 0x1;
constexpr DWORD OPIF_RAWSELECTION = 0x10;
constexpr DWORD OPIF_REALNAMES = 0x20;
constexpr DWORD OPIF_SHOWNAMESONLY = 0x40;
constexpr DWORD OPIF_SHOWRIGHTALIGNNAMES = 0x80;
constexpr DWORD OPIF_SHOWPRESERVECASE = 0x100;
constexpr DWORD OPIF_FINDFOLDERS = 0x200;
constexpr DWORD OPIF_COMPAREFATTIME = 0x400;
constexpr DWORD OPIF_EXTERNALGET = 0x800;
constexpr DWORD OPIF_EXTERNALPUT = 0x1000;
constexpr DWORD OPIF_EXTERNALDELETE = 0x2000;
constexpr DWORD OPIF_EXTERNALMKDIR = 0x4000;
constexpr DWORD OPIF_USEATTRHIGHLIGHTING = 0x8000;

// OPENPLUGININFO_SORTMODES (also Compare's Mode)
constexpr int SM_DEFAULT = 0x0;
constexpr int SM_NAME = 0x2;
constexpr int SM_EXT = 0x3;
constexpr int SM_MTIME = 0x4;
constexpr int SM_CTIME = 0x5;
constexpr int SM_ATIME = 0x6;
constexpr int SM_SIZE = 0x7;
constexpr int SM_DESCR = 0x8;
constexpr int SM_OWNER = 0x9;
constexpr int SM_COMPRESSEDSIZE = 0xA;
constexpr int SM_NUMLINKS = 0xB;

// OPERATION_MODES (the OpMode of the panel entry points)
constexpr int OPM_SILENT = 0x1;
constexpr int OPM_FIND = 0x2;
constexpr int OPM_VIEW = 0x4;
constexpr int OPM_EDIT = 0x8;
constexpr int OPM_TOPLEVEL = 0x10;
constexpr int OPM_DESCR = 0x20;
constexpr int OPM_QUICKVIEW = 0x40;

// OPENPLUGIN_OPENFROM
constexpr int OPEN_FINDLIST = 0x2;
constexpr int OPEN_SHORTCUT = 0x3;

// FAR_EVENTS (ProcessEvent)
constexpr int FE_CHANGEVIEWMODE = 0x0;
constexpr int FE_REDRAW = 0x1;
constexpr int FE_IDLE = 0x2;
constexpr int FE_CLOSE = 0x3;
constexpr int FE_BREAK = 0x4;
constexpr int FE_COMMAND = 0x5;

// Compare's answers besides -1, 0 and 1.
constexpr int CompareAsHost = -2; // compare these two as the host would
constexpr int CompareNoMore = -3; // stop asking for this sort

namespace Native {

// Windows' ANSI find record in Windows' own natural alignment: the 318
// bytes of fields padded to 320.
struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MAX_PATH];
    char cAlternateFileName[14];
};

} // namespace Native

#pragma pack(push, 2)

namespace Native {

struct PluginPanelItem {
    WIN32_FIND_DATA FindData;
    DWORD PackSizeHigh;
    DWORD PackSize;
    DWORD Flags;
    DWORD NumberOfLinks;
    char* Description;
    char* Owner;
    char** CustomColumnData;
    int CustomColumnNumber;
    DWORD UserData;
    DWORD CRC32;
    DWORD Reserved[2];
};

struct OpenPluginInfo {
    int StructSize;
    DWORD Flags;
    const char* HostFile;
    const char* CurDir;
    const char* Format;
    const char* PanelTitle;
    const InfoPanelLine* InfoLines;
    int InfoLinesNumber;
    const char* const* DescrFiles;
    int DescrFilesNumber;
    const PanelMode* PanelModesArray;
    int PanelModesNumber;
    int StartPanelMode;
    int StartSortMode;
    int StartSortOrder;
    const KeyBarTitles* KeyBar;
    const char* ShortcutData;
    long Reserverd;
};

} // namespace Native

struct PanelInfo {
    int PanelType;
    int Plugin;
    RECT PanelRect;
    Native::PluginPanelItem* PanelItems;
    int ItemsNumber;
    Native::PluginPanelItem* SelectedItems;
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

struct PanelMode {
    char* ColumnTypes;
    char* ColumnWidths;
    char** ColumnTitles;
    int FullScreen;
    int DetailedStatus;
    int AlignExtensions;
    int CaseConversion;
    char* StatusColumnTypes;
    char* StatusColumnWidths;
    DWORD Reserved[2];
};

struct InfoPanelLine {
    char Text[80];
    char Data[80];
    int Separator;
};

// The key bar's twelve titles for each combination of modifiers.
struct KeyBarTitles {
    char* Titles[12];
    char* CtrlTitles[12];
    char* AltTitles[12];
    char* ShiftTitles[12];
    char* CtrlShiftTitles[12];
    char* AltShiftTitles[12];
    char* CtrlAltTitles[12];
};

#pragma pack(pop)

static_assert(sizeof(Native::WIN32_FIND_DATA) == 320);
static_assert(offsetof(Native::WIN32_FIND_DATA, dwFileAttributes) == 0);
static_assert(offsetof(Native::WIN32_FIND_DATA, ftCreationTime) == 4);
static_assert(offsetof(Native::WIN32_FIND_DATA, ftLastAccessTime) == 12);
static_assert(offsetof(Native::WIN32_FIND_DATA, ftLastWriteTime) == 20);
static_assert(offsetof(Native::WIN32_FIND_DATA, nFileSizeHigh) == 28);
static_assert(offsetof(Native::WIN32_FIND_DATA, nFileSizeLow) == 32);
static_assert(offsetof(Native::WIN32_FIND_DATA, dwReserved0) == 36);
static_assert(offsetof(Native::WIN32_FIND_DATA, dwReserved1) == 40);
static_assert(offsetof(Native::WIN32_FIND_DATA, cFileName) == 44);
static_assert(offsetof(Native::WIN32_FIND_DATA, cAlternateFileName) == 304);

static_assert(sizeof(Native::PluginPanelItem) == 368);
static_assert(offsetof(Native::PluginPanelItem, FindData) == 0);
static_assert(offsetof(Native::PluginPanelItem, PackSizeHigh) == 320);
static_assert(offsetof(Native::PluginPanelItem, PackSize) == 324);
static_assert(offsetof(Native::PluginPanelItem, Flags) == 328);
static_assert(offsetof(Native::PluginPanelItem, NumberOfLinks) == 332);
static_assert(offsetof(Native::PluginPanelItem, Description) == 336);
static_assert(offsetof(Native::PluginPanelItem, Owner) == 340);
static_assert(offsetof(Native::PluginPanelItem, CustomColumnData) == 344);
static_assert(offsetof(Native::PluginPanelItem, CustomColumnNumber) == 348);
static_assert(offsetof(Native::PluginPanelItem, UserData) == 352);
static_assert(offsetof(Native::PluginPanelItem, CRC32) == 356);
static_assert(offsetof(Native::PluginPanelItem, Reserved) == 360);

static_assert(sizeof(Native::OpenPluginInfo) == 72);
static_assert(offsetof(Native::OpenPluginInfo, StructSize) == 0);
static_assert(offsetof(Native::OpenPluginInfo, Flags) == 4);
static_assert(offsetof(Native::OpenPluginInfo, HostFile) == 8);
static_assert(offsetof(Native::OpenPluginInfo, CurDir) == 12);
static_assert(offsetof(Native::OpenPluginInfo, Format) == 16);
static_assert(offsetof(Native::OpenPluginInfo, PanelTitle) == 20);
static_assert(offsetof(Native::OpenPluginInfo, InfoLines) == 24);
static_assert(offsetof(Native::OpenPluginInfo, InfoLinesNumber) == 28);
static_assert(offsetof(Native::OpenPluginInfo, DescrFiles) == 32);
static_assert(offsetof(Native::OpenPluginInfo, DescrFilesNumber) == 36);
static_assert(offsetof(Native::OpenPluginInfo, PanelModesArray) == 40);
static_assert(offsetof(Native::OpenPluginInfo, PanelModesNumber) == 44);
static_assert(offsetof(Native::OpenPluginInfo, StartPanelMode) == 48);
static_assert(offsetof(Native::OpenPluginInfo, StartSortMode) == 52);
static_assert(offsetof(Native::OpenPluginInfo, StartSortOrder) == 56);
static_assert(offsetof(Native::OpenPluginInfo, KeyBar) == 60);
static_assert(offsetof(Native::OpenPluginInfo, ShortcutData) == 64);
static_assert(offsetof(Native::OpenPluginInfo, Reserverd) == 68);
// Its first 68 bytes are qelfar's record, which the host reads alike.
static_assert(offsetof(Native::OpenPluginInfo, Reserverd) == sizeof(OpenPluginInfo));

static_assert(sizeof(PanelInfo) == 496);
static_assert(offsetof(PanelInfo, PanelType) == 0);
static_assert(offsetof(PanelInfo, Plugin) == 4);
static_assert(offsetof(PanelInfo, PanelRect) == 8);
static_assert(offsetof(PanelInfo, PanelItems) == 24);
static_assert(offsetof(PanelInfo, ItemsNumber) == 28);
static_assert(offsetof(PanelInfo, SelectedItems) == 32);
static_assert(offsetof(PanelInfo, SelectedItemsNumber) == 36);
static_assert(offsetof(PanelInfo, CurrentItem) == 40);
static_assert(offsetof(PanelInfo, TopPanelItem) == 44);
static_assert(offsetof(PanelInfo, Visible) == 48);
static_assert(offsetof(PanelInfo, Focus) == 52);
static_assert(offsetof(PanelInfo, ViewMode) == 56);
static_assert(offsetof(PanelInfo, ColumnTypes) == 60);
static_assert(offsetof(PanelInfo, ColumnWidths) == 140);
static_assert(offsetof(PanelInfo, CurDir) == 220);
static_assert(offsetof(PanelInfo, ShortNames) == 480);
static_assert(offsetof(PanelInfo, SortMode) == 484);
static_assert(offsetof(PanelInfo, Flags) == 488);
static_assert(offsetof(PanelInfo, Reserved) == 492);

static_assert(sizeof(PanelRedrawInfo) == 8);
static_assert(offsetof(PanelRedrawInfo, CurrentItem) == 0);
static_assert(offsetof(PanelRedrawInfo, TopPanelItem) == 4);

static_assert(sizeof(CmdLineSelect) == 8);
static_assert(offsetof(CmdLineSelect, SelStart) == 0);
static_assert(offsetof(CmdLineSelect, SelEnd) == 4);

static_assert(sizeof(PanelMode) == 44);
static_assert(offsetof(PanelMode, ColumnTypes) == 0);
static_assert(offsetof(PanelMode, ColumnWidths) == 4);
static_assert(offsetof(PanelMode, ColumnTitles) == 8);
static_assert(offsetof(PanelMode, FullScreen) == 12);
static_assert(offsetof(PanelMode, DetailedStatus) == 16);
static_assert(offsetof(PanelMode, AlignExtensions) == 20);
static_assert(offsetof(PanelMode, CaseConversion) == 24);
static_assert(offsetof(PanelMode, StatusColumnTypes) == 28);
static_assert(offsetof(PanelMode, StatusColumnWidths) == 32);
static_assert(offsetof(PanelMode, Reserved) == 36);

static_assert(sizeof(InfoPanelLine) == 164);
static_assert(offsetof(InfoPanelLine, Text) == 0);
static_assert(offsetof(InfoPanelLine, Data) == 80);
static_assert(offsetof(InfoPanelLine, Separator) == 160);

static_assert(sizeof(KeyBarTitles) == 336);
static_assert(offsetof(KeyBarTitles, Titles) == 0);
static_assert(offsetof(KeyBarTitles, CtrlTitles) == 48);
static_assert(offsetof(KeyBarTitles, AltTitles) == 96);
static_assert(offsetof(KeyBarTitles, ShiftTitles) == 144);
static_assert(offsetof(KeyBarTitles, CtrlShiftTitles) == 192);
static_assert(offsetof(KeyBarTitles, AltShiftTitles) == 240);
static_assert(offsetof(KeyBarTitles, CtrlAltTitles) == 288);
