// The call gate's code, for each platform to place (platform.hpp) with the
// names and the frame slot its object format and thread storage give:
//   Name   the symbol of qelhost_call_plugin as the assembler sees it;
//   Frame  the slot that keeps the gate's stack pointer while the plugin
//          runs, reached without a register (after the call none can be
//          trusted);
//   Type, Size  the symbol's type and size directives, where the format
//          has them.
#pragma once

#define QELHOST_TEXT(Value) QELHOST_TEXT_OF(Value)
#define QELHOST_TEXT_OF(Value) #Value

// Breaches the gate finds, as bits of its result; the assembly below sets
// them by these values.
#define BREACH_STACK_MOVED 1
#define BREACH_EBP 2
#define BREACH_EBX 4
#define BREACH_ESI 8
#define BREACH_EDI 16
#define BREACH_DIRECTION 32
#define BREACH_ALIGNMENT_CHECK 64
#define BREACH_FRAME 128
#define DIRECTION_FLAG 0x400
#define ALIGNMENT_CHECK_FLAG 0x40000
// The gate's frame begins with its own address xor this word: a plugin that
// wrote over qelhost's frames (through a stack pointer it moved up, say)
// changed it, and the gate, or the crash report, finds that.
#define GATE_CANARY 0x5A17C0DE

// uint64_t qelhost_call_plugin(const void* Function, const uint32_t* Arguments,
//                              uint32_t Count): cdecl; the function's eax in
// the low half, the breaches in the high half (edx), so that nothing the
// plugin could have overwritten on the stack is written through. Its frame,
// from the stack pointer kept in qelhost_plugin_frame: the canary, the outer
// call's frame (calls nest), then the saved edi, esi, ebx, ebp.
// clang-format off
#define CALL_GATE_ASSEMBLY(Name, Frame, Type, Size) \
    ".text\n" \
    ".globl " Name "\n" Type "\n" Name ":\n" \
    "push %ebp\n" \
    "mov %esp, %ebp\n" \
    "push %ebx\n" \
    "push %esi\n" \
    "push %edi\n" \
    "push " Frame "\n" \
    "lea -4(%esp), %ecx\n" \
    "xor $" QELHOST_TEXT(GATE_CANARY) ", %ecx\n" \
    "push %ecx\n" \
    "mov %esp, " Frame "\n" \
    "mov 16(%ebp), %ecx\n" \
    "mov 12(%ebp), %edx\n" \
    "1:  test %ecx, %ecx\n" \
    "jz 2f\n" \
    "push -4(%edx,%ecx,4)\n" \
    "dec %ecx\n" \
    "jmp 1b\n" \
    "2:  mov 8(%ebp), %eax\n" \
    "call *%eax\n" \
    "mov %esp, %ecx\n" \
    "mov " Frame ", %esp\n" \
    "xor %edx, %edx\n" \
    "cmp %esp, %ecx\n" \
    "je 3f\n" \
    "or $" QELHOST_TEXT(BREACH_STACK_MOVED) ", %edx\n" \
    "3:  lea 20(%esp), %ecx\n" \
    "cmp %ecx, %ebp\n" \
    "je 4f\n" \
    "or $" QELHOST_TEXT(BREACH_EBP) ", %edx\n" \
    "4:  cmp 16(%esp), %ebx\n" \
    "je 5f\n" \
    "or $" QELHOST_TEXT(BREACH_EBX) ", %edx\n" \
    "5:  cmp 12(%esp), %esi\n" \
    "je 6f\n" \
    "or $" QELHOST_TEXT(BREACH_ESI) ", %edx\n" \
    "6:  cmp 8(%esp), %edi\n" \
    "je 7f\n" \
    "or $" QELHOST_TEXT(BREACH_EDI) ", %edx\n" \
    "7:  pushf\n" \
    "pop %ecx\n" \
    "test $" QELHOST_TEXT(DIRECTION_FLAG) ", %ecx\n" \
    "jz 8f\n" \
    "or $" QELHOST_TEXT(BREACH_DIRECTION) ", %edx\n" \
    "8:  test $" QELHOST_TEXT(ALIGNMENT_CHECK_FLAG) ", %ecx\n" \
    "jz 9f\n" \
    "or $" QELHOST_TEXT(BREACH_ALIGNMENT_CHECK) ", %edx\n" \
    "9:  and $~(" QELHOST_TEXT(DIRECTION_FLAG) "|" QELHOST_TEXT(ALIGNMENT_CHECK_FLAG) "), %ecx\n" \
    "push %ecx\n" \
    "popf\n" \
    "mov (%esp), %ecx\n" \
    "xor $" QELHOST_TEXT(GATE_CANARY) ", %ecx\n" \
    "cmp %esp, %ecx\n" \
    "je 10f\n" \
    "or $" QELHOST_TEXT(BREACH_FRAME) ", %edx\n" \
    "10: lea 20(%esp), %ebp\n" \
    "add $4, %esp\n" \
    "pop " Frame "\n" \
    "pop %edi\n" \
    "pop %esi\n" \
    "pop %ebx\n" \
    "pop %ebp\n" \
    "ret\n" \
    Size "\n"
// clang-format on
