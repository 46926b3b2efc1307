// The host's plugin interface as this plugin uses it: records, constants and
// the calling convention of the file manager's ANSI plugin generation whose
// PluginStartupInfo is 336 bytes. Only the fields the plugin touches carry
// names; the rest of each record is kept as opaque bytes of the right width.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Every entry point and every host service is __stdcall (the callee pops its
// arguments). On x86-64 test builds the attribute does not exist, and there is
// only one calling convention anyway.
#if defined(_WIN32)
#define FARAPI __stdcall
#elif defined(__i386__)
#define FARAPI __attribute__((stdcall))
#else
#define FARAPI
#endif

#if defined(__i386__) || defined(_M_IX86)
#define QELFAR_32BIT 1
#else
#define QELFAR_32BIT 0
#endif

typedef void* HANDLE;
typedef uint32_t DWORD;

// The no-panel result; a macro because a pointer made from an integer is not
// a constant expression, and the DLL runs no static constructors.
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)

constexpr int MaxPathChars = 260;                // names and paths, terminator excluded
constexpr int PathBufferSize = MaxPathChars + 1; // a name buffer with its terminator

#pragma pack(push, 2)

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// The host's find record, packed to 318 bytes (not the aligned 320).
struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    char cFileName[MaxPathChars];
    char cAlternateFileName[14];
};

struct PluginPanelItem {
    WIN32_FIND_DATA FindData;
    DWORD PackSizeHigh;
    DWORD PackSize;
    DWORD Flags;
    int NumberOfLinks;
    char* Description;
    char* Owner;
    char** CustomColumnData;
    int CustomColumnNumber;
    DWORD UserData;
    DWORD Reserved[3];
};

// The host's dialog item; Selected and History share their place.
struct FarDialogItem {
    int Type;
    int X1;
    int Y1;
    int X2;
    int Y2;
    int Focus;
    union {
        int Selected;
        const char* History;
    };
    DWORD Flags;
    int DefaultButton;
    char Data[512];
};

typedef const char*(FARAPI* FARAPIGETMSG)(int PluginNumber, int MsgId);
typedef int(FARAPI* FARAPIMESSAGE)(int PluginNumber, DWORD Flags, const char* HelpTopic,
                                   const char* const* Items, int ItemsNumber, int ButtonsNumber);
typedef int(FARAPI* FARAPIDIALOG)(int PluginNumber, int X1, int Y1, int X2, int Y2,
                                  const char* HelpTopic, FarDialogItem* Item, int ItemsNumber);

struct PluginStartupInfo {
    int StructSize;
    char ModuleName[MaxPathChars];
    int ModuleNumber;
    unsigned char OtherFields268[8];
    FARAPIDIALOG Dialog;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    unsigned char OtherServices288[48];
};

struct PluginInfo {
    int StructSize;
    DWORD Flags;
    unsigned char DiskMenuFields8[12];
    const char* const* PluginMenuStrings;
    int PluginMenuStringsNumber;
    unsigned char ConfigMenuFields28[8];
    const char* CommandPrefix;
};

struct OpenPluginInfo {
    int StructSize;
    DWORD Flags;
    const char* HostFile;
    const char* CurDir;
    unsigned char OtherFields16[4];
    const char* PanelTitle;
    unsigned char OtherFields24[28];
    int StartSortMode;
    unsigned char OtherFields56[12];
};

#pragma pack(pop)

// The StructSize values the host expects; equal to sizeof in 32-bit builds.
constexpr int PluginInfoSize = 40;
constexpr int OpenPluginInfoSize = 68;

// PluginInfo.Flags
constexpr DWORD PF_PRELOAD = 0x0001;
constexpr DWORD PF_EDITOR = 0x0004;
constexpr DWORD PF_VIEWER = 0x0008;

// OpenPluginInfo.Flags and StartSortMode
constexpr DWORD OPIF_USESORTGROUPS = 0x0002;
constexpr DWORD OPIF_USEHIGHLIGHTING = 0x0004;
constexpr DWORD OPIF_ADDDOTS = 0x0008;
constexpr int SM_UNSORTED = 1;

// Origins passed to OpenPlugin
constexpr int OPEN_PLUGINSMENU = 1;
constexpr int OPEN_COMMANDLINE = 4;
constexpr int OPEN_EDITOR = 5;
constexpr int OPEN_VIEWER = 6;

// Dialog item types and flags
constexpr int DI_TEXT = 0;
constexpr int DI_DOUBLEBOX = 3;
constexpr int DI_EDIT = 4;
constexpr int DI_PSWEDIT = 5;
constexpr int DI_FIXEDIT = 6;
constexpr int DI_BUTTON = 7;
constexpr DWORD DIF_CENTERGROUP = 0x4000;
constexpr DWORD DIF_HISTORY = 0x40000;

