#include "qelhost/gate/plugin_call.hpp"
#include "qelhost/gate/call_gate_assembly.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/watchdog.hpp"
#include "qelhost/platform.hpp"

#include <string>

enum Breach : uint32_t {
    StackMoved = BREACH_STACK_MOVED,
    EbpChanged = BREACH_EBP,
    EbxChanged = BREACH_EBX,
    EsiChanged = BREACH_ESI,
    EdiChanged = BREACH_EDI,
    DirectionSet = BREACH_DIRECTION,
    AlignmentCheckSet = BREACH_ALIGNMENT_CHECK,
    FrameOverwritten = BREACH_FRAME,
};
// Eight breaches, one bit each, and the flag the crash report clears is the
// one the gate tests.
static_assert((StackMoved | EbpChanged | EbxChanged | EsiChanged | EdiChanged | DirectionSet |
               AlignmentCheckSet | FrameOverwritten) == 0xFF &&
              StackMoved + EbpChanged + EbxChanged + EsiChanged + EdiChanged + DirectionSet +
                      AlignmentCheckSet + FrameOverwritten ==
                  0xFF);
static_assert(ALIGNMENT_CHECK_FLAG == AlignmentCheckFlag);

namespace {

std::string Describe(uint32_t Breaches) {
    const std::pair<uint32_t, const char*> Names[] = {
        {StackMoved, "the stack pointer moved"},
        {EbpChanged, "ebp changed"},
        {EbxChanged, "ebx changed"},
        {EsiChanged, "esi changed"},
        {EdiChanged, "edi changed"},
        {DirectionSet, "the direction flag set"},
        {AlignmentCheckSet, "the alignment-check flag set"},
        {FrameOverwritten, "qelhost's stack frame above it overwritten"}};
    std::string Text;
    for (const auto& [Bit, Name] : Names)
        if (Breaches & Bit)
            Text += (Text.empty() ? "" : ", ") + std::string(Name);
    return Text;
}

// This function's saved frame pointer and return address, just above the
// gate's frame: a plugin writing through a stale pointer on its stack may
// reach them, and qelhost would then return through what it wrote, its
// entry point no longer running. Read through volatile: after the call
// they are read again from the stack, not from a register.
uint64_t FrameLink(void* volatile* Frame) {
    return uint64_t(reinterpret_cast<uintptr_t>(Frame[0])) << 32 |
           reinterpret_cast<uintptr_t>(Frame[1]);
}

} // namespace

uint32_t CallPlugin(const char* Name, const void* Function,
                    std::initializer_list<uint32_t> Arguments) {
    if (Name != nullptr)
        NoteEntryPoint(Name);
    auto* Frame = static_cast<void* volatile*>(__builtin_frame_address(0));
    uint64_t Link = FrameLink(Frame);
    EnterPluginCall();
    uint64_t Returned =
        qelhost_call_plugin(Function, Arguments.begin(), static_cast<uint32_t>(Arguments.size()));
    LeavePluginCall();
    uint32_t Breaches = static_cast<uint32_t>(Returned >> 32);
    if (FrameLink(Frame) != Link)
        Breaches |= FrameOverwritten;
    if (Breaches != 0)
        StopAsPluginFault("it returned with %s, against the calling convention",
                          Describe(Breaches).c_str());
    if (Name != nullptr)
        NoteEntryPoint(nullptr);
    return static_cast<uint32_t>(Returned);
}

uint32_t CallPluginBack(const char* Callback, const void* Function,
                        std::initializer_list<uint32_t> Arguments) {
    const char* Outer = NoteCallback(Callback);
    uint32_t Returned = CallPlugin(nullptr, Function, Arguments);
    NoteCallback(Outer);
    return Returned;
}
