#include "qelhost/windows/pe_loader.hpp"
#include "qelhost/windows/crash_report.hpp"
#include "qelhost/windows/thread_block.hpp"
#include "qelhost/windows/win32_runtime.hpp"

#include <stdint.h>
#include <string.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr uint16_t MachineI386 = 0x14C;
constexpr uint16_t CharacteristicDll = 0x2000;
constexpr uint16_t CharacteristicRelocsStripped = 0x0001;
constexpr uint16_t MagicPe32 = 0x10B;
constexpr int DirectoryExport = 0;
constexpr int DirectoryImport = 1;
constexpr int DirectoryRelocation = 5;
constexpr int DirectoryTls = 9;
constexpr uint32_t DllProcessAttach = 1;

typedef int(__attribute__((stdcall)) * DllEntryRoutine)(void* Module, uint32_t Reason,
                                                        void* Reserved);

struct Section {
    std::string Name;
    uint32_t VirtualSize, VirtualAddress, RawSize, RawOffset;
};

struct Headers {
    uint16_t Characteristics;
    uint32_t EntryPoint, ImageBase, SectionAlignment, ImageSize, HeadersSize;
    uint32_t DirectoryRva[16] = {}, DirectorySize[16] = {};
    std::vector<Section> Sections;
};

uint16_t Read16(const std::vector<unsigned char>& Bytes, size_t Offset) {
    return static_cast<uint16_t>(Bytes[Offset] | Bytes[Offset + 1] << 8);
}
uint32_t Read32(const std::vector<unsigned char>& Bytes, size_t Offset) {
    return Read16(Bytes, Offset) | uint32_t{Read16(Bytes, Offset + 2)} << 16;
}

std::string Hex(uint32_t Value) {
    char Text[16];
    snprintf(Text, sizeof Text, "0x%X", Value);
    return Text;
}

// Sections lie in the file, within the image, aligned, and after the headers
// and each other in ascending order, as Windows requires.
std::string ReadSections(const std::vector<unsigned char>& File, size_t Table,
                         uint16_t SectionCount, Headers& H) {
    uint32_t FreeFrom = H.HeadersSize;
    for (uint16_t I = 0; I < SectionCount; ++I) {
        size_t At = Table + 40 * size_t{I};
        Section S{std::string(reinterpret_cast<const char*>(&File[At]),
                              strnlen(reinterpret_cast<const char*>(&File[At]), 8)),
                  Read32(File, At + 8), Read32(File, At + 12), Read32(File, At + 16),
                  Read32(File, At + 20)};
        if (S.RawSize != 0 && (S.RawOffset > File.size() || File.size() - S.RawOffset < S.RawSize))
            return "truncated: section " + S.Name + " needs bytes up to " +
                   Hex(S.RawOffset + S.RawSize) + ", the file has " + Hex(File.size());
        uint32_t Span = std::max(S.VirtualSize, S.RawSize);
        if (S.VirtualAddress > H.ImageSize || H.ImageSize - S.VirtualAddress < Span)
            return "section " + S.Name + " lies outside the image";
        if (S.VirtualAddress % H.SectionAlignment != 0)
            return "section " + S.Name + " at " + Hex(S.VirtualAddress) + " is not aligned to " +
                   Hex(H.SectionAlignment);
        if (S.VirtualAddress < FreeFrom)
            return "section " + S.Name + " at " + Hex(S.VirtualAddress) +
                   " overlaps what comes before it (up to " + Hex(FreeFrom) + ")";
        FreeFrom = S.VirtualAddress + (S.VirtualSize != 0 ? S.VirtualSize : S.RawSize);
        H.Sections.push_back(S);
    }
    return "";
}

// The tables the loader reads: their ends must neither pass the image nor wrap.
std::string CheckTables(const Headers& H) {
    const std::pair<int, const char*> Tables[] = {{DirectoryExport, "export"},
                                                  {DirectoryImport, "import"},
                                                  {DirectoryRelocation, "relocation"},
                                                  {DirectoryTls, "TLS"}};
    for (auto [Index, Name] : Tables) {
        uint32_t Rva = H.DirectoryRva[Index], Size = H.DirectorySize[Index];
        if (Size != 0 && (Rva > H.ImageSize || H.ImageSize - Rva < Size))
            return std::string("its ") + Name + " table (" + Hex(Rva) + ", " + Hex(Size) +
                   " bytes) lies outside the image";
    }
    return "";
}

