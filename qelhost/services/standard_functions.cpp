#include "qelhost/services/standard_functions.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/services/cp866.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/key_names.hpp"
#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/oem_letters.hpp"
#include "qelhost/services/panel_services.hpp"
#include "qelhost/services/plugin_format.hpp"
#include "qelhost/services/plugin_environment.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/services/plugin_callbacks.hpp"
#include "qelhost/services/record_sort.hpp"
#include "qelhost/services/slot_table.hpp"
#include "qelhost/services/standard_text.hpp"
#include "qelhost/services/text_format.hpp"
#include "qelhost/stop_run.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>
#include <vector>

// Each function reads the plugin's texts and records through the checked
// copies of from_plugin.hpp, so that a pointer the plugin got wrong stops
// the run naming the function ("FSF.Trim: the text at 0x10 cannot be
// read"), and writes its results back the same way.
namespace {

// Buffers the plugin hands over without their size hold a path: the
// host's MAX_PATH, its zero included.
constexpr size_t PathBuffer = MAX_PATH;

// The records qsort and bsearch take, at most: far beyond a plugin's lists.
constexpr size_t MaxSortedBytes = 256 * 1024 * 1024;

std::string Text(const char* Where, const char* Given) {
    return ReadOemText(Where, "the text", Given);
}

void Write(const char* Where, char* To, const std::string& Result) {
    WriteOemText(Where, "the buffer", To, Result);
}

// A function that changes the plugin's text in place and returns it.
template <typename Change> char* InPlace(const char* Where, char* Str, Change Changed) {
    Write(Where, Str, Changed(Text(Where, Str)));
    return Str;
}

// ---- numbers ----

PLUGIN_STDCALL int FsfAtoi(const char* S) {
    return static_cast<int>(LeadingNumber(Text("FSF.atoi", S)));
}
PLUGIN_STDCALL long long FsfAtoi64(const char* S) {
    return LeadingNumber(Text("FSF.atoi64", S));
}
PLUGIN_STDCALL char* FsfItoa(int Value, char* String, int Radix) {
    Write("FSF.itoa", String, NumberText(Value, Radix, false));
    return String;
}
PLUGIN_STDCALL char* FsfItoa64(long long Value, char* String, int Radix) {
    Write("FSF.itoa64", String, NumberText(Value, Radix, true));
    return String;
}

// The plugin's %s texts are read by the C library as they are: a fault
// there is the plugin's (the crash report knows the function).
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int FsfSprintf(char* Buffer, const char* Format, ...) {
    const char Where[] = "FSF.sprintf";
    std::string Pattern = Text(Where, Format);
    va_list Arguments;
    va_start(Arguments, Format);
    std::string Made, Why;
    bool Formatted;
    {
        UsingPluginArguments Using(Where);
        Formatted = FormatLikeHost(Pattern.c_str(), Arguments, Made, Why);
    }
    va_end(Arguments);
    if (!Formatted)
        PluginFault(Where, "the format \"" + Printable(OemToUnicode(Pattern)) + "\" asks for " +
                               Why + ", which qelhost does not format");
    Write(Where, Buffer, Made);
    return static_cast<int>(Made.size());
}

TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int FsfSscanf(const char* Buffer, const char* Format, ...) {
    const char Where[] = "FSF.sscanf";
    std::string Input = Text(Where, Buffer);
    std::string Pattern = ScanFormat(Text(Where, Format).c_str());
    va_list Arguments;
    va_start(Arguments, Format);
    int Read;
    {
        UsingPluginArguments Using(Where);
        Read = vsscanf(Input.c_str(), Pattern.c_str(), Arguments);
    }
    va_end(Arguments);
    return Read;
}

// ---- records ----

// The plugin's Count records of Width bytes, copied; Size their bytes.
std::vector<unsigned char> ReadRecords(const char* Where, const void* Base, size_t Count,
                                       size_t Width) {
    if (Width != 0 && Count > MaxSortedBytes / Width)
        PluginFault(Where, std::to_string(Count) + " records of " + std::to_string(Width) +
                               " bytes, more than qelhost sorts (at most " +
                               std::to_string(MaxSortedBytes) + " bytes)");
    std::vector<unsigned char> Records(Count * Width);
    if (!CopyFromPlugin(Records.data(), Base, Records.size()))
        PluginFault(Where, "the records at " + AddressText(Base) + " cannot be read");
    return Records;
}

void SortPluginRecords(const char* Where, void* Base, size_t Count, size_t Width,
                       const RecordComparison& Compare) {
    std::vector<unsigned char> Records = ReadRecords(Where, Base, Count, Width);
    SortRecords(Records.data(), Count, Width, Compare);
    if (!CopyToPlugin(Base, Records.data(), Records.size()))
        PluginFault(Where, "the records at " + AddressText(Base) + " cannot be written");
}

PLUGIN_CDECL void FsfQsort(void* Base, size_t Count, size_t Width, FARSTDCOMPARE Compare) {
    SortPluginRecords("FSF.qsort", Base, Count, Width, [&](const void* A, const void* B) {
        return CallComparison("the comparison of FSF.qsort", reinterpret_cast<const void*>(Compare),
                              {A, B});
    });
}

PLUGIN_CDECL void FsfQsortex(void* Base, size_t Count, size_t Width, FARSTDCOMPAREEX Compare,
                             void* UserParam) {
    SortPluginRecords("FSF.qsortex", Base, Count, Width, [&](const void* A, const void* B) {
        return CallComparison("the comparison of FSF.qsortex",
                              reinterpret_cast<const void*>(Compare), {A, B, UserParam});
    });
}

PLUGIN_CDECL void* FsfBsearch(const void* Key, const void* Base, size_t Count, size_t Width,
                              FARSTDCOMPARE Compare) {
    const char Where[] = "FSF.bsearch";
    std::vector<unsigned char> Records = ReadRecords(Where, Base, Count, Width);
    void* Found =
        FindSortedRecord(Key, Records.data(), Count, Width, [&](const void* A, const void* B) {
            return CallComparison("the comparison of FSF.bsearch",
                                  reinterpret_cast<const void*>(Compare), {A, B});
        });
    if (Found == nullptr)
        return nullptr;
    // The record's place in the plugin's own list, not in the copy.
    size_t Offset = static_cast<unsigned char*>(Found) - Records.data();
    return static_cast<unsigned char*>(const_cast<void*>(Base)) + Offset;
}

// ---- letters of code page 866 ----

unsigned char Byte(unsigned Ch) {
    return static_cast<unsigned char>(Ch);
}
PLUGIN_STDCALL int FsfLIsLower(unsigned Ch) {
    return Ch < 256 && IsOemLower(Byte(Ch));
}
PLUGIN_STDCALL int FsfLIsUpper(unsigned Ch) {
    return Ch < 256 && IsOemUpper(Byte(Ch));
}
PLUGIN_STDCALL int FsfLIsAlpha(unsigned Ch) {
    return Ch < 256 && IsOemAlpha(Byte(Ch));
}
PLUGIN_STDCALL int FsfLIsAlphanum(unsigned Ch) {
    return Ch < 256 && IsOemAlphanumeric(Byte(Ch));
}
PLUGIN_STDCALL unsigned FsfLUpper(unsigned Ch) {
    return Ch < 256 ? OemUpper(Byte(Ch)) : Ch;
}
PLUGIN_STDCALL unsigned FsfLLower(unsigned Ch) {
    return Ch < 256 ? OemLower(Byte(Ch)) : Ch;
}

template <unsigned char (*Convert)(unsigned char)>
void ConvertBuffer(const char* Where, char* Buf, int Length) {
    if (Length <= 0)
        return;
    std::vector<unsigned char> Bytes = ReadRecords(Where, Buf, static_cast<size_t>(Length), 1);
    for (unsigned char& B : Bytes)
        B = Convert(B);
    if (!CopyToPlugin(Buf, Bytes.data(), Bytes.size()))
        PluginFault(Where, "the buffer at " + AddressText(Buf) + " cannot be written");
}
template <unsigned char (*Convert)(unsigned char)> std::string Converted(std::string Text) {
    for (char& C : Text)
        C = static_cast<char>(Convert(static_cast<unsigned char>(C)));
    return Text;
}
PLUGIN_STDCALL void FsfLUpperBuf(char* Buf, int Length) {
    ConvertBuffer<OemUpper>("FSF.LUpperBuf", Buf, Length);
}
PLUGIN_STDCALL void FsfLLowerBuf(char* Buf, int Length) {
    ConvertBuffer<OemLower>("FSF.LLowerBuf", Buf, Length);
}
PLUGIN_STDCALL void FsfLStrupr(char* S) {
    InPlace("FSF.LStrupr", S, Converted<OemUpper>);
}
PLUGIN_STDCALL void FsfLStrlwr(char* S) {
    InPlace("FSF.LStrlwr", S, Converted<OemLower>);
}
int Sign(int Value) {
    return (Value > 0) - (Value < 0);
}
PLUGIN_STDCALL int FsfLStricmp(const char* S1, const char* S2) {
    const char Where[] = "FSF.LStricmp";
    return Sign(CompareOemWithoutCase(Text(Where, S1).c_str(), Text(Where, S2).c_str()));
}
PLUGIN_STDCALL int FsfLStrnicmp(const char* S1, const char* S2, int N) {
    const char Where[] = "FSF.LStrnicmp";
    if (N <= 0)
        return 0;
    return Sign(CompareOemWithoutCase(Text(Where, S1).c_str(), Text(Where, S2).c_str(), N));
}

// ---- texts and paths ----

PLUGIN_STDCALL void FsfUnquote(char* Str) {
    InPlace("FSF.Unquote", Str, [](const std::string& T) { return WithoutQuotes(T); });
}

PLUGIN_STDCALL DWORD FsfExpandEnvironmentStr(const char* Src, char* Dst, size_t Size) {
    const char Where[] = "FSF.ExpandEnvironmentStr";
    std::string Expanded = ExpandEnvironment(Text(Where, Src));
    if (Size == 0)
        return 0;
    Expanded = Expanded.substr(0, Size - 1);
    Write(Where, Dst, Expanded);
    return static_cast<DWORD>(Expanded.size());
}

PLUGIN_STDCALL char* FsfLTrim(char* Str) {
    return InPlace("FSF.LTrim", Str, [](const std::string& T) { return WithoutLeadingBlanks(T); });
}
PLUGIN_STDCALL char* FsfRTrim(char* Str) {
    return InPlace("FSF.RTrim", Str, [](const std::string& T) { return WithoutTrailingBlanks(T); });
}
PLUGIN_STDCALL char* FsfTrim(char* Str) {
    return InPlace("FSF.Trim", Str, [](const std::string& T) {
        return WithoutTrailingBlanks(WithoutLeadingBlanks(T));
    });
}
PLUGIN_STDCALL char* FsfTruncStr(char* Str, int MaxLength) {
    return InPlace("FSF.TruncStr", Str,
                   [&](const std::string& T) { return TruncatedText(T, MaxLength); });
}
PLUGIN_STDCALL char* FsfTruncPathStr(char* Str, int MaxLength) {
    return InPlace("FSF.TruncPathStr", Str,
                   [&](const std::string& T) { return TruncatedPath(T, MaxLength); });
}
PLUGIN_STDCALL char* FsfQuoteSpaceOnly(char* Str) {
    return InPlace("FSF.QuoteSpaceOnly", Str,
                   [](const std::string& T) { return QuotedIfSpaced(T); });
}
PLUGIN_STDCALL char* FsfPointToName(const char* Path) {
    return const_cast<char*>(Path) + NameOffset(Text("FSF.PointToName", Path));
}
PLUGIN_STDCALL BOOL FsfAddEndSlash(char* Path) {
    InPlace("FSF.AddEndSlash", Path, [](const std::string& T) { return WithEndSlash(T); });
    return 1;
}
PLUGIN_STDCALL void FsfGetPathRoot(const char* Path, char* Root) {
    const char Where[] = "FSF.GetPathRoot";
    Write(Where, Root, PathRoot(Text(Where, Path), PathRoot(CurrentFolder(), "")));
}

// ---- the session's clipboard ----

std::string Clipboard;
bool ClipboardSet = false;
std::set<char*> HandedBuffers; // PasteFromClipboard's, until DeleteBuffer

PLUGIN_STDCALL int FsfCopyToClipboard(const char* Data) {
    if (Data == nullptr) {
        Clipboard.clear();
        ClipboardSet = false;
        printf("host: the plugin empties the clipboard\n");
        return 1;
    }
    Clipboard = Text("FSF.CopyToClipboard", Data);
    ClipboardSet = true;
    printf("host: the plugin copies %s to the clipboard\n",
           Quoted(OemToUnicode(Clipboard)).c_str());
    return 1;
}

PLUGIN_STDCALL char* FsfPasteFromClipboard() {
    if (!ClipboardSet)
        return nullptr;
    char* Copy = new char[Clipboard.size() + 1];
    memcpy(Copy, Clipboard.c_str(), Clipboard.size() + 1);
    HandedBuffers.insert(Copy);
    return Copy;
}

PLUGIN_STDCALL void FsfDeleteBuffer(char* Buffer) {
    if (Buffer == nullptr)
        return;
    if (HandedBuffers.erase(Buffer) == 0)
        PluginFault("FSF.DeleteBuffer",
                    AddressText(Buffer) + " is no buffer PasteFromClipboard handed over");
    delete[] Buffer;
}

// ---- keys ----

PLUGIN_STDCALL BOOL FsfFarKeyToName(int Key, char* KeyText, int Size) {
    std::string Name = KeyName(Key);
    if (Name.empty() || Size <= static_cast<int>(Name.size()))
        return 0;
    Write("FSF.FarKeyToName", KeyText, Name);
    return 1;
}
PLUGIN_STDCALL int FsfFarNameToKey(const char* Name) {
    return KeyFromName(Text("FSF.FarNameToKey", Name));
}
PLUGIN_STDCALL int FsfFarInputRecordToKey(const INPUT_RECORD* Record) {
    return KeyOfInputRecord(ReadList("FSF.FarInputRecordToKey", "the input record", Record, 1)[0]);
}

// ---- names and files ----

PLUGIN_STDCALL int FsfProcessName(const char* Param1, char* Param2, DWORD Flags) {
    const char Where[] = "FSF.ProcessName";
    std::string Mask = Text(Where, Param1);
    std::string Name = Text(Where, Param2);
    size_t NameStart = Flags & PN_SKIPPATH ? NameOffset(Name) : 0;
    switch (Flags & (PN_CMPNAMELIST | PN_GENERATENAME)) {
    case PN_CMPNAME:
        return MatchesMask(Mask, std::string_view(Name).substr(NameStart));
    case PN_CMPNAMELIST:
        return MatchesMaskList(Mask, std::string_view(Name).substr(NameStart));
    case PN_GENERATENAME: {
        std::string Made = Name.substr(0, NameStart) + GeneratedName(Mask, Name.substr(NameStart));
        if (Made.size() >= PathBuffer)
            return 0;
        Write(Where, Param2, Made);
        return 1;
    }
    }
    return 0;
}

PLUGIN_STDCALL int FsfGetNumberOfLinks(const char* Name) {
    return NumberOfLinks(Text("FSF.GetNumberOfLinks", Name));
}

PLUGIN_STDCALL char* FsfMkTemp(char* Dest, const char* Prefix) {
    const char Where[] = "FSF.MkTemp";
    std::string Name = FreeTemporaryName(Prefix == nullptr ? "" : Text(Where, Prefix));
    if (Name.empty() || Name.size() >= PathBuffer)
        return nullptr;
    Write(Where, Dest, Name);
    return Dest;
}

PLUGIN_STDCALL int FsfConvertNameToReal(const char* Src, char* Dest, int DestSize) {
    const char Where[] = "FSF.ConvertNameToReal";
    WindowsPath Read = ReadWindowsPath(Text(Where, Src), ReadWindowsPath(CurrentFolder(), {}));
    if (Read.Error != 0)
        return 0;
    std::string Full = ShownWindowsPath(Read);
    int Needed = static_cast<int>(Full.size()) + 1;
    if (Dest != nullptr && DestSize >= Needed)
        Write(Where, Dest, Full);
    return Needed;
}

// The functions qelhost provides, by their slots' names; every other slot
// stops the run.
const ProvidedSlot Provided[] = {
    {"atoi", Address(FsfAtoi)},
    {"atoi64", Address(FsfAtoi64)},
    {"itoa", Address(FsfItoa)},
    {"itoa64", Address(FsfItoa64)},
    {"sprintf", Address(FsfSprintf)},
    {"sscanf", Address(FsfSscanf)},
    {"qsort", Address(FsfQsort)},
    {"bsearch", Address(FsfBsearch)},
    {"qsortex", Address(FsfQsortex)},
    {"LIsLower", Address(FsfLIsLower)},
    {"LIsUpper", Address(FsfLIsUpper)},
    {"LIsAlpha", Address(FsfLIsAlpha)},
    {"LIsAlphanum", Address(FsfLIsAlphanum)},
    {"LUpper", Address(FsfLUpper)},
    {"LLower", Address(FsfLLower)},
    {"LUpperBuf", Address(FsfLUpperBuf)},
    {"LLowerBuf", Address(FsfLLowerBuf)},
    {"LStrupr", Address(FsfLStrupr)},
    {"LStrlwr", Address(FsfLStrlwr)},
    {"LStricmp", Address(FsfLStricmp)},
    {"LStrnicmp", Address(FsfLStrnicmp)},
    {"Unquote", Address(FsfUnquote)},
    {"ExpandEnvironmentStr", Address(FsfExpandEnvironmentStr)},
    {"LTrim", Address(FsfLTrim)},
    {"RTrim", Address(FsfRTrim)},
    {"Trim", Address(FsfTrim)},
    {"TruncStr", Address(FsfTruncStr)},
    {"TruncPathStr", Address(FsfTruncPathStr)},
    {"QuoteSpaceOnly", Address(FsfQuoteSpaceOnly)},
    {"PointToName", Address(FsfPointToName)},
    {"GetPathRoot", Address(FsfGetPathRoot)},
    {"AddEndSlash", Address(FsfAddEndSlash)},
    {"CopyToClipboard", Address(FsfCopyToClipboard)},
    {"PasteFromClipboard", Address(FsfPasteFromClipboard)},
    {"FarKeyToName", Address(FsfFarKeyToName)},
    {"FarNameToKey", Address(FsfFarNameToKey)},
    {"FarInputRecordToKey", Address(FsfFarInputRecordToKey)},
    {"GetNumberOfLinks", Address(FsfGetNumberOfLinks)},
    {"MkTemp", Address(FsfMkTemp)},
    {"DeleteBuffer", Address(FsfDeleteBuffer)},
    {"ProcessName", Address(FsfProcessName)},
    {"ConvertNameToReal", Address(FsfConvertNameToReal)},
    {"FarRecursiveSearch", Address(FarRecursiveSearch)},
};

template <size_t Slot> struct MissingStandardFunction {
    static PLUGIN_STDCALL void Call() {
        StopRun(ExitStopped, "the plugin called FSF.%s, which qelhost does not provide",
                StandardFunctionSlots[Slot].Name);
    }
};

} // namespace

FarStandardFunctions* StandardFunctions() {
    static FarStandardFunctions Record = [] {
        FarStandardFunctions Made;
        memset(&Made, 0, sizeof Made);
        Made.StructSize = sizeof Made;
        FillSlots(&Made, StandardFunctionSlots, Provided,
                  MissingSlotStubs<MissingStandardFunction, std::size(StandardFunctionSlots)>());
        return Made;
    }();
    return &Record;
}
