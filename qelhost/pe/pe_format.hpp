// The records of a 32-bit Windows image (PE32, i386) that the loader reads,
// laid out as they lie in the file and in the mapped image, little-endian.
// The loader copies each record out before looking at it, so none needs to
// be aligned where it lies.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace pe {

// The MS-DOS header at the start of the file; only its signature and the
// offset of the PE header matter.
struct DosHeader {
    uint8_t Signature[2]; // "MZ"
    uint8_t Unused[58];
    uint32_t PeHeaderOffset;
};
static_assert(sizeof(DosHeader) == 64 && offsetof(DosHeader, PeHeaderOffset) == 0x3C);

constexpr uint8_t PeSignature[4] = {'P', 'E', 0, 0};

struct FileHeader {
    uint16_t Machine;
    uint16_t SectionCount;
    uint32_t TimeStamp;
    uint32_t SymbolTableOffset;
    uint32_t SymbolCount;
    uint16_t OptionalHeaderSize;
    uint16_t Characteristics;
};
static_assert(sizeof(FileHeader) == 20 && offsetof(FileHeader, OptionalHeaderSize) == 16);

constexpr uint16_t MachineI386 = 0x14C;
constexpr uint16_t RelocationsStripped = 0x0001; // Characteristics
constexpr uint16_t DllImage = 0x2000;            // Characteristics

struct DataDirectory {
    uint32_t Rva;
    uint32_t Size;
};
static_assert(sizeof(DataDirectory) == 8);

enum Directory { ExportTable = 0, ImportTable = 1, RelocationTable = 5, TlsTable = 9 };
constexpr uint32_t DirectorySlots = 16;

// The PE32 optional header up to its data directories, which follow it
// (NumberOfRvaAndSizes of them, as far as OptionalHeaderSize allows).
struct OptionalHeader {
    uint16_t Magic;
    uint8_t LinkerVersion[2];
    uint32_t CodeSize;
    uint32_t InitializedDataSize;
    uint32_t UninitializedDataSize;
    uint32_t EntryPointRva;
    uint32_t CodeBase;
    uint32_t DataBase;
    uint32_t ImageBase;
    uint32_t SectionAlignment;
    uint32_t FileAlignment;
    uint16_t Versions[6]; // operating system, image, subsystem
    uint32_t Win32Version;
    uint32_t ImageSize;
    uint32_t HeadersSize;
    uint32_t CheckSum;
    uint16_t Subsystem;
    uint16_t DllCharacteristics;
    uint32_t StackReserve, StackCommit, HeapReserve, HeapCommit;
    uint32_t LoaderFlags;
    uint32_t DirectoryCount;
};
static_assert(sizeof(OptionalHeader) == 96);
static_assert(offsetof(OptionalHeader, EntryPointRva) == 16 &&
              offsetof(OptionalHeader, ImageBase) == 28 &&
              offsetof(OptionalHeader, SectionAlignment) == 32 &&
              offsetof(OptionalHeader, ImageSize) == 56 &&
              offsetof(OptionalHeader, HeadersSize) == 60 &&
              offsetof(OptionalHeader, DirectoryCount) == 92);

constexpr uint16_t MagicPe32 = 0x10B;

struct SectionHeader {
    char Name[8]; // not terminated when all 8 are used
    uint32_t VirtualSize;
    uint32_t Rva;
    uint32_t RawSize;
    uint32_t RawOffset;
    uint32_t RelocationsOffset;
    uint32_t LineNumbersOffset;
    uint16_t RelocationCount;
    uint16_t LineNumberCount;
    uint32_t Characteristics;
};
static_assert(sizeof(SectionHeader) == 40 && offsetof(SectionHeader, Rva) == 12 &&
              offsetof(SectionHeader, RawOffset) == 20);

// One per DLL imported from; a record of zeros ends the list.
struct ImportDescriptor {
    uint32_t LookupTableRva; // names or ordinals, 4 bytes each, ending with 0
    uint32_t TimeStamp;
    uint32_t ForwarderChain;
    uint32_t DllNameRva;
    uint32_t AddressTableRva; // the slots the loader fills, one per lookup entry
};
static_assert(sizeof(ImportDescriptor) == 20 && offsetof(ImportDescriptor, DllNameRva) == 12);

constexpr uint32_t ImportByOrdinal = 0x80000000; // in a lookup entry; else a hint/name RVA
constexpr uint32_t HintSize = 2;                 // before the name a hint/name RVA points at

struct ExportDirectory {
    uint32_t Characteristics;
    uint32_t TimeStamp;
    uint16_t MajorVersion, MinorVersion;
    uint32_t NameRva;
    uint32_t OrdinalBase;
    uint32_t FunctionCount;
    uint32_t NameCount;
    uint32_t FunctionTableRva; // 4-byte RVAs
    uint32_t NameTableRva;     // 4-byte RVAs of names
    uint32_t OrdinalTableRva;  // 2-byte indexes into the function table
};
static_assert(sizeof(ExportDirectory) == 40 && offsetof(ExportDirectory, FunctionCount) == 20 &&
              offsetof(ExportDirectory, OrdinalTableRva) == 36);

// Addresses here are virtual addresses (relocated), not RVAs.
struct TlsDirectory {
    uint32_t DataStart;
    uint32_t DataEnd;
    uint32_t IndexAddress;
    uint32_t CallbacksAddress; // null-terminated array of callback addresses, or 0
    uint32_t ZeroFillSize;
    uint32_t Characteristics;
};
static_assert(sizeof(TlsDirectory) == 24 && offsetof(TlsDirectory, ZeroFillSize) == 16);

// A block of base relocations for one 4 KB page, followed by 2-byte entries:
// the type in the top 4 bits, the offset within the page in the low 12.
struct RelocationBlock {
    uint32_t PageRva;
    uint32_t BlockSize; // including this header
};
static_assert(sizeof(RelocationBlock) == 8);

constexpr int RelocationPadding = 0;
constexpr int RelocationHighLow = 3; // the only kind i386 code needs

constexpr uint32_t ProcessAttach = 1; // DLL_PROCESS_ATTACH, for the entry routine

} // namespace pe