// Fills Headers from the file's bytes, or says what is wrong with them.
std::string ReadHeaders(const std::vector<unsigned char>& File, Headers& H) {
    if (File.size() < 64 || File[0] != 'M' || File[1] != 'Z')
        return "not a Windows executable (no MZ header)";
    size_t Pe = Read32(File, 0x3C);
    if (Pe > File.size() || File.size() - Pe < 24)
        return "truncated: the file ends before its PE header";
    if (memcmp(&File[Pe], "PE\0\0", 4) != 0)
        return "not a PE file (no PE signature)";
    uint16_t Machine = Read16(File, Pe + 4);
    if (Machine != MachineI386)
        return "not a 32-bit x86 (i386) image: its machine type is " + Hex(Machine);
    uint16_t SectionCount = Read16(File, Pe + 6);
    uint16_t OptionalSize = Read16(File, Pe + 20);
    H.Characteristics = Read16(File, Pe + 22);
    if ((H.Characteristics & CharacteristicDll) == 0)
        return "not a DLL (a program image)";
    size_t Optional = Pe + 24;
    if (OptionalSize < 96 || File.size() < Optional + OptionalSize)
        return "truncated: the file ends inside its optional header";
    if (Read16(File, Optional) != MagicPe32)
        return "not a PE32 image (a 64-bit or unknown optional header)";
    H.EntryPoint = Read32(File, Optional + 16);
    H.ImageBase = Read32(File, Optional + 28);
    H.SectionAlignment = Read32(File, Optional + 32);
    H.ImageSize = Read32(File, Optional + 56);
    H.HeadersSize = Read32(File, Optional + 60);
    uint32_t DirectoryCount = Read32(File, Optional + 92);
    for (uint32_t I = 0; I < 16 && I < DirectoryCount && 96 + 8 * I + 8 <= OptionalSize; ++I) {
        H.DirectoryRva[I] = Read32(File, Optional + 96 + 8 * I);
        H.DirectorySize[I] = Read32(File, Optional + 100 + 8 * I);
    }
    size_t Table = Optional + OptionalSize;
    if (File.size() < Table + 40 * size_t{SectionCount})
        return "truncated: the file ends inside its section table";
    if (H.ImageSize == 0 || H.ImageSize > 256u << 20 || H.HeadersSize > H.ImageSize)
        return "its image size " + Hex(H.ImageSize) + " is not plausible";
    if (H.SectionAlignment == 0 || (H.SectionAlignment & (H.SectionAlignment - 1)) != 0)
        return "its section alignment " + Hex(H.SectionAlignment) + " is not a power of two";
    std::string Error = ReadSections(File, Table, SectionCount, H);
    return Error.empty() ? CheckTables(H) : Error;
}

struct Image {
    unsigned char* Base;
    uint32_t Size;

    // The address of Length bytes at Rva, or null when they leave the image.
    unsigned char* At(uint32_t Rva, uint32_t Length = 1) const {
        return Rva <= Size && Size - Rva >= Length ? Base + Rva : nullptr;
    }
    // A zero-terminated text at Rva that ends inside the image, or null.
    const char* Text(uint32_t Rva) const {
        unsigned char* Start = At(Rva);
        if (Start == nullptr || memchr(Start, 0, Size - Rva) == nullptr)
            return nullptr;
        return reinterpret_cast<const char*>(Start);
    }
    uint32_t Word(unsigned char* Address) const {
        uint32_t Value;
        memcpy(&Value, Address, 4);
        return Value;
    }
};

std::string Relocate(const Image& I, const Headers& H) {
    uint32_t Delta = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(I.Base)) - H.ImageBase;
    if (Delta == 0)
        return "";
    if (H.Characteristics & CharacteristicRelocsStripped ||
        H.DirectorySize[DirectoryRelocation] == 0)
        return "it has no relocations and cannot be loaded away from " + Hex(H.ImageBase);
    uint32_t Rva = H.DirectoryRva[DirectoryRelocation];
    uint32_t End = Rva + H.DirectorySize[DirectoryRelocation]; // no wrap: CheckTables
    while (Rva + 8 <= End) {
        unsigned char* Block = I.At(Rva, 8);
        if (Block == nullptr)
            return "its relocations lie outside the image";
        uint32_t Page = I.Word(Block), BlockSize = I.Word(Block + 4);
        if (BlockSize < 8 || I.At(Rva, BlockSize) == nullptr)
            return "a relocation block has a bad size";
        for (uint32_t Entry = 8; Entry + 2 <= BlockSize; Entry += 2) {
            uint16_t Value = static_cast<uint16_t>(Block[Entry] | Block[Entry + 1] << 8);
            int Type = Value >> 12;
            if (Type == 0) // padding
                continue;
            if (Type != 3) // IMAGE_REL_BASED_HIGHLOW is all that i386 code uses
                return "unsupported relocation type " + std::to_string(Type);
            unsigned char* Target = I.At(Page + (Value & 0xFFF), 4);
            if (Target == nullptr)
                return "a relocation points outside the image";
            uint32_t Word = I.Word(Target) + Delta;
            memcpy(Target, &Word, 4);
        }
        Rva += BlockSize;
    }
    return "";
}

