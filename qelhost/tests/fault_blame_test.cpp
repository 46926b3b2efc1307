// The blame of a fault, from hand-made fault records: whose each fault is,
// and in which words, without a plugin loaded or a signal raised.
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/stop_run.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

alignas(16) unsigned char Image[0x2000]; // the plugin's image, as noted
const uintptr_t ImageStart = reinterpret_cast<uintptr_t>(Image);
const uintptr_t Elsewhere = 0x1000; // neither the image nor a stand-in

struct Case {
    const char* Name;
    Fault F;
    const char* Entry;   // the entry point running, or null
    const char* Standin; // UsingPluginArguments for it, or null
    PluginInput Input;
    int Status;
    const char* Message;            // what the message starts with
    const char* Callback = nullptr; // what a service calls back, or null
};

Fault Record(uintptr_t Instruction, bool BadJump = false) {
    return Fault{"segmentation fault at 0x10",
                 0x10,
                 Instruction,
                 0,
                 true,
                 BadJump,
                 false,
                 false,
                 false,
                 false,
                 false,
                 true,
                 nullptr};
}

Fault InLibrary() {
    Fault F = Record(Elsewhere);
    F.InQelhostCode = false;
    return F;
}

Fault With(Fault F, bool Fault::*Flag) {
    F.*Flag = true;
    return F;
}

std::string Blamed(const Case& C, int& Status) {
    NotePluginImage(Image, sizeof Image);
    NoteEntryPoint(C.Entry);
    NoteCallback(C.Callback);
    char Message[1024];
    if (C.Standin != nullptr) {
        UsingPluginArguments Using(C.Standin, C.Input);
        Status = BlameFault(C.F, Message, sizeof Message);
    } else {
        Status = BlameFault(C.F, Message, sizeof Message);
    }
    NoteEntryPoint(nullptr);
    NoteCallback(nullptr);
    return Message;
}

TEST(FaultBlame, EachFaultIsBlamedOnWhoseItIs) {
    const Case Cases[] = {
        {"in the image", Record(ImageStart + 0x1005), "GetFindData", nullptr, PluginInput::Pointers,
         ExitStopped,
         "the plugin's code crashed in GetFindData: segmentation fault at 0x10, at offset 0x1005 "
         "of its image"},
        {"a stand-in handed a bad pointer", Record(Elsewhere), "SetStartupInfo",
         "msvcrt.dll!strlen", PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in SetStartupInfo: msvcrt.dll!strlen was handed a bad "
         "pointer (segmentation fault at 0x10)"},
        {"the heap corrupted", Record(Elsewhere), "ProcessKey", "msvcrt.dll!malloc",
         PluginInput::Heap, ExitStopped,
         "the plugin's code crashed in ProcessKey: msvcrt.dll!malloc found the heap corrupted"},
        {"gs changed", With(Record(Elsewhere), &Fault::GsChanged), "OpenPlugin", nullptr,
         PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in OpenPlugin: it changed the segment register gs"},
        {"the trap flag", With(Record(Elsewhere), &Fault::FlagsSet), "OpenPlugin", nullptr,
         PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in OpenPlugin: it left the trap or alignment-check flag set"},
        {"off the stack", With(Record(Elsewhere), &Fault::OffStack), "OpenPlugin", nullptr,
         PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in OpenPlugin: it moved the stack pointer off the stack"},
        {"into qelhost's frames", With(Record(Elsewhere), &Fault::StackInQelhost), "OpenPlugin",
         nullptr, PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in OpenPlugin: it moved the stack pointer into qelhost's own "
         "stack frames"},
        {"over qelhost's frames", With(Record(Elsewhere), &Fault::FrameOverwritten), "ProcessKey",
         nullptr, PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in ProcessKey: it wrote over qelhost's own stack frames"},
        {"a jump to no code", Record(0x10, true), "OpenPlugin", nullptr, PluginInput::Pointers,
         ExitStopped,
         "the plugin's code crashed in OpenPlugin: it jumped to 0x10, where there is no code"},
        {"in the C library", InLibrary(), "ProcessKey", nullptr, PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in ProcessKey: the C library faulted on data of qelhost's"},
        // In what a service calls back: named, with the entry point that
        // called the service.
        {"in a dialog procedure", Record(ImageStart + 0x1005), "OpenPlugin", nullptr,
         PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in the dialog procedure of DialogEx, during OpenPlugin: "
         "segmentation fault at 0x10, at offset 0x1005 of its image",
         "the dialog procedure of DialogEx"},
        {"a stand-in in a comparison", Record(Elsewhere), "ProcessKey", "msvcrt.dll!strlen",
         PluginInput::Pointers, ExitStopped,
         "the plugin's code crashed in the comparison of FSF.qsort, during ProcessKey: "
         "msvcrt.dll!strlen was handed a bad pointer",
         "the comparison of FSF.qsort"},
        // qelhost's own: in its code, with nothing of the plugin's in play.
        {"qelhost's own, during a call", Record(Elsewhere), "OpenPlugin", nullptr,
         PluginInput::Pointers, ExitQelhostFault,
         "qelhost's own code crashed, a bug in qelhost: segmentation fault at 0x10, instruction "
         "0x1000, while the plugin ran OpenPlugin"},
        {"qelhost's own, between calls", With(Record(Elsewhere), &Fault::OffStack), nullptr,
         nullptr, PluginInput::Pointers, ExitQelhostFault,
         "qelhost's own code crashed, a bug in qelhost: segmentation fault at 0x10, instruction "
         "0x1000"},
        {"a jump between calls", Record(0x10, true), nullptr, nullptr, PluginInput::Pointers,
         ExitQelhostFault, "qelhost's own code crashed, a bug in qelhost"},
    };
    for (const Case& C : Cases) {
        int Status = 0;
        std::string Message = Blamed(C, Status);
        EXPECT_EQ(Status, C.Status) << C.Name << ": " << Message;
        EXPECT_EQ(Message.substr(0, strlen(C.Message)), C.Message) << C.Name;
    }
}

} // namespace
