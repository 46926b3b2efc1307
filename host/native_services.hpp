// The startup record the native host hands SetStartupInfo: 372 bytes,
// StructSize 372, with every service the host offers and FSF, its standard
// functions. Its first 336 bytes are qelfar's PluginStartupInfo, which names
// the twelve services after GetMsg only as OtherServices; this record names
// every slot and gives each its function type. All services are __stdcall.
#pragma once

#include "host/native_dialogs.hpp"
#include "host/native_panels.hpp"
#include "host/native_slots.hpp"
#include "host/native_standard_functions.hpp"

// FarHelpFlags (ShowHelp)
constexpr DWORD FHELP_NOSHOWERROR = 0x80000000;
constexpr DWORD FHELP_SELFHELP = 0x0;
constexpr DWORD FHELP_FARHELP = 0x1;
constexpr DWORD FHELP_CUSTOMFILE = 0x2;
constexpr DWORD FHELP_CUSTOMPATH = 0x4;
constexpr DWORD FHELP_USECONTENTS = 0x40000000;

// FARCHARTABLE_COMMAND (CharTable)
constexpr int FCT_DETECT = 0x40000000;

// RootKey: the plugins' settings live under HKEY_CURRENT_USER\RootKey\<the
// plugin's own key>.
constexpr char NativeRootKey[] = "Software\\Far\\Plugins";

// A dialog procedure, and the default one plugins pass messages on to.
typedef long(FARAPI* FARWINDOWPROC)(HANDLE hDlg, int Msg, int Param1, long Param2);

typedef int(FARAPI* FARAPIMENU)(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags,
                                const char* Title, const char* Bottom, const char* HelpTopic,
                                const int* BreakKeys, int* BreakCode, const FarMenuItem* Item,
                                int ItemsNumber);
typedef int(FARAPI* FARAPICONTROL)(HANDLE hPlugin, int Command, void* Param);
typedef HANDLE(FARAPI* FARAPISAVESCREEN)(int X1, int Y1, int X2, int Y2);
typedef void(FARAPI* FARAPIRESTORESCREEN)(HANDLE hScreen);
typedef int(FARAPI* FARAPIGETDIRLIST)(const char* Dir, Native::PluginPanelItem** pPanelItem,
                                      int* pItemsNumber);
typedef int(FARAPI* FARAPIGETPLUGINDIRLIST)(int PluginNumber, HANDLE hPlugin, const char* Dir,
                                            Native::PluginPanelItem** pPanelItem,
                                            int* pItemsNumber);
typedef void(FARAPI* FARAPIFREEDIRLIST)(const Native::PluginPanelItem* PanelItem);
typedef int(FARAPI* FARAPIVIEWER)(const char* FileName, const char* Title, int X1, int Y1, int X2,
                                  int Y2, DWORD Flags);
typedef int(FARAPI* FARAPIEDITOR)(const char* FileName, const char* Title, int X1, int Y1, int X2,
                                  int Y2, DWORD Flags, int StartLine, int StartChar);
typedef int(FARAPI* FARAPICMPNAME)(const char* Pattern, const char* String, int SkipPath);
typedef int(FARAPI* FARAPICHARTABLE)(int Command, char* Buffer, int BufferSize);
typedef void(FARAPI* FARAPITEXT)(int X, int Y, int Color, const char* Str);
typedef int(FARAPI* FARAPIEDITORCONTROL)(int Command, void* Param);
typedef BOOL(FARAPI* FARAPISHOWHELP)(const char* ModuleName, const char* Topic, DWORD Flags);
typedef int(FARAPI* FARAPIADVCONTROL)(int ModuleNumber, int Command, void* Param);
typedef int(FARAPI* FARAPIINPUTBOX)(const char* Title, const char* SubTitle,
                                    const char* HistoryName, const char* SrcText, char* DestText,
                                    int DestLength, const char* HelpTopic, DWORD Flags);
typedef int(FARAPI* FARAPIDIALOGEX)(int PluginNumber, int X1, int Y1, int X2, int Y2,
                                    const char* HelpTopic, FarDialogItem* Item, int ItemsNumber,
                                    DWORD Reserved, DWORD Flags, FARWINDOWPROC DlgProc, long Param);
