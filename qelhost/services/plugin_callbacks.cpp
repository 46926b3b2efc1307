#include "qelhost/services/plugin_callbacks.hpp"
#include "qelhost/gate/plugin_call.hpp"

#include <stdint.h>

namespace {

// __stdcall adapters that call a cdecl function of the plugin's with two or
// three arguments and pop them, so that the gate, which holds its callee to
// __stdcall, holds the comparison to cdecl. They touch no register: what
// the comparison leaves in ebx, esi, edi, ebp and the flags reaches the
// gate's checks as it left it.
__attribute__((naked, stdcall)) void CallWithTwo(const void*, const void*, const void*) {
    asm("push 12(%esp)\n"
        "push 12(%esp)\n"
        "call *12(%esp)\n"
        "add $8, %esp\n"
        "ret $12\n");
}

__attribute__((naked, stdcall)) void CallWithThree(const void*, const void*, const void*,
                                                   const void*) {
    asm("push 16(%esp)\n"
        "push 16(%esp)\n"
        "push 16(%esp)\n"
        "call *16(%esp)\n"
        "add $12, %esp\n"
        "ret $16\n");
}

uint32_t Word(const void* Pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Pointer));
}

} // namespace

int CallComparison(const char* Name, const void* Function,
                   std::initializer_list<const void*> Arguments) {
    const void* const* Given = Arguments.begin();
    if (Arguments.size() == 2)
        return static_cast<int>(CallPluginBack(Name, reinterpret_cast<const void*>(CallWithTwo),
                                               {Word(Function), Word(Given[0]), Word(Given[1])}));
    return static_cast<int>(
        CallPluginBack(Name, reinterpret_cast<const void*>(CallWithThree),
                       {Word(Function), Word(Given[0]), Word(Given[1]), Word(Given[2])}));
}
