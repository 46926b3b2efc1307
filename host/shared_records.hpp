// The records whose fields both hosts declare alike: far2l widened the
// pointers and added a field or two at the end. Included by each host's
// records header once it has set the host's path width and service count.
#pragma once

#pragma pack(push, 2)

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// The host's dialog item. Selected and History share their place, as wide
// as a pointer, so on far2l the fields after them lie 4 bytes further on.
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

// An item's text buffer, its terminator included.
constexpr int DialogTextSize = sizeof(FarDialogItem::Data);

struct PluginStartupInfo {
    int StructSize;
    char ModuleName[MAX_PATH];
    INT_PTR ModuleNumber; // far2l: the address of its own record of the plugin
    const char* RootKey;
    FARAPISERVICE Menu;
    FARAPIDIALOG Dialog;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPISERVICE OtherServices[OtherServiceCount]; // Control first; none is called here
};

struct PluginInfo {
    int StructSize;
    DWORD Flags;
    const char* const* DiskMenuStrings;
    int* DiskMenuNumbers;
    int DiskMenuStringsNumber;
    const char* const* PluginMenuStrings;
    int PluginMenuStringsNumber;
    const char* const* PluginConfigStrings;
    int PluginConfigStringsNumber;
    const char* CommandPrefix;
#if QELFAR_HOST_FAR2L
    DWORD SysID;
#endif
};

struct InfoPanelLine;
struct PanelMode;
struct KeyBarTitles;

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
#if QELFAR_HOST_FAR2L
    long Reserved;
#endif
};

#pragma pack(pop)
