// The records of FAR Manager's ANSI plugin generation on 32-bit Windows:
// 4-byte pointers, 2-byte packing, names of at most 260 characters.
// Included by host/host_interface.hpp.
#pragma once

constexpr int MAX_PATH = 260;     // the width of a path field in the records
constexpr int MaxPathChars = 260; // names and paths, terminator excluded
// A longer name is held cut to its first 260 characters and taken or refused
// by its name part alone.
constexpr bool HostFileMayBeCut = true;
// Texts are in the host's single-byte code page: a cut may fall anywhere.
constexpr bool TextIsUtf8 = false;
constexpr int OtherServiceCount = 12; // PluginStartupInfo's service slots after GetMsg

#include "host/shared_records.hpp"

#pragma pack(push, 2)

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
    char cFileName[MAX_PATH];
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

#pragma pack(pop)

// The StructSize values the host expects.
constexpr int PluginInfoSize = 40;
constexpr int OpenPluginInfoSize = 68;

// The size a find record shows, as the host's high and low halves.
inline void SetFileSize(WIN32_FIND_DATA& Data, uint64_t Size) {
    Data.nFileSizeHigh = static_cast<DWORD>(Size >> 32);
    Data.nFileSizeLow = static_cast<DWORD>(Size);
}

// The byte layout the host reads.
static_assert(sizeof(void*) == 4 && sizeof(INT_PTR) == 4);
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

static_assert(sizeof(PluginStartupInfo) == 336);
static_assert(offsetof(PluginStartupInfo, ModuleName) == 4);
static_assert(offsetof(PluginStartupInfo, ModuleNumber) == 264);
static_assert(offsetof(PluginStartupInfo, RootKey) == 268);
static_assert(offsetof(PluginStartupInfo, Menu) == 272);
static_assert(offsetof(PluginStartupInfo, Dialog) == 276);
static_assert(offsetof(PluginStartupInfo, Message) == 280);
static_assert(offsetof(PluginStartupInfo, GetMsg) == 284);
static_assert(offsetof(PluginStartupInfo, OtherServices) == 288);

static_assert(sizeof(PluginInfo) == PluginInfoSize);
static_assert(offsetof(PluginInfo, StructSize) == 0);
static_assert(offsetof(PluginInfo, Flags) == 4);
static_assert(offsetof(PluginInfo, DiskMenuStrings) == 8);
static_assert(offsetof(PluginInfo, DiskMenuNumbers) == 12);
static_assert(offsetof(PluginInfo, DiskMenuStringsNumber) == 16);
static_assert(offsetof(PluginInfo, PluginMenuStrings) == 20);
static_assert(offsetof(PluginInfo, PluginMenuStringsNumber) == 24);
static_assert(offsetof(PluginInfo, PluginConfigStrings) == 28);
static_assert(offsetof(PluginInfo, PluginConfigStringsNumber) == 32);
static_assert(offsetof(PluginInfo, CommandPrefix) == 36);

static_assert(sizeof(OpenPluginInfo) == OpenPluginInfoSize);
static_assert(offsetof(OpenPluginInfo, StructSize) == 0);
static_assert(offsetof(OpenPluginInfo, Flags) == 4);
static_assert(offsetof(OpenPluginInfo, HostFile) == 8);
static_assert(offsetof(OpenPluginInfo, CurDir) == 12);
static_assert(offsetof(OpenPluginInfo, Format) == 16);
static_assert(offsetof(OpenPluginInfo, PanelTitle) == 20);
static_assert(offsetof(OpenPluginInfo, InfoLines) == 24);
static_assert(offsetof(OpenPluginInfo, InfoLinesNumber) == 28);
static_assert(offsetof(OpenPluginInfo, DescrFiles) == 32);
static_assert(offsetof(OpenPluginInfo, DescrFilesNumber) == 36);
static_assert(offsetof(OpenPluginInfo, PanelModesArray) == 40);
static_assert(offsetof(OpenPluginInfo, PanelModesNumber) == 44);
static_assert(offsetof(OpenPluginInfo, StartPanelMode) == 48);
static_assert(offsetof(OpenPluginInfo, StartSortMode) == 52);
static_assert(offsetof(OpenPluginInfo, StartSortOrder) == 56);
static_assert(offsetof(OpenPluginInfo, KeyBar) == 60);
static_assert(offsetof(OpenPluginInfo, ShortcutData) == 64);
