// The native host's editor as plugins see it: EditorControl's commands and
// records, the events ProcessEditorEvent receives, and the flags of the
// Editor service.
#pragma once

#include "host/native_types.hpp"

// EDITOR_FLAGS (Editor)
constexpr DWORD EF_NONMODAL = 0x1;
constexpr DWORD EF_CREATENEW = 0x2;
constexpr DWORD EF_ENABLE_F6 = 0x4;
constexpr DWORD EF_DISABLEHISTORY = 0x8;
constexpr DWORD EF_DELETEONCLOSE = 0x10;
constexpr DWORD EF_IMMEDIATERETURN = 0x100;
constexpr DWORD EF_DELETEONLYFILEONCLOSE = 0x200;

// EDITOR_EXITCODE (Editor's result)
constexpr int EEC_OPEN_ERROR = 0x0;
constexpr int EEC_MODIFIED = 0x1;
constexpr int EEC_NOT_MODIFIED = 0x2;
constexpr int EEC_LOADING_INTERRUPTED = 0x3;

// EDITOR_EVENTS (ProcessEditorEvent)
constexpr int EE_READ = 0x0;
constexpr int EE_SAVE = 0x1;
constexpr int EE_REDRAW = 0x2;
constexpr int EE_CLOSE = 0x3;

// EE_REDRAW's parameter, a number handed as the pointer: what changed.
constexpr int EEREDRAW_ALL = 0;
constexpr int EEREDRAW_CHANGE = 1;
constexpr int EEREDRAW_LINE = 2;

// EDITOR_CONTROL_COMMANDS (EditorControl)
constexpr int ECTL_GETSTRING = 0x0;
constexpr int ECTL_SETSTRING = 0x1;
constexpr int ECTL_INSERTSTRING = 0x2;
constexpr int ECTL_DELETESTRING = 0x3;
constexpr int ECTL_DELETECHAR = 0x4;
constexpr int ECTL_INSERTTEXT = 0x5;
constexpr int ECTL_GETINFO = 0x6;
constexpr int ECTL_SETPOSITION = 0x7;
constexpr int ECTL_SELECT = 0x8;
constexpr int ECTL_REDRAW = 0x9;
constexpr int ECTL_EDITORTOOEM = 0xA;
constexpr int ECTL_OEMTOEDITOR = 0xB;
constexpr int ECTL_TABTOREAL = 0xC;
constexpr int ECTL_REALTOTAB = 0xD;
constexpr int ECTL_EXPANDTABS = 0xE;
constexpr int ECTL_SETTITLE = 0xF;
constexpr int ECTL_READINPUT = 0x10;
constexpr int ECTL_PROCESSINPUT = 0x11;
constexpr int ECTL_ADDCOLOR = 0x12;
constexpr int ECTL_GETCOLOR = 0x13;
constexpr int ECTL_SAVEFILE = 0x14;
constexpr int ECTL_QUIT = 0x15;
constexpr int ECTL_SETKEYBAR = 0x16;
constexpr int ECTL_PROCESSKEY = 0x17;
constexpr int ECTL_SETPARAM = 0x18;
constexpr int ECTL_GETBOOKMARKS = 0x19;
constexpr int ECTL_TURNOFFMARKINGBLOCK = 0x1A;
constexpr int ECTL_DELETEBLOCK = 0x1B;

// EDITOR_SETPARAMETER_TYPES (EditorSetParameter.Type)
constexpr int ESPT_TABSIZE = 0x0;
constexpr int ESPT_EXPANDTABS = 0x1;
constexpr int ESPT_AUTOINDENT = 0x2;
constexpr int ESPT_CURSORBEYONDEOL = 0x3;
constexpr int ESPT_CHARCODEBASE = 0x4;
constexpr int ESPT_CHARTABLE = 0x5;
constexpr int ESPT_SAVEFILEPOSITION = 0x6;
constexpr int ESPT_LOCKMODE = 0x7;
constexpr int ESPT_SETWORDDIV = 0x8;
constexpr int ESPT_GETWORDDIV = 0x9;

// EXPAND_TABS
constexpr int EXPAND_NOTABS = 0x0;
constexpr int EXPAND_ALLTABS = 0x1;
constexpr int EXPAND_NEWTABS = 0x2;

