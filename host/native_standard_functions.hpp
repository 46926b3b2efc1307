// The native host's standard functions, the table FarStandardFunctions that
// PluginStartupInfo.FSF points to (228 bytes, StructSize 228), with the
// constants and records they take. Every function is __stdcall except
// sprintf, sscanf, qsort, qsortex and bsearch, which are cdecl as their C
// namesakes are (and so are the comparisons qsort and bsearch call).
#pragma once

#include "host/native_keys.hpp"
#include "host/native_panels.hpp"
#include "host/native_slots.hpp"

// PROCESSNAME_FLAGS (ProcessName; with PN_CMPNAME the low bits are unused)
constexpr DWORD PN_CMPNAME = 0x0;
constexpr DWORD PN_CMPNAMELIST = 0x1000;
constexpr DWORD PN_GENERATENAME = 0x2000;
constexpr DWORD PN_SKIPPATH = 0x100000;

// XLATMODE (XLat)
constexpr DWORD XLAT_SWITCHKEYBLAYOUT = 0x1;
constexpr DWORD XLAT_SWITCHKEYBBEEP = 0x2;

// FRSMODE (FarRecursiveSearch)
constexpr DWORD FRS_RETUPDIR = 0x1;
constexpr DWORD FRS_RECUR = 0x2;
constexpr DWORD FRS_SCANSYMLINK = 0x4;

// MKLINKOP (MkLink)
constexpr DWORD FLINK_HARDLINK = 0x1;
constexpr DWORD FLINK_SYMLINK = 0x2;
constexpr DWORD FLINK_VOLMOUNT = 0x3;
constexpr DWORD FLINK_SHOWERRMSG = 0x10000;
constexpr DWORD FLINK_DONOTUPDATEPANEL = 0x20000;

#pragma pack(push, 2)

// A code page's tables, as CharTable fills them and XLat reads them.
struct CharTableSet {
    unsigned char DecodeTable[256];
    unsigned char EncodeTable[256];
    unsigned char UpperTable[256];
    unsigned char LowerTable[256];
    char TableName[128];
};

#pragma pack(pop)

typedef int(FARCDECL* FARSTDSPRINTF)(char* Buffer, const char* Format, ...);
typedef int(FARCDECL* FARSTDSSCANF)(const char* Buffer, const char* Format, ...);
typedef int(FARCDECL* FARSTDCOMPARE)(const void*, const void*);
typedef int(FARCDECL* FARSTDCOMPAREEX)(const void*, const void*, void* userparam);
typedef void(FARCDECL* FARSTDQSORT)(void* base, size_t nelem, size_t width, FARSTDCOMPARE fcmp);
typedef void(FARCDECL* FARSTDQSORTEX)(void* base, size_t nelem, size_t width, FARSTDCOMPAREEX fcmp,
                                      void* userparam);
typedef void*(FARCDECL* FARSTDBSEARCH)(const void* key, const void* base, size_t nelem,
                                       size_t width, FARSTDCOMPARE fcmp);