std::string BindImports(const Image& I, const Headers& H, const std::string& FileName) {
    std::string Missing;
    for (uint32_t Rva = H.DirectoryRva[DirectoryImport]; H.DirectorySize[DirectoryImport] != 0;
         Rva += 20) {
        unsigned char* Descriptor = I.At(Rva, 20);
        if (Descriptor == nullptr)
            return "its import table lies outside the image";
        uint32_t Lookup = I.Word(Descriptor), NameRva = I.Word(Descriptor + 12),
                 Bound = I.Word(Descriptor + 16);
        if (NameRva == 0 && Bound == 0)
            break;
        const char* Dll = I.Text(NameRva);
        if (Dll == nullptr)
            return "an import names a DLL outside the image";
        if (Lookup == 0)
            Lookup = Bound;
        for (uint32_t Slot = 0;; Slot += 4) {
            unsigned char* Entry = I.At(Lookup + Slot, 4);
            unsigned char* Target = I.At(Bound + Slot, 4);
            if (Entry == nullptr || Target == nullptr)
                return "an import table of " + std::string(Dll) + " lies outside the image";
            uint32_t Hint = I.Word(Entry);
            if (Hint == 0)
                break;
            std::string Function = Hint & 0x80000000u ? "#" + std::to_string(Hint & 0xFFFF)
                                                      : (I.Text(Hint + 2) ? I.Text(Hint + 2) : "?");
            void* Address = Hint & 0x80000000u ? nullptr : FindRuntimeImport(Dll, Function);
            if (Address == nullptr)
                Missing += (Missing.empty() ? "" : ", ") + std::string(Dll) + "!" + Function;
            uint32_t Value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Address));
            memcpy(Target, &Value, 4);
        }
    }
    if (!Missing.empty())
        return FileName + " imports what qelhost does not provide: " + Missing;
    return "";
}

void ListExports(const Image& I, const Headers& H, std::map<std::string, void*>& Exports) {
    uint32_t Rva = H.DirectoryRva[DirectoryExport], Size = H.DirectorySize[DirectoryExport];
    unsigned char* Directory = I.At(Rva, 40);
    if (Size == 0 || Directory == nullptr)
        return;
    uint32_t FunctionCount = I.Word(Directory + 20), NameCount = I.Word(Directory + 24);
    uint32_t Functions = I.Word(Directory + 28), Names = I.Word(Directory + 32),
             Ordinals = I.Word(Directory + 36);
    for (uint32_t N = 0; N < NameCount; ++N) {
        unsigned char* NameEntry = I.At(Names + 4 * N, 4);
        unsigned char* OrdinalEntry = I.At(Ordinals + 2 * N, 2);
        if (NameEntry == nullptr || OrdinalEntry == nullptr)
            return;
        uint16_t Ordinal = static_cast<uint16_t>(OrdinalEntry[0] | OrdinalEntry[1] << 8);
        unsigned char* FunctionEntry = I.At(Functions + 4 * Ordinal, 4);
        const char* Name = I.Text(I.Word(NameEntry));
        if (Ordinal >= FunctionCount || FunctionEntry == nullptr || Name == nullptr)
            continue;
        uint32_t Target = I.Word(FunctionEntry);
        bool Forwarded = Target >= Rva && Target < Rva + Size; // "OTHER.Name", not code
        if (!Forwarded && I.At(Target) != nullptr)
            Exports[Name] = I.Base + Target;
    }
}

