// Single-threaded stand-ins: the host calls the plugin from one thread, so
// critical sections have nothing to guard and thread-local slots are plain
// module storage.
#include "qelhost/windows/win32_runtime.hpp"
#include "host/host_interface.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/stop_run.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>

#include <map>

namespace {

// msvcrt's FILE is 32 bytes; the plugin only passes addresses of _iob entries.
struct MsvcrtFile {
    unsigned char Fields[32];
};
MsvcrtFile StandardStreams[3]; // msvcrt's _iob: stdin, stdout, stderr

FILE* HostStream(MsvcrtFile* Stream) {
    long Index = Stream - StandardStreams;
    if (Index == 0)
        return stdin;
    if (Index == 1)
        return stdout;
    if (Index == 2)
        return stderr;
    StopRun(ExitStopped, "the plugin wrote to a stream that is not stdin, stdout or stderr");
}

long AllocationsLeft = -1; // negative: no limit
long AllocationsMade = 0;

bool AllocationAllowed() {
    ++AllocationsMade;
    if (AllocationsLeft < 0)
        return true;
    if (AllocationsLeft == 0) {
        printf("host: the heap refuses allocation %ld\n", AllocationsMade);
        return false;
    }
    --AllocationsLeft;
    return true;
}

std::string PluginFileName;
void* PluginBase = nullptr;
// Handles for the system DLLs the host stands in for.
char Kernel32Handle, MsvcrtHandle;

DWORD LastError = 0;
constexpr DWORD ErrorModuleNotFound = 126;
constexpr DWORD ErrorProcNotFound = 127;

constexpr int TlsSlotCount = 64;
void* TlsSlots[TlsSlotCount];
bool TlsSlotUsed[TlsSlotCount];

// ---- msvcrt.dll (cdecl) ----

PLUGIN_CDECL void* Malloc(size_t Size) {
    return AllocationAllowed() ? malloc(Size) : nullptr;
}
PLUGIN_CDECL void* Calloc(size_t Count, size_t Size) {
    return AllocationAllowed() ? calloc(Count, Size) : nullptr;
}
PLUGIN_CDECL void* Realloc(void* Block, size_t Size) {
    return AllocationAllowed() ? realloc(Block, Size) : nullptr;
}
PLUGIN_CDECL void Free(void* Block) {
    free(Block);
}
PLUGIN_CDECL int Fputc(int Char, MsvcrtFile* Stream) {
    return fputc(Char, HostStream(Stream));
}
PLUGIN_CDECL int Fputs(const char* Text, MsvcrtFile* Stream) {
    return fputs(Text, HostStream(Stream));
}
PLUGIN_CDECL size_t Fwrite(const void* Data, size_t Size, size_t Count, MsvcrtFile* Stream) {
    return fwrite(Data, Size, Count, HostStream(Stream));
}
PLUGIN_CDECL int Fflush(MsvcrtFile* Stream) {
    return fflush(Stream == nullptr ? nullptr : HostStream(Stream));
}
// Both sides pass variable arguments as a plain pointer into the stack.
PLUGIN_CDECL int Vfprintf(MsvcrtFile* Stream, const char* Format, va_list Arguments) {
    return vfprintf(HostStream(Stream), Format, Arguments);
}
PLUGIN_CDECL MsvcrtFile* IobFunc() {
    return StandardStreams;
}
PLUGIN_CDECL void Exit(int Status) {
    printf("host: the plugin ends the process with exit(%d)\n", Status);
    fflush(stdout);
    fflush(stderr);
    exit(Status);
}
PLUGIN_CDECL void Abort() {
    StopRun(ExitStopped, "the plugin called abort()");
}
PLUGIN_CDECL void AmsgExit(int Code) {
    StopRun(ExitStopped, "the plugin's run-time library stopped it (runtime error R60%02d)", Code);
}
PLUGIN_CDECL void Initterm(void (**First)(), void (**Last)()) {
    for (; First < Last; ++First)
        if (*First != nullptr)
            (*First)();
}
PLUGIN_CDECL void Lock(int) {}
PLUGIN_CDECL void Unlock(int) {}

PLUGIN_CDECL size_t Strlen(const char* Text) {
    return strlen(Text);
}
PLUGIN_CDECL int Strcmp(const char* A, const char* B) {
    return strcmp(A, B);
}
PLUGIN_CDECL int Strncmp(const char* A, const char* B, size_t Count) {
    return strncmp(A, B, Count);
}
PLUGIN_CDECL char* Strcpy(char* To, const char* From) {
    return strcpy(To, From);
}
PLUGIN_CDECL char* Strncpy(char* To, const char* From, size_t Count) {
    return strncpy(To, From, Count);
}
PLUGIN_CDECL const char* Strchr(const char* Text, int Char) {
    return strchr(Text, Char);
}
PLUGIN_CDECL int Atoi(const char* Text) {
    return atoi(Text);
}
PLUGIN_CDECL void* Memcpy(void* To, const void* From, size_t Count) {
    return memcpy(To, From, Count);
}
PLUGIN_CDECL void* Memmove(void* To, const void* From, size_t Count) {
    return memmove(To, From, Count);
}
PLUGIN_CDECL void* Memset(void* To, int Byte, size_t Count) {
    return memset(To, Byte, Count);
}
PLUGIN_CDECL int Memcmp(const void* A, const void* B, size_t Count) {
    return memcmp(A, B, Count);
}

// ---- KERNEL32.dll (__stdcall) ----

PLUGIN_STDCALL void CriticalSectionNoOp(void*) {}

PLUGIN_STDCALL DWORD TlsAlloc() {
    for (int Slot = 0; Slot < TlsSlotCount; ++Slot)
        if (!TlsSlotUsed[Slot]) {
            TlsSlotUsed[Slot] = true;
            TlsSlots[Slot] = nullptr;
            return Slot;
        }
    return 0xFFFFFFFF; // TLS_OUT_OF_INDEXES
}
PLUGIN_STDCALL BOOL TlsFree(DWORD Slot) {
    if (Slot >= TlsSlotCount)
        return 0;
    TlsSlotUsed[Slot] = false;
    return 1;
}
PLUGIN_STDCALL void* TlsGetValue(DWORD Slot) {
    LastError = 0;
    return Slot < TlsSlotCount ? TlsSlots[Slot] : nullptr;
}
PLUGIN_STDCALL BOOL TlsSetValue(DWORD Slot, void* Value) {
    if (Slot >= TlsSlotCount)
        return 0;
    TlsSlots[Slot] = Value;
    return 1;
}

// The image is mapped readable, writable and executable as a whole, so
// changing protection changes nothing and every page reports that mode.
constexpr DWORD PageExecuteReadWrite = 0x40;

PLUGIN_STDCALL BOOL VirtualProtect(void*, size_t, DWORD, DWORD* OldProtect) {
    if (OldProtect != nullptr)
        *OldProtect = PageExecuteReadWrite;
    return 1;
}

struct MemoryBasicInformation {
    void* BaseAddress;
    void* AllocationBase;
    DWORD AllocationProtect;
    size_t RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
};

PLUGIN_STDCALL size_t VirtualQuery(const void* Address, MemoryBasicInformation* Info,
                                   size_t Length) {
    if (Length < sizeof(MemoryBasicInformation))
        return 0;
    uintptr_t Page = reinterpret_cast<uintptr_t>(Address) & ~uintptr_t{0xFFF};
    *Info = MemoryBasicInformation{reinterpret_cast<void*>(Page),
                                   PluginBase,
                                   PageExecuteReadWrite,
                                   0x1000,
                                   0x1000 /* MEM_COMMIT */,
                                   PageExecuteReadWrite,
                                   0x1000000 /* MEM_IMAGE */};
    return sizeof(MemoryBasicInformation);
}

void* ModuleHandleFor(const char* Name) {
    if (Name == nullptr)
        return PluginBase;
    std::string Wanted = Name;
    if (Wanted.find('.') == std::string::npos)
        Wanted += ".dll";
    if (strcasecmp(Wanted.c_str(), "kernel32.dll") == 0)
        return &Kernel32Handle;
    if (strcasecmp(Wanted.c_str(), "msvcrt.dll") == 0)
        return &MsvcrtHandle;
    if (strcasecmp(Wanted.c_str(), PluginFileName.c_str()) == 0)
        return PluginBase;
    LastError = ErrorModuleNotFound;
    return nullptr;
}

PLUGIN_STDCALL void* GetModuleHandleA(const char* Name) {
    return ModuleHandleFor(Name);
}
PLUGIN_STDCALL void* LoadLibraryA(const char* Name) {
    return Name == nullptr ? nullptr : ModuleHandleFor(Name);
}
PLUGIN_STDCALL BOOL FreeLibrary(void*) {
    return 1;
}
PLUGIN_STDCALL void* GetProcAddress(void* Module, const char* Name) {
    // Lookups by ordinal (a small number instead of a name) are not served.
    void* Found = nullptr;
    if (reinterpret_cast<uintptr_t>(Name) > 0xFFFF) {
        if (Module == &Kernel32Handle)
            Found = FindRuntimeImport("kernel32.dll", Name);
        else if (Module == &MsvcrtHandle)
            Found = FindRuntimeImport("msvcrt.dll", Name);
    }
    if (Found == nullptr)
        LastError = ErrorProcNotFound;
    return Found;
}
PLUGIN_STDCALL void Sleep(DWORD Milliseconds) {
    timespec Pause{static_cast<time_t>(Milliseconds / 1000),
                   static_cast<long>(Milliseconds % 1000) * 1000000};
    nanosleep(&Pause, nullptr);
}
PLUGIN_STDCALL DWORD GetLastError() {
    return LastError;
}
PLUGIN_STDCALL void SetLastError(DWORD Error) {
    LastError = Error;
}

template <typename Function> void* Address(Function* F) {
    return reinterpret_cast<void*>(F);
}

// clang-format off: one import a line
const std::map<std::string, void*>& Kernel32Exports() {
    static const std::map<std::string, void*> Exports = {
        {"InitializeCriticalSection", Address(CriticalSectionNoOp)},
        {"DeleteCriticalSection", Address(CriticalSectionNoOp)},
        {"EnterCriticalSection", Address(CriticalSectionNoOp)},
        {"LeaveCriticalSection", Address(CriticalSectionNoOp)},
        {"TlsAlloc", Address(TlsAlloc)},
        {"TlsFree", Address(TlsFree)},
        {"TlsGetValue", Address(TlsGetValue)},
        {"TlsSetValue", Address(TlsSetValue)},
        {"VirtualProtect", Address(VirtualProtect)},
        {"VirtualQuery", Address(VirtualQuery)},
        {"GetModuleHandleA", Address(GetModuleHandleA)},
        {"LoadLibraryA", Address(LoadLibraryA)},
        {"FreeLibrary", Address(FreeLibrary)},
        {"GetProcAddress", Address(GetProcAddress)},
        {"Sleep", Address(Sleep)},
        {"GetLastError", Address(GetLastError)},
        {"SetLastError", Address(SetLastError)},
    };
    return Exports;
}

const std::map<std::string, void*>& MsvcrtExports() {
    static const std::map<std::string, void*> Exports = {
        {"_iob", StandardStreams},        {"__iob_func", Address(IobFunc)},
        {"malloc", Address(Malloc)},      {"calloc", Address(Calloc)},
        {"realloc", Address(Realloc)},    {"free", Address(Free)},
        {"fputc", Address(Fputc)},        {"fputs", Address(Fputs)},
        {"fwrite", Address(Fwrite)},      {"fflush", Address(Fflush)},
        {"vfprintf", Address(Vfprintf)},  {"exit", Address(Exit)},
        {"abort", Address(Abort)},        {"_amsg_exit", Address(AmsgExit)},
        {"_initterm", Address(Initterm)}, {"_lock", Address(Lock)},
        {"_unlock", Address(Unlock)},     {"atoi", Address(Atoi)},
        {"strlen", Address(Strlen)},      {"strcmp", Address(Strcmp)},
        {"strncmp", Address(Strncmp)},    {"strcpy", Address(Strcpy)},
        {"strncpy", Address(Strncpy)},    {"strchr", Address(Strchr)},
        {"memcpy", Address(Memcpy)},      {"memmove", Address(Memmove)},
        {"memset", Address(Memset)},      {"memcmp", Address(Memcmp)},
    };
    return Exports;
}
// clang-format on

} // namespace

void* FindRuntimeImport(const std::string& Dll, const std::string& Name) {
    const std::map<std::string, void*>* Exports = nullptr;
    if (strcasecmp(Dll.c_str(), "kernel32.dll") == 0)
        Exports = &Kernel32Exports();
    else if (strcasecmp(Dll.c_str(), "msvcrt.dll") == 0)
        Exports = &MsvcrtExports();
    if (Exports == nullptr)
        return nullptr;
    auto Found = Exports->find(Name);
    return Found == Exports->end() ? nullptr : Found->second;
}

void RegisterPluginModule(const std::string& FileName, void* Base) {
    PluginFileName = FileName;
    PluginBase = Base;
}

void MakeHeapFailAfter(long Count) {
    AllocationsLeft = Count;
}
