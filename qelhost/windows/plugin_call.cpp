#include "qelhost/windows/plugin_call.hpp"
#include "qelhost/windows/crash_report.hpp"

#include <string>

// Where qelhost_call_plugin's frame is while the plugin runs: after the call
// no register can be trusted, but the thread's own storage (on %gs, which
// Windows code leaves alone) can.
extern "C" __thread uintptr_t qelhost_plugin_frame __attribute__((tls_model("local-exec")));
__thread uintptr_t qelhost_plugin_frame = 0;

// Breaches the gate finds, as bits of its result.
enum Breach : uint32_t {
    StackMoved = 1,
    EbpChanged = 2,
    EbxChanged = 4,
    EsiChanged = 8,
    EdiChanged = 16,
    DirectionSet = 32,
    AlignmentCheckSet = 64,
};

// uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
//                              uint32_t Count): cdecl; the function's eax in
// the low half, the breaches in the high half (edx), so that nothing the
// plugin could have overwritten on the stack is written through. Its frame,
// from the stack pointer kept in qelhost_plugin_frame: the outer call's frame
// (calls nest), then the saved edi, esi, ebx, ebp.
asm(R"(
    .text
    .globl qelhost_call_plugin
    .type qelhost_call_plugin, @function
qelhost_call_plugin:
    push %ebp
    mov %esp, %ebp
    push %ebx
    push %esi
    push %edi
    push %gs:qelhost_plugin_frame@ntpoff
    mov %esp, %gs:qelhost_plugin_frame@ntpoff
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
    mov %gs:qelhost_plugin_frame@ntpoff, %esp
    xor %edx, %edx
    cmp %esp, %ecx
    je 3f
    or $1, %edx
3:  lea 16(%esp), %ecx
    cmp %ecx, %ebp
    je 4f
    or $2, %edx
4:  cmp 12(%esp), %ebx
    je 5f
    or $4, %edx
5:  cmp 8(%esp), %esi
    je 6f
    or $8, %edx
6:  cmp 4(%esp), %edi
    je 7f
    or $16, %edx
7:  pushf
    pop %ecx
    test $0x400, %ecx
    jz 8f
    or $32, %edx
8:  test $0x40000, %ecx
    jz 9f
    or $64, %edx
9:  and $~0x40400, %ecx
    push %ecx
    popf
    lea 16(%esp), %ebp
    pop %gs:qelhost_plugin_frame@ntpoff
    pop %edi
    pop %esi
    pop %ebx
    pop %ebp
    ret
    .size qelhost_call_plugin, .-qelhost_call_plugin
)");

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
