#include "qelhost/gate/plugin_arena.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/stop_run.hpp"

#include <stdint.h>
#include <string.h>

namespace {

struct Header {
    uint32_t Class; // the block holds 16 << Class bytes; LargeClass: Size does
    uint32_t Check; // the block's address xor CheckWord
    uint32_t Size;  // for a large block, the bytes mapped for it, header included
    uint32_t Unused;
};
static_assert(sizeof(Header) == 16);

constexpr uint32_t CheckWord = 0xB10CC0DE;
constexpr uint32_t Classes = 17;               // 16 bytes to 1 MB
constexpr uint32_t LargeClass = Classes;       // mapped on its own
constexpr size_t RegionSize = size_t{4} << 20; // carved into blocks of the classes

void* FreeLists[Classes];
unsigned char* Region = nullptr; // the region being carved
size_t RegionLeft = 0;

Header* HeaderOf(void* Block) {
    return static_cast<Header*>(Block) - 1;
}

uint32_t CheckFor(const void* Block) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Block)) ^ CheckWord;
}

void* Carve(uint32_t Class) {
    size_t Needed = sizeof(Header) + (size_t{16} << Class);
    if (Needed > RegionLeft) {
        Region = static_cast<unsigned char*>(ReserveMemory(RegionSize));
        if (Region == nullptr)
            return nullptr;
        RegionLeft = RegionSize;
    }
    unsigned char* Block = Region + sizeof(Header);
    Region += Needed;
    RegionLeft -= Needed;
    return Block;
}

void* Large(size_t Size) {
    if (Size > SIZE_MAX - sizeof(Header) - 4095)
        return nullptr;
    size_t Mapped = (Size + sizeof(Header) + 4095) & ~size_t{4095};
    auto* Start = static_cast<unsigned char*>(ReserveMemory(Mapped));
    if (Start == nullptr || Mapped > UINT32_MAX)
        return nullptr;
    void* Block = Start + sizeof(Header);
    *HeaderOf(Block) = Header{LargeClass, CheckFor(Block), static_cast<uint32_t>(Mapped), 0};
    return Block;
}

} // namespace

void* ArenaAllocate(size_t Size) {
    uint32_t Class = 0;
    while (Class < Classes && (size_t{16} << Class) < Size)
        ++Class;
    if (Class == Classes)
        return Large(Size);
    void* Block = FreeLists[Class];
    if (Block != nullptr)
        memcpy(&FreeLists[Class], Block, sizeof(void*));
    else
        Block = Carve(Class);
    if (Block != nullptr)
        *HeaderOf(Block) = Header{Class, CheckFor(Block), 0, 0};
    return Block;
}

size_t ArenaSize(void* Block) {
    const Header& H = *HeaderOf(Block);
    return H.Class == LargeClass ? H.Size - sizeof(Header) : size_t{16} << H.Class;
}

void ArenaFree(void* Block) {
    Header& H = *HeaderOf(Block);
    if (H.Class == LargeClass) {
        ReleaseMemory(&H, H.Size);
        return;
    }
    memcpy(Block, &FreeLists[H.Class], sizeof(void*));
    FreeLists[H.Class] = Block;
}

bool ArenaBlockIntact(void* Block) {
    const Header& H = *HeaderOf(Block);
    return H.Check == CheckFor(Block) && H.Class <= LargeClass && H.Unused == 0 &&
           (H.Class == LargeClass || H.Size == 0);
}

void NoRoomForRecord() {
    StopRun(ExitStopped,
            "qelhost could not go on: no memory left for a record the plugin fills in");
}