typedef int(FARAPI* FARSTDGETFILEOWNER)(const char* Computer, const char* Name, char* Owner);
typedef int(FARAPI* FARSTDGETNUMBEROFLINKS)(const char* Name);
typedef int(FARAPI* FARSTDATOI)(const char* s);
typedef int64_t(FARAPI* FARSTDATOI64)(const char* s);
typedef char*(FARAPI* FARSTDITOA64)(int64_t value, char* string, int radix);
typedef char*(FARAPI* FARSTDITOA)(int value, char* string, int radix);
typedef char*(FARAPI* FARSTDLTRIM)(char* Str);
typedef char*(FARAPI* FARSTDRTRIM)(char* Str);
typedef char*(FARAPI* FARSTDTRIM)(char* Str);
typedef char*(FARAPI* FARSTDTRUNCSTR)(char* Str, int MaxLength);
typedef char*(FARAPI* FARSTDTRUNCPATHSTR)(char* Str, int MaxLength);
typedef char*(FARAPI* FARSTDQUOTESPACEONLY)(char* Str);
typedef char*(FARAPI* FARSTDPOINTTONAME)(const char* Path);
typedef void(FARAPI* FARSTDGETPATHROOT)(const char* Path, char* Root);
typedef BOOL(FARAPI* FARSTDADDENDSLASH)(char* Path);
typedef int(FARAPI* FARSTDCOPYTOCLIPBOARD)(const char* Data);
typedef char*(FARAPI* FARSTDPASTEFROMCLIPBOARD)();
typedef int(FARAPI* FARSTDINPUTRECORDTOKEY)(const INPUT_RECORD* r);
typedef int(FARAPI* FARSTDLOCALISLOWER)(unsigned Ch);
typedef int(FARAPI* FARSTDLOCALISUPPER)(unsigned Ch);
typedef int(FARAPI* FARSTDLOCALISALPHA)(unsigned Ch);
typedef int(FARAPI* FARSTDLOCALISALPHANUM)(unsigned Ch);
typedef unsigned(FARAPI* FARSTDLOCALUPPER)(unsigned LowerChar);
typedef unsigned(FARAPI* FARSTDLOCALLOWER)(unsigned UpperChar);
typedef void(FARAPI* FARSTDLOCALUPPERBUF)(char* Buf, int Length);
typedef void(FARAPI* FARSTDLOCALLOWERBUF)(char* Buf, int Length);
typedef void(FARAPI* FARSTDLOCALSTRUPR)(char* s1);
typedef void(FARAPI* FARSTDLOCALSTRLWR)(char* s1);
typedef int(FARAPI* FARSTDLOCALSTRICMP)(const char* s1, const char* s2);
typedef int(FARAPI* FARSTDLOCALSTRNICMP)(const char* s1, const char* s2, int n);
typedef int(FARAPI* FARSTDPROCESSNAME)(const char* param1, char* param2, DWORD flags);
typedef void(FARAPI* FARSTDUNQUOTE)(char* Str);
typedef DWORD(FARAPI* FARSTDEXPANDENVIRONMENTSTR)(const char* src, char* dst, size_t size);
typedef char*(FARAPI* FARSTDXLAT)(char* Line, int StartPos, int EndPos,
                                  const CharTableSet* TableSet, DWORD Flags);
typedef BOOL(FARAPI* FARSTDKEYTOKEYNAME)(int Key, char* KeyText, int Size);
typedef int(FARAPI* FARSTDKEYNAMETOKEY)(const char* Name);
// FarRecursiveSearch's callback, called for each file found; 0 stops the walk.
typedef int(FARAPI* FRSUSERFUNC)(const Native::WIN32_FIND_DATA* FData, const char* FullName,
                                 void* Param);
typedef void(FARAPI* FARSTDRECURSIVESEARCH)(const char* InitDir, const char* Mask, FRSUSERFUNC Func,
                                            DWORD Flags, void* Param);
typedef char*(FARAPI* FARSTDMKTEMP)(char* Dest, const char* Prefix);
typedef void(FARAPI* FARSTDDELETEBUFFER)(char* Buffer);
typedef int(FARAPI* FARSTDMKLINK)(const char* Src, const char* Dest, DWORD Flags);
typedef int(FARAPI* FARCONVERTNAMETOREAL)(const char* Src, char* Dest, int DestSize);
typedef int(FARAPI* FARGETREPARSEPOINTINFO)(const char* Src, char* Dest, int DestSize);

#pragma pack(push, 2)

struct FarStandardFunctions {
    int StructSize;
    FARSTDATOI atoi;
    FARSTDATOI64 atoi64;
    FARSTDITOA itoa;
    FARSTDITOA64 itoa64;
    FARSTDSPRINTF sprintf;
    FARSTDSSCANF sscanf;
    FARSTDQSORT qsort;
    FARSTDBSEARCH bsearch;
    FARSTDQSORTEX qsortex;
    DWORD Reserved[9];
    FARSTDLOCALISLOWER LIsLower;
    FARSTDLOCALISUPPER LIsUpper;
    FARSTDLOCALISALPHA LIsAlpha;
    FARSTDLOCALISALPHANUM LIsAlphanum;
    FARSTDLOCALUPPER LUpper;
    FARSTDLOCALLOWER LLower;
    FARSTDLOCALUPPERBUF LUpperBuf;
    FARSTDLOCALLOWERBUF LLowerBuf;
    FARSTDLOCALSTRUPR LStrupr;
    FARSTDLOCALSTRLWR LStrlwr;
    FARSTDLOCALSTRICMP LStricmp;
    FARSTDLOCALSTRNICMP LStrnicmp;
    FARSTDUNQUOTE Unquote;
    FARSTDEXPANDENVIRONMENTSTR ExpandEnvironmentStr;
    FARSTDLTRIM LTrim;
    FARSTDRTRIM RTrim;
    FARSTDTRIM Trim;
    FARSTDTRUNCSTR TruncStr;
    FARSTDTRUNCPATHSTR TruncPathStr;
    FARSTDQUOTESPACEONLY QuoteSpaceOnly;
    FARSTDPOINTTONAME PointToName;
    FARSTDGETPATHROOT GetPathRoot;
    FARSTDADDENDSLASH AddEndSlash;
    FARSTDCOPYTOCLIPBOARD CopyToClipboard;
    FARSTDPASTEFROMCLIPBOARD PasteFromClipboard;
    FARSTDKEYTOKEYNAME FarKeyToName;
    FARSTDKEYNAMETOKEY FarNameToKey;
    FARSTDINPUTRECORDTOKEY FarInputRecordToKey;
    FARSTDXLAT XLat;
    FARSTDGETFILEOWNER GetFileOwner;
    FARSTDGETNUMBEROFLINKS GetNumberOfLinks;
    FARSTDRECURSIVESEARCH FarRecursiveSearch;
    FARSTDMKTEMP MkTemp;
    FARSTDDELETEBUFFER DeleteBuffer;
    FARSTDPROCESSNAME ProcessName;
    FARSTDMKLINK MkLink;
    FARCONVERTNAMETOREAL ConvertNameToReal;
    FARGETREPARSEPOINTINFO GetReparsePointInfo;
};

