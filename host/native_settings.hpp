// AdvControl as the native host answers it: its commands, the bits of the
// settings it reports with the values measured in the native host, the
// host's version, and the records of windows, key sequences and macros.
#pragma once

#include "host/native_types.hpp"

// ADVANCED_CONTROL_COMMANDS
constexpr int ACTL_GETFARVERSION = 0x0;
constexpr int ACTL_CONSOLEMODE = 0x1;
constexpr int ACTL_GETSYSWORDDIV = 0x2;
constexpr int ACTL_WAITKEY = 0x3;
constexpr int ACTL_GETCOLOR = 0x4;
constexpr int ACTL_GETARRAYCOLOR = 0x5;
constexpr int ACTL_EJECTMEDIA = 0x6;
constexpr int ACTL_KEYMACRO = 0x7;
constexpr int ACTL_POSTKEYSEQUENCE = 0x8;
constexpr int ACTL_GETWINDOWINFO = 0x9;
constexpr int ACTL_GETWINDOWCOUNT = 0xA;
constexpr int ACTL_SETCURRENTWINDOW = 0xB;
constexpr int ACTL_COMMIT = 0xC;
constexpr int ACTL_GETFARHWND = 0xD;
constexpr int ACTL_GETSYSTEMSETTINGS = 0xE;
constexpr int ACTL_GETPANELSETTINGS = 0xF;
constexpr int ACTL_GETINTERFACESETTINGS = 0x10;
constexpr int ACTL_GETCONFIRMATIONS = 0x11;
constexpr int ACTL_GETDESCSETTINGS = 0x12;
constexpr int ACTL_SETARRAYCOLOR = 0x13;
constexpr int ACTL_GETWCHARMODE = 0x14;
constexpr int ACTL_GETPLUGINMAXREADDATA = 0x15;
constexpr int ACTL_GETDIALOGSETTINGS = 0x16;
constexpr int ACTL_GETSHORTWINDOWINFO = 0x17;

// FarSystemSettings
constexpr DWORD FSS_CLEARROATTRIBUTE = 0x1;
constexpr DWORD FSS_DELETETORECYCLEBIN = 0x2;
constexpr DWORD FSS_USESYSTEMCOPYROUTINE = 0x4;
constexpr DWORD FSS_COPYFILESOPENEDFORWRITING = 0x8;
constexpr DWORD FSS_CREATEFOLDERSINUPPERCASE = 0x10;
constexpr DWORD FSS_SAVECOMMANDSHISTORY = 0x20;
constexpr DWORD FSS_SAVEFOLDERSHISTORY = 0x40;
constexpr DWORD FSS_SAVEVIEWANDEDITHISTORY = 0x80;
constexpr DWORD FSS_USEWINDOWSREGISTEREDTYPES = 0x100;
constexpr DWORD FSS_AUTOSAVESETUP = 0x200;
constexpr DWORD FSS_SCANSYMLINK = 0x400;

// FarPanelSettings
constexpr DWORD FPS_SHOWHIDDENANDSYSTEMFILES = 0x1;
constexpr DWORD FPS_HIGHLIGHTFILES = 0x2;
constexpr DWORD FPS_AUTOCHANGEFOLDER = 0x4;
constexpr DWORD FPS_SELECTFOLDERS = 0x8;
constexpr DWORD FPS_ALLOWREVERSESORTMODES = 0x10;
constexpr DWORD FPS_SHOWCOLUMNTITLES = 0x20;
constexpr DWORD FPS_SHOWSTATUSLINE = 0x40;
constexpr DWORD FPS_SHOWFILESTOTALINFORMATION = 0x80;
constexpr DWORD FPS_SHOWFREESIZE = 0x100;
constexpr DWORD FPS_SHOWSCROLLBAR = 0x200;
constexpr DWORD FPS_SHOWBACKGROUNDSCREENSNUMBER = 0x400;
constexpr DWORD FPS_SHOWSORTMODELETTER = 0x800;

// FarDialogSettings
constexpr DWORD FDIS_HISTORYINDIALOGEDITCONTROLS = 0x1;
constexpr DWORD FDIS_PERSISTENTBLOCKSINEDITCONTROLS = 0x2;
constexpr DWORD FDIS_AUTOCOMPLETEININPUTLINES = 0x4;
constexpr DWORD FDIS_BSDELETEUNCHANGEDTEXT = 0x8;

// FarInterfaceSettings
constexpr DWORD FIS_CLOCKINPANELS = 0x1;
constexpr DWORD FIS_CLOCKINVIEWERANDEDITOR = 0x2;
constexpr DWORD FIS_MOUSE = 0x4;
constexpr DWORD FIS_SHOWKEYBAR = 0x8;
constexpr DWORD FIS_ALWAYSSHOWMENUBAR = 0x10;
constexpr DWORD FIS_USERIGHTALTASALTGR = 0x80;
constexpr DWORD FIS_SHOWTOTALCOPYPROGRESSINDICATOR = 0x100;
constexpr DWORD FIS_SHOWCOPYINGTIMEINFO = 0x200;
constexpr DWORD FIS_USECTRLPGUPTOCHANGEDRIVE = 0x800;