typedef long(FARAPI* FARAPISENDDLGMESSAGE)(HANDLE hDlg, int Msg, int Param1, long Param2);
typedef long(FARAPI* FARAPIDEFDLGPROC)(HANDLE hDlg, int Msg, int Param1, long Param2);
typedef int(FARAPI* FARAPIVIEWERCONTROL)(int Command, void* Param);

#pragma pack(push, 2)

namespace Native {

struct PluginStartupInfo {
    int StructSize;
    char ModuleName[MAX_PATH];
    INT_PTR ModuleNumber;
    const char* RootKey;
    FARAPIMENU Menu;
    FARAPIDIALOG Dialog;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPICONTROL Control;
    FARAPISAVESCREEN SaveScreen;
    FARAPIRESTORESCREEN RestoreScreen;
    FARAPIGETDIRLIST GetDirList;
    FARAPIGETPLUGINDIRLIST GetPluginDirList;
    FARAPIFREEDIRLIST FreeDirList;
    FARAPIVIEWER Viewer;
    FARAPIEDITOR Editor;
    FARAPICMPNAME CmpName;
    FARAPICHARTABLE CharTable;
    FARAPITEXT Text;
    FARAPIEDITORCONTROL EditorControl;
    // The slots a 1.70 or later host adds after qelfar's 336 bytes.
    FarStandardFunctions* FSF;
    FARAPISHOWHELP ShowHelp;
    FARAPIADVCONTROL AdvControl;
    FARAPIINPUTBOX InputBox;
    FARAPIDIALOGEX DialogEx;
    FARAPISENDDLGMESSAGE SendDlgMessage;
    FARAPIDEFDLGPROC DefDlgProc;
    DWORD Reserved;
    FARAPIVIEWERCONTROL ViewerControl;
};

} // namespace Native

#pragma pack(pop)