// EDITOR_OPTIONS (EditorInfo.Options)
constexpr DWORD EOPT_EXPANDALLTABS = 0x1;
constexpr DWORD EOPT_PERSISTENTBLOCKS = 0x2;
constexpr DWORD EOPT_DELREMOVESBLOCKS = 0x4;
constexpr DWORD EOPT_AUTOINDENT = 0x8;
constexpr DWORD EOPT_SAVEFILEPOSITION = 0x10;
constexpr DWORD EOPT_AUTODETECTTABLE = 0x20;
constexpr DWORD EOPT_CURSORBEYONDEOL = 0x40;
constexpr DWORD EOPT_EXPANDONLYNEWTABS = 0x80;

// EDITOR_BLOCK_TYPES
constexpr int BTYPE_NONE = 0x0;
constexpr int BTYPE_STREAM = 0x1;
constexpr int BTYPE_COLUMN = 0x2;

// EDITOR_CURRENTSTATE (EditorInfo.CurState)
constexpr DWORD ECSTATE_MODIFIED = 0x1;
constexpr DWORD ECSTATE_SAVED = 0x2;
constexpr DWORD ECSTATE_LOCKED = 0x4;

// EDITORCOLORFLAGS
constexpr DWORD ECF_TAB1 = 0x10000;

#pragma pack(push, 2)

struct EditorInfo {
    int EditorID;
    const char* FileName;
    int WindowSizeX;
    int WindowSizeY;
    int TotalLines;
    int CurLine;
    int CurPos;
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
    int BlockType;
    int BlockStartLine;
    int AnsiMode;
    int TableNum;
    DWORD Options;
    int TabSize;
    int BookMarkCount;
    DWORD CurState;
    DWORD Reserved[6];
};

// StringNumber -1 means the line under the cursor.
struct EditorGetString {
    int StringNumber;
    const char* StringText;
    const char* StringEOL;
    int StringLength;
    int SelStart;
    int SelEnd;
};

struct EditorSetString {
    int StringNumber;
    char* StringText;
    char* StringEOL;
    int StringLength;
};

struct EditorSetPosition {
    int CurLine;
    int CurPos;
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
};

struct EditorSelect {
    int BlockType;
    int BlockStartLine;
    int BlockStartPos;
    int BlockWidth;
    int BlockHeight;
};

struct EditorConvertText {
    char* Text;
    int TextLength;
};

// Param holds a number or a text, as Type says.
struct EditorSetParameter {
    int Type;
    union {
        int iParam;
        char* cParam;
        DWORD Reserved1;
    } Param;
    DWORD Flags;
    DWORD Reserved2;
};

#pragma pack(pop)

static_assert(sizeof(EditorInfo) == 100);
static_assert(offsetof(EditorInfo, EditorID) == 0);
static_assert(offsetof(EditorInfo, FileName) == 4);
static_assert(offsetof(EditorInfo, WindowSizeX) == 8);
static_assert(offsetof(EditorInfo, WindowSizeY) == 12);
static_assert(offsetof(EditorInfo, TotalLines) == 16);
static_assert(offsetof(EditorInfo, CurLine) == 20);
static_assert(offsetof(EditorInfo, CurPos) == 24);
static_assert(offsetof(EditorInfo, CurTabPos) == 28);
static_assert(offsetof(EditorInfo, TopScreenLine) == 32);
static_assert(offsetof(EditorInfo, LeftPos) == 36);
static_assert(offsetof(EditorInfo, Overtype) == 40);
static_assert(offsetof(EditorInfo, BlockType) == 44);
static_assert(offsetof(EditorInfo, BlockStartLine) == 48);
static_assert(offsetof(EditorInfo, AnsiMode) == 52);
static_assert(offsetof(EditorInfo, TableNum) == 56);
static_assert(offsetof(EditorInfo, Options) == 60);
static_assert(offsetof(EditorInfo, TabSize) == 64);
static_assert(offsetof(EditorInfo, BookMarkCount) == 68);
static_assert(offsetof(EditorInfo, CurState) == 72);
static_assert(offsetof(EditorInfo, Reserved) == 76);

static_assert(sizeof(EditorGetString) == 24);
static_assert(offsetof(EditorGetString, StringNumber) == 0);
static_assert(offsetof(EditorGetString, StringText) == 4);
static_assert(offsetof(EditorGetString, StringEOL) == 8);
static_assert(offsetof(EditorGetString, StringLength) == 12);
static_assert(offsetof(EditorGetString, SelStart) == 16);
static_assert(offsetof(EditorGetString, SelEnd) == 20);

