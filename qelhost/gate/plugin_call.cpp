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

} // namespace

uint32_t CallPlugin(const char* Name, const void* Function,
                    std::initializer_list<uint32_t> Arguments) {
    if (Name != nullptr)
        NoteEntryPoint(Name);
    EnterPluginCall();
    uint64_t Returned =
        qelhost_call_plugin(Function, Arguments.begin(), static_cast<uint32_t>(Arguments.size()));
    LeavePluginCall();
    uint32_t Breaches = static_cast<uint32_t>(Returned >> 32);
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