#define QELFAR_SERVICE_SLOT(Name)                                                                  \
    { #Name, offsetof(Native::PluginStartupInfo, Name) }

// Every service of the startup record, in the record's order (FSF is the
// table of StandardFunctionSlots, Reserved no service).
constexpr NamedSlot StartupServiceSlots[] = {
    QELFAR_SERVICE_SLOT(Menu),
    QELFAR_SERVICE_SLOT(Dialog),
    QELFAR_SERVICE_SLOT(Message),
    QELFAR_SERVICE_SLOT(GetMsg),
    QELFAR_SERVICE_SLOT(Control),
    QELFAR_SERVICE_SLOT(SaveScreen),
    QELFAR_SERVICE_SLOT(RestoreScreen),
    QELFAR_SERVICE_SLOT(GetDirList),
    QELFAR_SERVICE_SLOT(GetPluginDirList),
    QELFAR_SERVICE_SLOT(FreeDirList),
    QELFAR_SERVICE_SLOT(Viewer),
    QELFAR_SERVICE_SLOT(Editor),
    QELFAR_SERVICE_SLOT(CmpName),
    QELFAR_SERVICE_SLOT(CharTable),
    QELFAR_SERVICE_SLOT(Text),
    QELFAR_SERVICE_SLOT(EditorControl),
    QELFAR_SERVICE_SLOT(ShowHelp),
    QELFAR_SERVICE_SLOT(AdvControl),
    QELFAR_SERVICE_SLOT(InputBox),
    QELFAR_SERVICE_SLOT(DialogEx),
    QELFAR_SERVICE_SLOT(SendDlgMessage),
    QELFAR_SERVICE_SLOT(DefDlgProc),
    QELFAR_SERVICE_SLOT(ViewerControl),
};

#undef QELFAR_SERVICE_SLOT

static_assert(sizeof StartupServiceSlots / sizeof StartupServiceSlots[0] == 23);
static_assert(SlotsCover(StartupServiceSlots, offsetof(Native::PluginStartupInfo, Menu),
                         offsetof(Native::PluginStartupInfo, ViewerControl),
                         {{offsetof(Native::PluginStartupInfo, FSF),
                           offsetof(Native::PluginStartupInfo, ShowHelp)},
                          {offsetof(Native::PluginStartupInfo, Reserved),
                           offsetof(Native::PluginStartupInfo, ViewerControl)}}));

static_assert(sizeof(Native::PluginStartupInfo) == 372);
static_assert(offsetof(Native::PluginStartupInfo, StructSize) == 0);
static_assert(offsetof(Native::PluginStartupInfo, ModuleName) == 4);
static_assert(offsetof(Native::PluginStartupInfo, ModuleNumber) == 264);
static_assert(offsetof(Native::PluginStartupInfo, RootKey) == 268);
static_assert(offsetof(Native::PluginStartupInfo, Menu) == 272);
static_assert(offsetof(Native::PluginStartupInfo, Dialog) == 276);
static_assert(offsetof(Native::PluginStartupInfo, Message) == 280);
static_assert(offsetof(Native::PluginStartupInfo, GetMsg) == 284);
static_assert(offsetof(Native::PluginStartupInfo, Control) == 288);
static_assert(offsetof(Native::PluginStartupInfo, SaveScreen) == 292);
static_assert(offsetof(Native::PluginStartupInfo, RestoreScreen) == 296);
static_assert(offsetof(Native::PluginStartupInfo, GetDirList) == 300);
static_assert(offsetof(Native::PluginStartupInfo, GetPluginDirList) == 304);
static_assert(offsetof(Native::PluginStartupInfo, FreeDirList) == 308);
static_assert(offsetof(Native::PluginStartupInfo, Viewer) == 312);
static_assert(offsetof(Native::PluginStartupInfo, Editor) == 316);
static_assert(offsetof(Native::PluginStartupInfo, CmpName) == 320);
static_assert(offsetof(Native::PluginStartupInfo, CharTable) == 324);
static_assert(offsetof(Native::PluginStartupInfo, Text) == 328);
static_assert(offsetof(Native::PluginStartupInfo, EditorControl) == 332);
static_assert(offsetof(Native::PluginStartupInfo, FSF) == 336);
static_assert(offsetof(Native::PluginStartupInfo, ShowHelp) == 340);
static_assert(offsetof(Native::PluginStartupInfo, AdvControl) == 344);
static_assert(offsetof(Native::PluginStartupInfo, InputBox) == 348);
static_assert(offsetof(Native::PluginStartupInfo, DialogEx) == 352);
static_assert(offsetof(Native::PluginStartupInfo, SendDlgMessage) == 356);
static_assert(offsetof(Native::PluginStartupInfo, DefDlgProc) == 360);
static_assert(offsetof(Native::PluginStartupInfo, Reserved) == 364);
static_assert(offsetof(Native::PluginStartupInfo, ViewerControl) == 368);

// Its first 336 bytes are qelfar's record, slot for slot: a plugin that
// reads only those sees what qelfar sees.
static_assert(offsetof(Native::PluginStartupInfo, ModuleName) ==
              offsetof(PluginStartupInfo, ModuleName));
static_assert(offsetof(Native::PluginStartupInfo, ModuleNumber) ==
              offsetof(PluginStartupInfo, ModuleNumber));
static_assert(offsetof(Native::PluginStartupInfo, RootKey) == offsetof(PluginStartupInfo, RootKey));
static_assert(offsetof(Native::PluginStartupInfo, Menu) == offsetof(PluginStartupInfo, Menu));
static_assert(offsetof(Native::PluginStartupInfo, Dialog) == offsetof(PluginStartupInfo, Dialog));
static_assert(offsetof(Native::PluginStartupInfo, Message) == offsetof(PluginStartupInfo, Message));
static_assert(offsetof(Native::PluginStartupInfo, GetMsg) == offsetof(PluginStartupInfo, GetMsg));
static_assert(offsetof(Native::PluginStartupInfo, Control) ==
              offsetof(PluginStartupInfo, OtherServices));
static_assert(offsetof(Native::PluginStartupInfo, EditorControl) ==
              offsetof(PluginStartupInfo, OtherServices) +
                  (OtherServiceCount - 1) * sizeof(FARAPISERVICE));
static_assert(offsetof(Native::PluginStartupInfo, FSF) == sizeof(PluginStartupInfo));