static_assert(sizeof(EditorSetString) == 16);
static_assert(offsetof(EditorSetString, StringNumber) == 0);
static_assert(offsetof(EditorSetString, StringText) == 4);
static_assert(offsetof(EditorSetString, StringEOL) == 8);
static_assert(offsetof(EditorSetString, StringLength) == 12);

static_assert(sizeof(EditorSetPosition) == 24);
static_assert(offsetof(EditorSetPosition, CurLine) == 0);
static_assert(offsetof(EditorSetPosition, CurPos) == 4);
static_assert(offsetof(EditorSetPosition, CurTabPos) == 8);
static_assert(offsetof(EditorSetPosition, TopScreenLine) == 12);
static_assert(offsetof(EditorSetPosition, LeftPos) == 16);
static_assert(offsetof(EditorSetPosition, Overtype) == 20);

static_assert(sizeof(EditorSelect) == 20);
static_assert(offsetof(EditorSelect, BlockType) == 0);
static_assert(offsetof(EditorSelect, BlockStartLine) == 4);
static_assert(offsetof(EditorSelect, BlockStartPos) == 8);
static_assert(offsetof(EditorSelect, BlockWidth) == 12);
static_assert(offsetof(EditorSelect, BlockHeight) == 16);

static_assert(sizeof(EditorConvertText) == 8);
static_assert(offsetof(EditorConvertText, Text) == 0);
static_assert(offsetof(EditorConvertText, TextLength) == 4);

static_assert(sizeof(EditorSetParameter) == 16);
static_assert(offsetof(EditorSetParameter, Type) == 0);
static_assert(offsetof(EditorSetParameter, Param) == 4);
static_assert(offsetof(EditorSetParameter, Param.iParam) == 4);
static_assert(offsetof(EditorSetParameter, Param.cParam) == 4);
static_assert(offsetof(EditorSetParameter, Flags) == 8);
static_assert(offsetof(EditorSetParameter, Reserved2) == 12);

#pragma pack(push, 2)

// ECTL_TABTOREAL and ECTL_REALTOTAB: SrcPos of line StringNumber (-1: the
// cursor's) converted into DestPos.
struct EditorConvertPos {
    int StringNumber;
    int SrcPos;
    int DestPos;
};

// ECTL_ADDCOLOR and ECTL_GETCOLOR: a colour of positions StartPos to EndPos
// of a line; ColorItem numbers a line's colours for ECTL_GETCOLOR.
struct EditorColor {
    int StringNumber;
    int ColorItem;
    int StartPos;
    int EndPos;
    int Color;
};

// ECTL_GETBOOKMARKS: arrays of EditorInfo.BookMarkCount numbers each, any
// of them null.
struct EditorBookMarks {
    long* Line;
    long* Cursor;
    long* ScreenLine;
    long* LeftPos;
    DWORD Reserved[4];
};

// ECTL_SAVEFILE: the name to save under (empty: the file's own), and the
// line end every line gets (null: each keeps its own).
struct EditorSaveFile {
    char FileName[MAX_PATH];
    char* FileEOL;
};

#pragma pack(pop)

static_assert(sizeof(EditorConvertPos) == 12);
static_assert(offsetof(EditorConvertPos, SrcPos) == 4);
static_assert(offsetof(EditorConvertPos, DestPos) == 8);
static_assert(sizeof(EditorColor) == 20);
static_assert(offsetof(EditorColor, ColorItem) == 4);
static_assert(offsetof(EditorColor, StartPos) == 8);
static_assert(offsetof(EditorColor, EndPos) == 12);
static_assert(offsetof(EditorColor, Color) == 16);
static_assert(sizeof(EditorBookMarks) == 32);
static_assert(offsetof(EditorBookMarks, Cursor) == 4);
static_assert(offsetof(EditorBookMarks, ScreenLine) == 8);
static_assert(offsetof(EditorBookMarks, LeftPos) == 12);
static_assert(offsetof(EditorBookMarks, Reserved) == 16);
static_assert(sizeof(EditorSaveFile) == 264);
static_assert(offsetof(EditorSaveFile, FileEOL) == 260);