// Keys
constexpr int VK_F7 = 0x76;

// The byte layout the host reads. Pointers are 8 bytes on x86-64 test builds,
// so the pointer-bearing records are checked only where the host lives.
static_assert(sizeof(FILETIME) == 8);
static_assert(sizeof(WIN32_FIND_DATA) == 318);
static_assert(offsetof(WIN32_FIND_DATA, dwFileAttributes) == 0);
static_assert(offsetof(WIN32_FIND_DATA, ftCreationTime) == 4);
static_assert(offsetof(WIN32_FIND_DATA, ftLastAccessTime) == 12);
static_assert(offsetof(WIN32_FIND_DATA, ftLastWriteTime) == 20);
static_assert(offsetof(WIN32_FIND_DATA, nFileSizeHigh) == 28);
static_assert(offsetof(WIN32_FIND_DATA, nFileSizeLow) == 32);
static_assert(offsetof(WIN32_FIND_DATA, dwReserved0) == 36);
static_assert(offsetof(WIN32_FIND_DATA, dwReserved1) == 40);
static_assert(offsetof(WIN32_FIND_DATA, cFileName) == 44);
static_assert(offsetof(WIN32_FIND_DATA, cAlternateFileName) == 304);

#if QELFAR_32BIT
static_assert(sizeof(void*) == 4);

static_assert(sizeof(PluginStartupInfo) == 336);
static_assert(offsetof(PluginStartupInfo, ModuleNumber) == 264);
static_assert(offsetof(PluginStartupInfo, Dialog) == 276);
static_assert(offsetof(PluginStartupInfo, Message) == 280);
static_assert(offsetof(PluginStartupInfo, GetMsg) == 284);

static_assert(sizeof(PluginInfo) == PluginInfoSize);
static_assert(offsetof(PluginInfo, StructSize) == 0);
static_assert(offsetof(PluginInfo, Flags) == 4);
static_assert(offsetof(PluginInfo, DiskMenuFields8) == 8);
static_assert(offsetof(PluginInfo, PluginMenuStrings) == 20);
static_assert(offsetof(PluginInfo, PluginMenuStringsNumber) == 24);
static_assert(offsetof(PluginInfo, ConfigMenuFields28) == 28);
static_assert(offsetof(PluginInfo, CommandPrefix) == 36);

static_assert(sizeof(OpenPluginInfo) == OpenPluginInfoSize);
static_assert(offsetof(OpenPluginInfo, StructSize) == 0);
static_assert(offsetof(OpenPluginInfo, Flags) == 4);
static_assert(offsetof(OpenPluginInfo, HostFile) == 8);
static_assert(offsetof(OpenPluginInfo, CurDir) == 12);
static_assert(offsetof(OpenPluginInfo, PanelTitle) == 20);
static_assert(offsetof(OpenPluginInfo, StartSortMode) == 52);

static_assert(sizeof(PluginPanelItem) == 366);
static_assert(offsetof(PluginPanelItem, FindData) == 0);
static_assert(offsetof(PluginPanelItem, PackSizeHigh) == 318);
static_assert(offsetof(PluginPanelItem, PackSize) == 322);
static_assert(offsetof(PluginPanelItem, Flags) == 326);
static_assert(offsetof(PluginPanelItem, NumberOfLinks) == 330);
static_assert(offsetof(PluginPanelItem, Description) == 334);
static_assert(offsetof(PluginPanelItem, Owner) == 338);
static_assert(offsetof(PluginPanelItem, CustomColumnData) == 342);
static_assert(offsetof(PluginPanelItem, CustomColumnNumber) == 346);
static_assert(offsetof(PluginPanelItem, UserData) == 350);
static_assert(offsetof(PluginPanelItem, Reserved) == 354);
static_assert(3 * sizeof(PluginPanelItem) == 1098);
static_assert(sizeof(PluginPanelItem) + offsetof(WIN32_FIND_DATA, cFileName) == 410);

static_assert(sizeof(FarDialogItem) == 548);
static_assert(offsetof(FarDialogItem, Type) == 0);
static_assert(offsetof(FarDialogItem, X1) == 4);
static_assert(offsetof(FarDialogItem, Y1) == 8);
static_assert(offsetof(FarDialogItem, X2) == 12);
static_assert(offsetof(FarDialogItem, Y2) == 16);
static_assert(offsetof(FarDialogItem, Focus) == 20);
static_assert(offsetof(FarDialogItem, Selected) == 24);
static_assert(offsetof(FarDialogItem, History) == 24);
static_assert(offsetof(FarDialogItem, Flags) == 28);
static_assert(offsetof(FarDialogItem, DefaultButton) == 32);
static_assert(offsetof(FarDialogItem, Data) == 36);
#endif
