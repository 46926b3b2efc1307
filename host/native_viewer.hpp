// The native host's viewer as plugins see it: ViewerControl's commands and
// records, the events ProcessViewerEvent receives, and the flags of the
// Viewer service.
#pragma once

#include "host/native_types.hpp"

// VIEWER_FLAGS (Viewer)
constexpr DWORD VF_NONMODAL = 0x1;
constexpr DWORD VF_DELETEONCLOSE = 0x2;
constexpr DWORD VF_ENABLE_F6 = 0x4;
constexpr DWORD VF_DISABLEHISTORY = 0x8;
constexpr DWORD VF_IMMEDIATERETURN = 0x100;
constexpr DWORD VF_DELETEONLYFILEONCLOSE = 0x200;

// VIEWER_CONTROL_COMMANDS (ViewerControl)
constexpr int VCTL_GETINFO = 0x0;
constexpr int VCTL_QUIT = 0x1;
constexpr int VCTL_REDRAW = 0x2;
constexpr int VCTL_SETKEYBAR = 0x3;
constexpr int VCTL_SETPOSITION = 0x4;
constexpr int VCTL_SELECT = 0x5;

// VIEWER_OPTIONS (ViewerInfo.Options)
constexpr DWORD VOPT_SAVEFILEPOSITION = 0x1;
constexpr DWORD VOPT_AUTODETECTTABLE = 0x2;

// VIEWER_SETPOS_FLAGS (ViewerSetPosition.Flags)
constexpr DWORD VSP_NOREDRAW = 0x1;
constexpr DWORD VSP_PERCENT = 0x2;
constexpr DWORD VSP_RELATIVE = 0x4;
constexpr DWORD VSP_NORETNEWPOS = 0x8;

// VIEWER_EVENTS (ProcessViewerEvent)
constexpr int VE_READ = 0x0;
constexpr int VE_CLOSE = 0x1;

#pragma pack(push, 2)

struct ViewerMode {
    int UseDecodeTable;
    int TableNum;
    int AnsiMode;
    int Unicode;
    int Wrap;
    int TypeWrap;
    int Hex;
    DWORD Reserved[4];
};

struct ViewerInfo {
    int StructSize;
    int ViewerID;
    const char* FileName;
    FARINT64 FileSize;
    FARINT64 FilePos;
    int WindowSizeX;
    int WindowSizeY;
    DWORD Options;
    int TabSize;
    ViewerMode CurMode;
    int LeftPos;
    DWORD Reserved3;
};

struct ViewerSetPosition {
    DWORD Flags;
    FARINT64 StartPos;
    int LeftPos;
};

#pragma pack(pop)

static_assert(sizeof(ViewerMode) == 44);
static_assert(offsetof(ViewerMode, UseDecodeTable) == 0);
static_assert(offsetof(ViewerMode, TableNum) == 4);
static_assert(offsetof(ViewerMode, AnsiMode) == 8);
static_assert(offsetof(ViewerMode, Unicode) == 12);
static_assert(offsetof(ViewerMode, Wrap) == 16);
static_assert(offsetof(ViewerMode, TypeWrap) == 20);
static_assert(offsetof(ViewerMode, Hex) == 24);
static_assert(offsetof(ViewerMode, Reserved) == 28);

static_assert(sizeof(ViewerInfo) == 96);
static_assert(offsetof(ViewerInfo, StructSize) == 0);
static_assert(offsetof(ViewerInfo, ViewerID) == 4);
static_assert(offsetof(ViewerInfo, FileName) == 8);
static_assert(offsetof(ViewerInfo, FileSize) == 12);
static_assert(offsetof(ViewerInfo, FilePos) == 20);
static_assert(offsetof(ViewerInfo, WindowSizeX) == 28);
static_assert(offsetof(ViewerInfo, WindowSizeY) == 32);
static_assert(offsetof(ViewerInfo, Options) == 36);
static_assert(offsetof(ViewerInfo, TabSize) == 40);
static_assert(offsetof(ViewerInfo, CurMode) == 44);
static_assert(offsetof(ViewerInfo, LeftPos) == 88);
static_assert(offsetof(ViewerInfo, Reserved3) == 92);

static_assert(sizeof(ViewerSetPosition) == 16);
static_assert(offsetof(ViewerSetPosition, Flags) == 0);
static_assert(offsetof(ViewerSetPosition, StartPos) == 4);
static_assert(offsetof(ViewerSetPosition, LeftPos) == 12);

#pragma pack(push, 2)

// VCTL_SELECT: BlockLen bytes from BlockStartPos selected (a null record:
// none).
struct ViewerSelect {
    FARINT64 BlockStartPos;
    int BlockLen;
};

#pragma pack(pop)

static_assert(sizeof(ViewerSelect) == 12);
static_assert(offsetof(ViewerSelect, BlockLen) == 8);
