#include "qelhost/loader/plugin_call.hpp"
#include "qelhost/loader/fault_blame.hpp"

#include <string>

#define QELHOST_TEXT(Value) QELHOST_TEXT_OF(Value)
#define QELHOST_TEXT_OF(Value) #Value

// Where qelhost_call_plugin's frame is while the plugin runs: after the call
// no register can be trusted, but memory found without one can: on Linux
// the thread's own storage (on %gs, which Windows code leaves alone), on
// Windows a plain global at a fixed address (qelhost.exe is not relocated,
// and calls the plugin from one thread).
#if defined(_WIN32)
extern "C" uintptr_t qelhost_plugin_frame;
uintptr_t qelhost_plugin_frame = 0;
#define GATE_FRAME "_qelhost_plugin_frame"
#define GATE_NAME "_qelhost_call_plugin"
#define GATE_TYPE ".def _qelhost_call_plugin; .scl 2; .type 32; .endef"
#define GATE_SIZE ""
#else
extern "C" __thread uintptr_t qelhost_plugin_frame __attribute__((tls_model("local-exec")));
__thread uintptr_t qelhost_plugin_frame = 0;
#define GATE_FRAME "%gs:qelhost_plugin_frame@ntpoff"
#define GATE_NAME "qelhost_call_plugin"
#define GATE_TYPE ".type qelhost_call_plugin, @function"
#define GATE_SIZE ".size qelhost_call_plugin, .-qelhost_call_plugin"
#endif

// Breaches the gate finds, as bits of its result; the assembly below sets
// them by these values.
#define BREACH_STACK_MOVED 1
#define BREACH_EBP 2
#define BREACH_EBX 4
#define BREACH_ESI 8
#define BREACH_EDI 16
#define BREACH_DIRECTION 32
#define BREACH_ALIGNMENT_CHECK 64
#define DIRECTION_FLAG 0x400
#define ALIGNMENT_CHECK_FLAG 0x40000
enum Breach : uint32_t {
    StackMoved = BREACH_STACK_MOVED,
    EbpChanged = BREACH_EBP,
    EbxChanged = BREACH_EBX,
    EsiChanged = BREACH_ESI,
    EdiChanged = BREACH_EDI,
    DirectionSet = BREACH_DIRECTION,
    AlignmentCheckSet = BREACH_ALIGNMENT_CHECK,
};
// Seven breaches, one bit each, and the flag the crash report clears is the
// one the gate tests.
static_assert((StackMoved | EbpChanged | EbxChanged | EsiChanged | EdiChanged | DirectionSet |
               AlignmentCheckSet) == 0x7F &&
              StackMoved + EbpChanged + EbxChanged + EsiChanged + EdiChanged + DirectionSet +
                      AlignmentCheckSet ==
                  0x7F);
static_assert(ALIGNMENT_CHECK_FLAG == AlignmentCheckFlag);

// uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
//                              uint32_t Count): cdecl; the function's eax in
// the low half, the breaches in the high half (edx), so that nothing the
// plugin could have overwritten on the stack is written through. Its frame,
// from the stack pointer kept in qelhost_plugin_frame: the outer call's frame
// (calls nest), then the saved edi, esi, ebx, ebp.
asm(".text\n"
    ".globl " GATE_NAME "\n" GATE_TYPE "\n" GATE_NAME ":\n"
    R"(
    push %ebp
    mov %esp, %ebp
    push %ebx
    push %esi
    push %edi
    push )" GATE_FRAME R"(
    mov %esp, )" GATE_FRAME R"(
    mov 16(%ebp), %ecx
    mov 12(%ebp), %edx
1:  test %ecx, %ecx
    jz 2f
    push -4(%edx,%ecx,4)
    dec %ecx
    jmp 1b
2:  mov 8(%ebp), %eax
    call *%eax
    mov %esp, %ecx
    mov )" GATE_FRAME R"(, %esp
    xor %edx, %edx
    cmp %esp, %ecx
    je 3f
    or $)" QELHOST_TEXT(BREACH_STACK_MOVED) R"(, %edx
3:  lea 16(%esp), %ecx
    cmp %ecx, %ebp
    je 4f
    or $)" QELHOST_TEXT(BREACH_EBP) R"(, %edx
4:  cmp 12(%esp), %ebx
    je 5f
    or $)" QELHOST_TEXT(BREACH_EBX) R"(, %edx
5:  cmp 8(%esp), %esi
    je 6f
    or $)" QELHOST_TEXT(BREACH_ESI) R"(, %edx
6:  cmp 4(%esp), %edi
    je 7f
    or $)" QELHOST_TEXT(BREACH_EDI) R"(, %edx
7:  pushf
    pop %ecx
    test $)" QELHOST_TEXT(DIRECTION_FLAG) R"(, %ecx
    jz 8f
    or $)" QELHOST_TEXT(BREACH_DIRECTION) R"(, %edx
8:  test $)" QELHOST_TEXT(ALIGNMENT_CHECK_FLAG) R"(, %ecx
    jz 9f
    or $)" QELHOST_TEXT(BREACH_ALIGNMENT_CHECK) R"(, %edx
9:  and $~()" QELHOST_TEXT(DIRECTION_FLAG) "|" QELHOST_TEXT(ALIGNMENT_CHECK_FLAG) R"(), %ecx
    push %ecx
    popf
    lea 16(%esp), %ebp
    pop )" GATE_FRAME R"(
    pop %edi
    pop %esi
    pop %ebx
    pop %ebp
    ret
)" GATE_SIZE "\n");

extern "C" uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
                                        uint32_t Count);

namespace {

std::string Describe(uint32_t Breaches) {
    const std::pair<uint32_t, const char*> Names[] = {
        {StackMoved, "the stack pointer moved"},
        {EbpChanged, "ebp changed"},
        {EbxChanged, "ebx changed"},
        {EsiChanged, "esi changed"},
        {EdiChanged, "edi changed"},
        {DirectionSet, "the direction flag set"},
        {AlignmentCheckSet, "the alignment-check flag set"}};
    std::string Text;
    for (const auto& [Bit, Name] : Names)
        if (Breaches & Bit)
            Text += (Text.empty() ? "" : ", ") + std::string(Name);
    return Text;
}

} // namespace

uint32_t CallPlugin(const char* Name, const void* Function,
                    std::initializer_list<uint32_t> Arguments) {
    if (Name != nullptr)
        NoteEntryPoint(Name);
    uint64_t Returned =
        qelhost_call_plugin(Function, Arguments.begin(), static_cast<uint32_t>(Arguments.size()));
    uint32_t Breaches = static_cast<uint32_t>(Returned >> 32);
    if (Breaches != 0)
        StopAsPluginFault("it returned with %s, against the calling convention",
                          Describe(Breaches).c_str());
    if (Name != nullptr)
        NoteEntryPoint(nullptr);
    return static_cast<uint32_t>(Returned);
}
