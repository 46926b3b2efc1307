// msvcrt.dll's functions (cdecl) that mingw-built DLLs import. Each that
// uses a pointer the plugin handed it says so, for the crash report: a fault
// there is the plugin's.
#include "qelhost/gate/msvcrt_stand_ins.hpp"
#include "qelhost/stop_run.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_call.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

MsvcrtFile MsvcrtIob[3];

namespace {

FILE* HostStream(const MsvcrtFile* Stream) {
    if (Stream == &MsvcrtIob[0])
        return stdin;
    if (Stream == &MsvcrtIob[1])
        return stdout;
    if (Stream == &MsvcrtIob[2])
        return stderr;
    StopRun(ExitStopped, "the plugin wrote to a stream that is not stdin, stdout or stderr");
}

} // namespace

PLUGIN_CDECL int MsvcrtFputc(int Char, MsvcrtFile* Stream) {
    return fputc(Char, HostStream(Stream));
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtFputs(const char* Text, MsvcrtFile* Stream) {
    UsingPluginArguments Using("msvcrt.dll!fputs");
    return fputs(Text, HostStream(Stream));
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL size_t MsvcrtFwrite(const void* Data, size_t Size, size_t Count,
                                                       MsvcrtFile* Stream) {
    UsingPluginArguments Using("msvcrt.dll!fwrite");
    return fwrite(Data, Size, Count, HostStream(Stream));
}
PLUGIN_CDECL int MsvcrtFflush(MsvcrtFile* Stream) {
    return fflush(Stream == nullptr ? nullptr : HostStream(Stream));
}
// Both sides pass variable arguments as a plain pointer into the stack.
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtVfprintf(MsvcrtFile* Stream, const char* Format,
                                                      va_list Arguments) {
    UsingPluginArguments Using("msvcrt.dll!vfprintf");
    return vfprintf(HostStream(Stream), Format, Arguments);
}
PLUGIN_CDECL MsvcrtFile* MsvcrtIobFunc() {
    return MsvcrtIob;
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL void MsvcrtInitterm(void (**First)(), void (**Last)()) {
    for (; First < Last; ++First) {
        void (*Function)();
        {
            UsingPluginArguments Using("msvcrt.dll!_initterm");
            Function = *First;
        }
        if (Function != nullptr)
            CallPluginCdecl(reinterpret_cast<const void*>(Function));
    }
}
PLUGIN_CDECL void MsvcrtLock(int) {}
PLUGIN_CDECL void MsvcrtUnlock(int) {}

TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL size_t MsvcrtStrlen(const char* Text) {
    UsingPluginArguments Using("msvcrt.dll!strlen");
    return strlen(Text);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtStrcmp(const char* A, const char* B) {
    UsingPluginArguments Using("msvcrt.dll!strcmp");
    return strcmp(A, B);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtStrncmp(const char* A, const char* B, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!strncmp");
    return strncmp(A, B, Count);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL char* MsvcrtStrcpy(char* To, const char* From) {
    UsingPluginArguments Using("msvcrt.dll!strcpy");
    return strcpy(To, From);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL char* MsvcrtStrncpy(char* To, const char* From, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!strncpy");
    return strncpy(To, From, Count);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL const char* MsvcrtStrchr(const char* Text, int Char) {
    UsingPluginArguments Using("msvcrt.dll!strchr");
    return strchr(Text, Char);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtAtoi(const char* Text) {
    UsingPluginArguments Using("msvcrt.dll!atoi");
    return atoi(Text);
}
// msvcrt's memcpy copies overlapping ranges as memmove does; code relies on it.
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL void* MsvcrtMemcpy(void* To, const void* From, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!memcpy");
    return memmove(To, From, Count);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL void* MsvcrtMemmove(void* To, const void* From, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!memmove");
    return memmove(To, From, Count);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL void* MsvcrtMemset(void* To, int Byte, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!memset");
    return memset(To, Byte, Count);
}
TOUCHES_PLUGIN_MEMORY PLUGIN_CDECL int MsvcrtMemcmp(const void* A, const void* B, size_t Count) {
    UsingPluginArguments Using("msvcrt.dll!memcmp");
    return memcmp(A, B, Count);
}