// Gives the module its thread-local data (slot 0 of the thread block) and
// runs its TLS callbacks, as Windows does before the entry routine.
std::string StartThreadLocalData(const Image& I, const Headers& H) {
    if (H.DirectorySize[DirectoryTls] == 0)
        return "";
    unsigned char* Directory = I.At(H.DirectoryRva[DirectoryTls], 24);
    if (Directory == nullptr)
        return "its TLS directory lies outside the image";
    uint32_t Base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(I.Base));
    uint32_t Start = I.Word(Directory) - Base, End = I.Word(Directory + 4) - Base;
    uint32_t IndexAt = I.Word(Directory + 8) - Base, Callbacks = I.Word(Directory + 12) - Base;
    uint32_t ZeroFill = I.Word(Directory + 16);
    if (End < Start || I.At(Start, End - Start) == nullptr || I.At(IndexAt, 4) == nullptr ||
        ZeroFill > (16u << 20))
        return "its TLS directory points outside the image";
    auto* Block = static_cast<unsigned char*>(calloc(1, End - Start + ZeroFill + 16));
    memcpy(Block, I.At(Start), End - Start);
    SetThreadLocalBlock(0, Block);
    uint32_t Index = 0;
    memcpy(I.At(IndexAt), &Index, 4);
    if (I.Word(Directory + 12) == 0)
        return "";
    for (uint32_t Slot = Callbacks;; Slot += 4) {
        unsigned char* Entry = I.At(Slot, 4);
        if (Entry == nullptr)
            return "its TLS callbacks lie outside the image";
        uint32_t Callback = I.Word(Entry);
        if (Callback == 0)
            return "";
        if (I.At(Callback - Base) == nullptr)
            return "a TLS callback lies outside the image";
        reinterpret_cast<DllEntryRoutine>(static_cast<uintptr_t>(Callback))(
            I.Base, DllProcessAttach, nullptr);
    }
}

std::string MapImage(const std::vector<unsigned char>& File, const Headers& H, Image& I) {
    // Prefer the DLL's own base (no relocation needed) but take any address.
    void* Mapped = mmap(reinterpret_cast<void*>(static_cast<uintptr_t>(H.ImageBase)), H.ImageSize,
                        PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Mapped == MAP_FAILED)
        return "cannot map " + std::to_string(H.ImageSize) + " bytes for its image";
    I.Base = static_cast<unsigned char*>(Mapped);
    I.Size = H.ImageSize;
    NotePluginImage(I.Base, I.Size);
    memcpy(I.Base, File.data(), std::min<size_t>({H.HeadersSize, File.size(), H.ImageSize}));
    for (const Section& S : H.Sections) {
        uint32_t Length = S.VirtualSize != 0 ? std::min(S.RawSize, S.VirtualSize) : S.RawSize;
        memcpy(I.Base + S.VirtualAddress, File.data() + S.RawOffset, Length);
    }
    return "";
}

} // namespace

std::string LoadPluginModule(const std::string& Path, PluginModule& Module) {
    std::ifstream Stream(Path, std::ios::binary);
    if (!Stream)
        return "cannot open the file";
    std::vector<unsigned char> File((std::istreambuf_iterator<char>(Stream)),
                                    std::istreambuf_iterator<char>());
    size_t Slash = Path.find_last_of('/');
    Module.FileName = Slash == std::string::npos ? Path : Path.substr(Slash + 1);

    Headers H;
    Image I{};
    std::string Error = ReadHeaders(File, H);
    if (Error.empty())
        Error = MapImage(File, H, I);
    if (Error.empty())
        Error = Relocate(I, H);
    if (Error.empty())
        Error = BindImports(I, H, Module.FileName);
    if (Error.empty() && H.EntryPoint != 0 && I.At(H.EntryPoint) == nullptr)
        Error = "its entry routine lies outside the image";
    if (!Error.empty())
        return Error;

    Module.Base = I.Base;
    RegisterPluginModule(Module.FileName, I.Base);
    if (!InstallThreadBlock(Error))
        return Error;
    Error = StartThreadLocalData(I, H);
    if (!Error.empty())
        return Error;
    if (H.EntryPoint != 0 && reinterpret_cast<DllEntryRoutine>(I.Base + H.EntryPoint)(
                                 I.Base, DllProcessAttach, nullptr) == 0)
        return "its entry routine refused to load (DLL_PROCESS_ATTACH returned FALSE)";
    ListExports(I, H, Module.Exports);
    return "";
}

void* FindExport(const PluginModule& Module, const std::string& Name) {
    auto Found = Module.Exports.find(Name);
    return Found == Module.Exports.end() ? nullptr : Found->second;
}
