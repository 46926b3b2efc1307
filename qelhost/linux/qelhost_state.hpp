// What qelhost's own code needs from the registers when a signal handler
// runs over the plugin's code: the plugin may have changed gs, which thread
// storage (errno, the sanitizer's state) needs, and set the alignment-check
// flag, which the kernel leaves set for the handler, or the direction flag,
// which an emulator may leave set (qemu-user does, and the C library's
// copies then run backwards). Each handler puts all three back before
// anything else.
#pragma once

#include "qelhost/gate/fault_blame.hpp"

// qelhost's gs, noted once before the plugin loads.
extern unsigned short QelhostGs;

inline void NoteQelhostState() {
    asm volatile("movw %%gs, %0" : "=r"(QelhostGs));
}

__attribute__((always_inline)) inline void RestoreQelhostState() {
    asm volatile("movw %0, %%gs\n\t"
                 "cld\n\t"
                 "pushfl\n\t"
                 "andl %1, (%%esp)\n\t"
                 "popfl"
                 :
                 : "r"(QelhostGs), "i"(~AlignmentCheckFlag)
                 : "cc", "memory");
}

// A signal handler's attributes: it realigns the stack itself (the i386
// ABI promises 16 bytes at every call, and the kernel keeps that for a
// signal frame, but an emulator may not: qemu-user 7 aligns it to 8, and
// the sanitizer's frames below then lie 4 bytes off their redzones), and
// it is not instrumented, as gs may still be the plugin's on entry.
#define SIGNAL_HANDLER                                                                             \
    __attribute__((no_sanitize("address"), no_stack_protector, force_align_arg_pointer))
