#include "qelhost/linux/thread_block.hpp"

#include <asm/ldt.h>
#include <errno.h>
#include <stdint.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The fields Windows code reads, at their offsets in the block.
constexpr int ExceptionListOffset = 0x00; // -1: no handler installed
constexpr int StackBaseOffset = 0x04;
constexpr int StackLimitOffset = 0x08;
constexpr int SelfOffset = 0x18;
constexpr int ThreadLocalArrayOffset = 0x2C;
constexpr int ProcessBlockOffset = 0x30;

constexpr unsigned ThreadLocalSlots = 64;

alignas(4096) unsigned char ThreadBlock[4096];
alignas(16) unsigned char ProcessBlock[1024];
void* ThreadLocalArray[ThreadLocalSlots];

void Store(int Offset, uintptr_t Value) {
    memcpy(ThreadBlock + Offset, &Value, sizeof Value);
}

} // namespace

bool InstallThreadBlock(std::string& Error) {
    unsigned char StackMark;
    uintptr_t Stack = reinterpret_cast<uintptr_t>(&StackMark);
    Store(ExceptionListOffset, ~uintptr_t{0});
    Store(StackBaseOffset, Stack + 0x1000);
    Store(StackLimitOffset, Stack - 0x100000);
    Store(SelfOffset, reinterpret_cast<uintptr_t>(ThreadBlock));
    Store(ThreadLocalArrayOffset, reinterpret_cast<uintptr_t>(ThreadLocalArray));
    Store(ProcessBlockOffset, reinterpret_cast<uintptr_t>(ProcessBlock));

    user_desc Segment{};
    Segment.entry_number = ~0u; // any free entry
    Segment.base_addr = static_cast<unsigned>(reinterpret_cast<uintptr_t>(ThreadBlock));
    Segment.limit = sizeof ThreadBlock - 1;
    Segment.seg_32bit = 1;
    Segment.useable = 1;
    if (syscall(SYS_set_thread_area, &Segment) != 0) {
        Error = std::string("set_thread_area: ") + strerror(errno);
        return false;
    }
    // 32-bit Linux keeps its own thread data on %gs, so %fs is free.
    unsigned short Selector = static_cast<unsigned short>(Segment.entry_number * 8 + 3);
    asm volatile("movw %0, %%fs" : : "r"(Selector));
    return true;
}

void SetThreadLocalBlock(unsigned Index, void* Block) {
    if (Index < ThreadLocalSlots)
        ThreadLocalArray[Index] = Block;
}
