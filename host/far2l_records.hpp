// The records of far2l's multibyte plugin interface on x86-64 Linux: the
// old ANSI records widened to 8-byte pointers, still with 2-byte packing, so
// pointers sit on 2-byte boundaries. Path fields are 4096 bytes wide, and
// every text is UTF-8. Included by host/host_interface.hpp.
#pragma once

constexpr int MAX_PATH = 4096; // PATH_MAX: the width of a path field in the records
constexpr int MAX_NAME = 255;  // a find record's name field
// The longest name far2l hands over, terminator excluded. far2l passes each
// byte of a path that is not UTF-8 as a 5-byte escape (U+E5CA and two hex
// digits), so a path of PATH_MAX - 1 bytes can arrive five times as long.
constexpr int MaxPathChars = 5 * (MAX_PATH - 1);
// A name that does not fit whole is refused: far2l shows the host file as
// the panel's title and works with it, so a cut one would be another path.
constexpr bool HostFileMayBeCut = false;
// far2l reads every text as UTF-8, where a character takes 1 to 4 bytes: a
// text cut to fit a buffer must end on a whole character.
constexpr bool TextIsUtf8 = true;
constexpr int OtherServiceCount = 21; // PluginStartupInfo's service slots after GetMsg

#include "host/shared_records.hpp"

#pragma pack(push, 2)

// The size is one 64-bit field; there is no short name and no high/low pair.
struct FAR_FIND_DATA {
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    uint64_t nPhysicalSize;
    uint64_t nFileSize;
    DWORD dwFileAttributes;
    DWORD dwUnixMode;
    char cFileName[MAX_NAME];
};

struct PluginPanelItem {
    FAR_FIND_DATA FindData;
    uintptr_t UserData;
    DWORD Flags;
    DWORD NumberOfLinks;
    char* Description;
    char* Owner;
    char* Group;
    char** CustomColumnData;
    int CustomColumnNumber;
    DWORD CRC32;
    uintptr_t Reserved[2];
};

#pragma pack(pop)

// The StructSize values the host expects.
constexpr int PluginInfoSize = 64;
constexpr int OpenPluginInfoSize = 112;

// The size a find record shows.
inline void SetFileSize(FAR_FIND_DATA& Data, uint64_t Size) {
    Data.nFileSize = Size;
}

// The byte layout far2l reads.
static_assert(sizeof(void*) == 8 && sizeof(INT_PTR) == 8 && sizeof(long) == 8);
static_assert(MaxPathChars == 20475);
static_assert(sizeof(FILETIME) == 8);

static_assert(sizeof(FAR_FIND_DATA) == 304);
static_assert(offsetof(FAR_FIND_DATA, ftCreationTime) == 0);
static_assert(offsetof(FAR_FIND_DATA, ftLastAccessTime) == 8);
static_assert(offsetof(FAR_FIND_DATA, ftLastWriteTime) == 16);
static_assert(offsetof(FAR_FIND_DATA, nPhysicalSize) == 24);
static_assert(offsetof(FAR_FIND_DATA, nFileSize) == 32);
static_assert(offsetof(FAR_FIND_DATA, dwFileAttributes) == 40);
static_assert(offsetof(FAR_FIND_DATA, dwUnixMode) == 44);
static_assert(offsetof(FAR_FIND_DATA, cFileName) == 48);

static_assert(sizeof(PluginPanelItem) == 376);
static_assert(offsetof(PluginPanelItem, FindData) == 0);
static_assert(offsetof(PluginPanelItem, UserData) == 304);
static_assert(offsetof(PluginPanelItem, Flags) == 312);
static_assert(offsetof(PluginPanelItem, NumberOfLinks) == 316);
static_assert(offsetof(PluginPanelItem, Description) == 320);
static_assert(offsetof(PluginPanelItem, Owner) == 328);
static_assert(offsetof(PluginPanelItem, Group) == 336);
static_assert(offsetof(PluginPanelItem, CustomColumnData) == 344);
static_assert(offsetof(PluginPanelItem, CustomColumnNumber) == 352);
static_assert(offsetof(PluginPanelItem, CRC32) == 356);
static_assert(offsetof(PluginPanelItem, Reserved) == 360);

