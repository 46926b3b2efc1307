// qelhost.exe's crash report: a vectored exception handler, which sees a
// fault before any handler of the plugin's or the system's own frames.
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"
#include "qelhost/windows/loading.hpp"
#include "qelhost/windows/module_image.hpp"

#include <windows.h>

#include <stdio.h>

namespace {

volatile LONG Reporting;
unsigned short QelhostGs;
uintptr_t QelhostStart, QelhostEnd; // qelhost.exe's own image
char Message[1024];
char SystemFunction[160];
uintptr_t StackLow = 0, StackHigh = UINTPTR_MAX; // the thread's stack
constexpr int StackWordsSearched = 256;

// The fault's kind, in the words the Linux qelhost uses for its signals, or
// null for an exception that is no fault (a debugger's message, say).
const char* FaultName(DWORD Code) {
    switch (Code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_GUARD_PAGE:
        return "segmentation fault";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
        return "bus error";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
        return "illegal instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        return "arithmetic fault";
    case EXCEPTION_SINGLE_STEP:
    case EXCEPTION_BREAKPOINT:
        return "debug trap";
    default:
        return nullptr;
    }
}

bool InQelhost(uintptr_t Address) {
    return Address >= QelhostStart && Address < QelhostEnd;
}

// The system DLL's function that faulted at Instruction on the plugin's
// behalf: the nearest return address on the stack into code of the
// plugin's or qelhost's own tells who called it.
const char* CalledByPlugin(uintptr_t Instruction, uintptr_t Stack) {
    if (InPluginImage(Instruction) || InQelhost(Instruction))
        return nullptr;
    for (int I = 0; I < StackWordsSearched; ++I) {
        uintptr_t Word;
        if (!CopyFromPlugin(&Word, reinterpret_cast<const void*>(Stack + I * sizeof Word),
                            sizeof Word))
            return nullptr;
        if (InQelhost(Word))
            return nullptr;
        if (InPluginImage(Word))
            return FunctionAt(Instruction, SystemFunction, sizeof SystemFunction) ? SystemFunction
                                                                                  : nullptr;
    }
    return nullptr;
}

void NoteStackBounds(uintptr_t& Low, uintptr_t& High) {
    // The thread's whole stack reservation: from its deallocation base in
    // the thread block to its top.
    const unsigned char* Block; // the thread block's own address, at %fs:0x18
    asm("movl %%fs:0x18, %0" : "=r"(Block));
    High = reinterpret_cast<uintptr_t>(reinterpret_cast<const NT_TIB*>(Block)->StackBase);
    Low = *reinterpret_cast<const uintptr_t*>(Block + 0xE0C); // DeallocationStack
}

// The fault as the shared blame reads it; What holds its words.
Fault Described(const EXCEPTION_RECORD& Record, const CONTEXT& Registers, const char* Name,
                char (&What)[64]) {
    DWORD Code = Record.ExceptionCode;
    bool OfMemory = Code == EXCEPTION_ACCESS_VIOLATION || Code == EXCEPTION_IN_PAGE_ERROR ||
                    Code == EXCEPTION_DATATYPE_MISALIGNMENT || Code == EXCEPTION_STACK_OVERFLOW;
    uintptr_t Instruction = Registers.Eip;
    uintptr_t Stack = Registers.Esp;
    unsigned long Address = Code == EXCEPTION_ACCESS_VIOLATION && Record.NumberParameters >= 2
                                ? Record.ExceptionInformation[1]
                            : Code == EXCEPTION_STACK_OVERFLOW ? Stack
                                                               : Instruction;
    NameFault(What, Name, OfMemory, Address);
    Fault F{What, Address, Instruction, Stack, OfMemory, OfMemory && Address == Instruction,
            static_cast<unsigned short>(Registers.SegGs) != QelhostGs,
            // Windows clears the trap flag before it reports the trap;
            // qelhost never sets it, so a trap says that someone did.
            Code == EXCEPTION_SINGLE_STEP ||
                (Registers.EFlags & (TrapFlag | AlignmentCheckFlag)) != 0,
            Stack < StackLow || Stack > StackHigh, false, false, InQelhost(Instruction),
            CalledByPlugin(Instruction, Stack)};
    ReadGateFrame(F);
    return F;
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* Pointers) {
    const char* Name = FaultName(Pointers->ExceptionRecord->ExceptionCode);
    if (Name == nullptr)
        return EXCEPTION_CONTINUE_SEARCH;
    if (InterlockedExchange(&Reporting, 1) != 0) {
        // Past its line, only the process's end faulted: the outcome stands.
        if (int Written = WrittenEndStatus(); Written >= 0)
            EndProcess(Written);
        StopRunWith(ExitQelhostFault, "a second fault while reporting a fault");
    }
    char What[64];
    Fault F = Described(*Pointers->ExceptionRecord, *Pointers->ContextRecord, Name, What);
    if (LoaderAtWork() && !InPluginImage(F.Instruction) && !F.BadJump) {
        // Windows' loader (or qelhost reading what it mapped) faulted on
        // the DLL's own records: the DLL is refused, as the Linux loader
        // refuses what it cannot read.
        snprintf(Message, sizeof Message, "cannot load %s: Windows' loader faulted on it (%s)",
                 LoadingPath(), What);
        StopRunWith(ExitRefused, Message);
    }
    StopRunWith(BlameFault(F, Message, sizeof Message), Message);
}

// qelhost.exe's own import address table, read-only from here on, as the
// Linux qelhost links its own: a plugin's wild write there faults in the
// plugin's code, where it is blamed, not later in qelhost's next call
// through the slot, where qelhost would be.
void ProtectOwnImports(const unsigned char* Own) {
    size_t Size = 0;
    const unsigned char* Table = ImageDirectory(Own, IMAGE_DIRECTORY_ENTRY_IAT, Size);
    DWORD Old;
    if (Table != nullptr && Size != 0)
        VirtualProtect(const_cast<unsigned char*>(Table), Size, PAGE_READONLY, &Old);
}

} // namespace

void ReportCrashes() {
    asm volatile("movw %%gs, %0" : "=r"(QelhostGs));
    NoteStackBounds(StackLow, StackHigh);
    auto* Own = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    QelhostStart = reinterpret_cast<uintptr_t>(Own);
    QelhostEnd = QelhostStart + ImageSize(Own);
    ProtectOwnImports(Own);
    AddVectoredExceptionHandler(1, OnException);
}