// FarConfirmationsSettings
constexpr DWORD FCS_COPYOVERWRITE = 0x1;
constexpr DWORD FCS_MOVEOVERWRITE = 0x2;
constexpr DWORD FCS_DRAGANDDROP = 0x4;
constexpr DWORD FCS_DELETE = 0x8;
constexpr DWORD FCS_DELETENONEMPTYFOLDERS = 0x10;
constexpr DWORD FCS_INTERRUPTOPERATION = 0x20;
constexpr DWORD FCS_DISCONNECTNETWORKDRIVE = 0x40;
constexpr DWORD FCS_RELOADEDITEDFILE = 0x80;
constexpr DWORD FCS_CLEARHISTORYLIST = 0x100;
constexpr DWORD FCS_EXIT = 0x200;

// FarDescriptionSettings
constexpr DWORD FDS_UPDATEALWAYS = 0x1;
constexpr DWORD FDS_UPDATEIFDISPLAYED = 0x2;
constexpr DWORD FDS_SETHIDDEN = 0x4;
constexpr DWORD FDS_UPDATEREADONLY = 0x8;

// FAREJECTMEDIAFLAGS
constexpr DWORD EJECT_NO_MESSAGE = 0x1;
constexpr DWORD EJECT_LOAD_MEDIA = 0x2;

// FARKEYSEQUENCEFLAGS (KeySequence.Flags)
constexpr DWORD KSFLAGS_DISABLEOUTPUT = 0x1;
constexpr DWORD KSFLAGS_NOSENDKEYSTOPLUGINS = 0x2;

// FARMACROCOMMAND (ActlKeyMacro.Command)
constexpr int MCMD_LOADALL = 0x0;
constexpr int MCMD_SAVEALL = 0x1;
constexpr int MCMD_POSTMACROSTRING = 0x2;

// FARCOLORFLAGS
constexpr DWORD FCLR_REDRAW = 0x1;

// WINDOWINFO_TYPE (WindowInfo.Type)
constexpr int WTYPE_PANELS = 0x1;
constexpr int WTYPE_VIEWER = 0x2;
constexpr int WTYPE_EDITOR = 0x3;
constexpr int WTYPE_DIALOG = 0x4;
constexpr int WTYPE_VMENU = 0x5;
constexpr int WTYPE_HELP = 0x6;

// A host version as ACTL_GETFARVERSION gives it and GetMinFarVersion asks
// for it: major and minor in the low word, the build in the high word. The
// host compares the low word first, then the build.
constexpr DWORD MakeFarVersion(DWORD Major, DWORD Minor, DWORD Build) {
    return (Major << 8) | Minor | (Build << 16);
}
constexpr DWORD NativeFarVersion = MakeFarVersion(1, 75, 2634);

// What the native host answers to a settings query, measured in a fresh
// profile with three options turned off: the panels' clock, the exit
// confirmation and autocompletion. With every default, FIS_CLOCKINPANELS,
// FCS_EXIT and FDIS_AUTOCOMPLETEININPUTLINES are set as well.
struct SettingsAnswer {
    int Command;
    DWORD Answer;
};

constexpr SettingsAnswer NativeSettingsAnswers[] = {
    {ACTL_GETSYSTEMSETTINGS, 0x000005EA},    {ACTL_GETPANELSETTINGS, 0x00000CF3},
    {ACTL_GETINTERFACESETTINGS, 0x00000A8C}, {ACTL_GETCONFIRMATIONS, 0x000001FF},
    {ACTL_GETDESCSETTINGS, 0x00000006},      {ACTL_GETDIALOGSETTINGS, 0x00000031},
};

// ACTL_GETPLUGINMAXREADDATA: how many first bytes of a file OpenFilePlugin
// is handed.
constexpr int NativePluginMaxReadData = 0x20000;

#pragma pack(push, 2)

struct WindowInfo {
    int Pos;
    int Type;
    int Modified;
    int Current;
    char TypeName[64];
    char Name[MAX_PATH];
};

struct KeySequence {
    DWORD Flags;
    int Count;
    DWORD* Sequence;
};

// With MCMD_POSTMACROSTRING, Param.PlainText holds the macro's text.
struct ActlKeyMacro {
    int Command;
    union {
        struct {
            char* SequenceText;
            DWORD Flags;
        } PlainText;
        DWORD Reserved[3];
    } Param;
};

#pragma pack(pop)

static_assert(NativeFarVersion == 0x0A4A014B);
static_assert(NativePluginMaxReadData == 131072);

static_assert(sizeof(WindowInfo) == 340);
static_assert(offsetof(WindowInfo, Pos) == 0);
static_assert(offsetof(WindowInfo, Type) == 4);
static_assert(offsetof(WindowInfo, Modified) == 8);
static_assert(offsetof(WindowInfo, Current) == 12);
static_assert(offsetof(WindowInfo, TypeName) == 16);
static_assert(offsetof(WindowInfo, Name) == 80);

static_assert(sizeof(KeySequence) == 12);
static_assert(offsetof(KeySequence, Flags) == 0);
static_assert(offsetof(KeySequence, Count) == 4);
static_assert(offsetof(KeySequence, Sequence) == 8);

static_assert(sizeof(ActlKeyMacro) == 16);
static_assert(offsetof(ActlKeyMacro, Command) == 0);
static_assert(offsetof(ActlKeyMacro, Param) == 4);
static_assert(offsetof(ActlKeyMacro, Param.PlainText.SequenceText) == 4);
static_assert(offsetof(ActlKeyMacro, Param.PlainText.Flags) == 8);
static_assert(offsetof(ActlKeyMacro, Param.Reserved) == 4);