static_assert(sizeof(FarDialogItem) == 552);
static_assert(offsetof(FarDialogItem, Type) == 0);
static_assert(offsetof(FarDialogItem, X1) == 4);
static_assert(offsetof(FarDialogItem, Y1) == 8);
static_assert(offsetof(FarDialogItem, X2) == 12);
static_assert(offsetof(FarDialogItem, Y2) == 16);
static_assert(offsetof(FarDialogItem, Focus) == 20);
static_assert(offsetof(FarDialogItem, Selected) == 24);
static_assert(offsetof(FarDialogItem, History) == 24);
static_assert(offsetof(FarDialogItem, Flags) == 32);
static_assert(offsetof(FarDialogItem, DefaultButton) == 36);
static_assert(offsetof(FarDialogItem, Data) == 40);

static_assert(sizeof(PluginStartupInfo) == 4316);
static_assert(offsetof(PluginStartupInfo, ModuleName) == 4);
static_assert(offsetof(PluginStartupInfo, ModuleNumber) == 4100);
static_assert(offsetof(PluginStartupInfo, RootKey) == 4108);
static_assert(offsetof(PluginStartupInfo, Menu) == 4116);
static_assert(offsetof(PluginStartupInfo, Dialog) == 4124);
static_assert(offsetof(PluginStartupInfo, Message) == 4132);
static_assert(offsetof(PluginStartupInfo, GetMsg) == 4140);
static_assert(offsetof(PluginStartupInfo, OtherServices) == 4148);

static_assert(sizeof(PluginInfo) == PluginInfoSize);
static_assert(offsetof(PluginInfo, StructSize) == 0);
static_assert(offsetof(PluginInfo, Flags) == 4);
static_assert(offsetof(PluginInfo, DiskMenuStrings) == 8);
static_assert(offsetof(PluginInfo, DiskMenuNumbers) == 16);
static_assert(offsetof(PluginInfo, DiskMenuStringsNumber) == 24);
static_assert(offsetof(PluginInfo, PluginMenuStrings) == 28);
static_assert(offsetof(PluginInfo, PluginMenuStringsNumber) == 36);
static_assert(offsetof(PluginInfo, PluginConfigStrings) == 40);
static_assert(offsetof(PluginInfo, PluginConfigStringsNumber) == 48);
static_assert(offsetof(PluginInfo, CommandPrefix) == 52);
static_assert(offsetof(PluginInfo, SysID) == 60);

static_assert(sizeof(OpenPluginInfo) == OpenPluginInfoSize);
static_assert(offsetof(OpenPluginInfo, StructSize) == 0);
static_assert(offsetof(OpenPluginInfo, Flags) == 4);
static_assert(offsetof(OpenPluginInfo, HostFile) == 8);
static_assert(offsetof(OpenPluginInfo, CurDir) == 16);
static_assert(offsetof(OpenPluginInfo, Format) == 24);
static_assert(offsetof(OpenPluginInfo, PanelTitle) == 32);
static_assert(offsetof(OpenPluginInfo, InfoLines) == 40);
static_assert(offsetof(OpenPluginInfo, InfoLinesNumber) == 48);
static_assert(offsetof(OpenPluginInfo, DescrFiles) == 52);
static_assert(offsetof(OpenPluginInfo, DescrFilesNumber) == 60);
static_assert(offsetof(OpenPluginInfo, PanelModesArray) == 64);
static_assert(offsetof(OpenPluginInfo, PanelModesNumber) == 72);
static_assert(offsetof(OpenPluginInfo, StartPanelMode) == 76);
static_assert(offsetof(OpenPluginInfo, StartSortMode) == 80);
static_assert(offsetof(OpenPluginInfo, StartSortOrder) == 84);
static_assert(offsetof(OpenPluginInfo, KeyBar) == 88);
static_assert(offsetof(OpenPluginInfo, ShortcutData) == 96);
static_assert(offsetof(OpenPluginInfo, Reserved) == 104);