#pragma pack(pop)

#define QELFAR_FSF_SLOT(Name)                                                                      \
    { #Name, offsetof(FarStandardFunctions, Name) }

// Every function of FarStandardFunctions, in the record's order.
constexpr NamedSlot StandardFunctionSlots[] = {
    QELFAR_FSF_SLOT(atoi),
    QELFAR_FSF_SLOT(atoi64),
    QELFAR_FSF_SLOT(itoa),
    QELFAR_FSF_SLOT(itoa64),
    QELFAR_FSF_SLOT(sprintf),
    QELFAR_FSF_SLOT(sscanf),
    QELFAR_FSF_SLOT(qsort),
    QELFAR_FSF_SLOT(bsearch),
    QELFAR_FSF_SLOT(qsortex),
    QELFAR_FSF_SLOT(LIsLower),
    QELFAR_FSF_SLOT(LIsUpper),
    QELFAR_FSF_SLOT(LIsAlpha),
    QELFAR_FSF_SLOT(LIsAlphanum),
    QELFAR_FSF_SLOT(LUpper),
    QELFAR_FSF_SLOT(LLower),
    QELFAR_FSF_SLOT(LUpperBuf),
    QELFAR_FSF_SLOT(LLowerBuf),
    QELFAR_FSF_SLOT(LStrupr),
    QELFAR_FSF_SLOT(LStrlwr),
    QELFAR_FSF_SLOT(LStricmp),
    QELFAR_FSF_SLOT(LStrnicmp),
    QELFAR_FSF_SLOT(Unquote),
    QELFAR_FSF_SLOT(ExpandEnvironmentStr),
    QELFAR_FSF_SLOT(LTrim),
    QELFAR_FSF_SLOT(RTrim),
    QELFAR_FSF_SLOT(Trim),
    QELFAR_FSF_SLOT(TruncStr),
    QELFAR_FSF_SLOT(TruncPathStr),
    QELFAR_FSF_SLOT(QuoteSpaceOnly),
    QELFAR_FSF_SLOT(PointToName),
    QELFAR_FSF_SLOT(GetPathRoot),
    QELFAR_FSF_SLOT(AddEndSlash),
    QELFAR_FSF_SLOT(CopyToClipboard),
    QELFAR_FSF_SLOT(PasteFromClipboard),
    QELFAR_FSF_SLOT(FarKeyToName),
    QELFAR_FSF_SLOT(FarNameToKey),
    QELFAR_FSF_SLOT(FarInputRecordToKey),
    QELFAR_FSF_SLOT(XLat),
    QELFAR_FSF_SLOT(GetFileOwner),
    QELFAR_FSF_SLOT(GetNumberOfLinks),
    QELFAR_FSF_SLOT(FarRecursiveSearch),
    QELFAR_FSF_SLOT(MkTemp),
    QELFAR_FSF_SLOT(DeleteBuffer),
    QELFAR_FSF_SLOT(ProcessName),
    QELFAR_FSF_SLOT(MkLink),
    QELFAR_FSF_SLOT(ConvertNameToReal),
    QELFAR_FSF_SLOT(GetReparsePointInfo),
};

#undef QELFAR_FSF_SLOT

static_assert(sizeof StandardFunctionSlots / sizeof StandardFunctionSlots[0] == 47);
static_assert(SlotsCover(StandardFunctionSlots, offsetof(FarStandardFunctions, atoi),
                         offsetof(FarStandardFunctions, GetReparsePointInfo),
                         {{offsetof(FarStandardFunctions, Reserved),
                           offsetof(FarStandardFunctions, LIsLower)},
                          {0, 0}}));

static_assert(sizeof(CharTableSet) == 1152);
static_assert(offsetof(CharTableSet, DecodeTable) == 0);
static_assert(offsetof(CharTableSet, EncodeTable) == 256);
static_assert(offsetof(CharTableSet, UpperTable) == 512);
static_assert(offsetof(CharTableSet, LowerTable) == 768);
static_assert(offsetof(CharTableSet, TableName) == 1024);

static_assert(sizeof(FarStandardFunctions) == 228);
static_assert(offsetof(FarStandardFunctions, StructSize) == 0);
static_assert(offsetof(FarStandardFunctions, atoi) == 4);
static_assert(offsetof(FarStandardFunctions, atoi64) == 8);
static_assert(offsetof(FarStandardFunctions, itoa) == 12);
static_assert(offsetof(FarStandardFunctions, itoa64) == 16);
static_assert(offsetof(FarStandardFunctions, sprintf) == 20);
static_assert(offsetof(FarStandardFunctions, sscanf) == 24);
static_assert(offsetof(FarStandardFunctions, qsort) == 28);
static_assert(offsetof(FarStandardFunctions, bsearch) == 32);
static_assert(offsetof(FarStandardFunctions, qsortex) == 36);
static_assert(offsetof(FarStandardFunctions, Reserved) == 40);
static_assert(offsetof(FarStandardFunctions, LIsLower) == 76);
static_assert(offsetof(FarStandardFunctions, LIsUpper) == 80);
static_assert(offsetof(FarStandardFunctions, LIsAlpha) == 84);
static_assert(offsetof(FarStandardFunctions, LIsAlphanum) == 88);
static_assert(offsetof(FarStandardFunctions, LUpper) == 92);
static_assert(offsetof(FarStandardFunctions, LLower) == 96);
static_assert(offsetof(FarStandardFunctions, LUpperBuf) == 100);
static_assert(offsetof(FarStandardFunctions, LLowerBuf) == 104);
static_assert(offsetof(FarStandardFunctions, LStrupr) == 108);
static_assert(offsetof(FarStandardFunctions, LStrlwr) == 112);
static_assert(offsetof(FarStandardFunctions, LStricmp) == 116);
static_assert(offsetof(FarStandardFunctions, LStrnicmp) == 120);
static_assert(offsetof(FarStandardFunctions, Unquote) == 124);
static_assert(offsetof(FarStandardFunctions, ExpandEnvironmentStr) == 128);
static_assert(offsetof(FarStandardFunctions, LTrim) == 132);
static_assert(offsetof(FarStandardFunctions, RTrim) == 136);
static_assert(offsetof(FarStandardFunctions, Trim) == 140);
static_assert(offsetof(FarStandardFunctions, TruncStr) == 144);
static_assert(offsetof(FarStandardFunctions, TruncPathStr) == 148);
static_assert(offsetof(FarStandardFunctions, QuoteSpaceOnly) == 152);
static_assert(offsetof(FarStandardFunctions, PointToName) == 156);
static_assert(offsetof(FarStandardFunctions, GetPathRoot) == 160);
static_assert(offsetof(FarStandardFunctions, AddEndSlash) == 164);
static_assert(offsetof(FarStandardFunctions, CopyToClipboard) == 168);
static_assert(offsetof(FarStandardFunctions, PasteFromClipboard) == 172);
static_assert(offsetof(FarStandardFunctions, FarKeyToName) == 176);
static_assert(offsetof(FarStandardFunctions, FarNameToKey) == 180);
static_assert(offsetof(FarStandardFunctions, FarInputRecordToKey) == 184);
static_assert(offsetof(FarStandardFunctions, XLat) == 188);
static_assert(offsetof(FarStandardFunctions, GetFileOwner) == 192);
static_assert(offsetof(FarStandardFunctions, GetNumberOfLinks) == 196);
static_assert(offsetof(FarStandardFunctions, FarRecursiveSearch) == 200);
static_assert(offsetof(FarStandardFunctions, MkTemp) == 204);
static_assert(offsetof(FarStandardFunctions, DeleteBuffer) == 208);
static_assert(offsetof(FarStandardFunctions, ProcessName) == 212);
static_assert(offsetof(FarStandardFunctions, MkLink) == 216);
static_assert(offsetof(FarStandardFunctions, ConvertNameToReal) == 220);
static_assert(offsetof(FarStandardFunctions, GetReparsePointInfo) == 224);
