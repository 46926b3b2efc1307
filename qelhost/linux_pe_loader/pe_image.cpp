#include "qelhost/linux_pe_loader/pe_image.hpp"
#include "qelhost/loader/fault_blame.hpp"
#include "qelhost/loader/dll_file.hpp"

#include <sys/mman.h>

#include <algorithm>

std::string Image::ReadName(uint64_t Rva, std::string& Name) const {
    if (!Contains(Rva))
        return "lies outside the image (" + Hex(Rva) + ")";
    size_t Room = std::min<size_t>(Size - Rva, NameLimit + 1);
    const void* End = memchr(Base + Rva, 0, Room);
    if (End == nullptr && Room <= NameLimit)
        return "runs past the end of the image";
    if (End == nullptr)
        return "is longer than " + std::to_string(NameLimit) + " bytes";
    Name.assign(reinterpret_cast<const char*>(Base + Rva),
                static_cast<const unsigned char*>(End) - (Base + Rva));
    return "";
}

std::string MapImage(const DllFile& File, const Headers& H, Image& I) {
    // Prefer the DLL's own base (no relocation needed) but take any address;
    // without MAP_FIXED nothing mapped already is replaced.
    uint32_t Size = H.Optional.ImageSize;
    void* Mapped = mmap(reinterpret_cast<void*>(static_cast<uintptr_t>(H.Optional.ImageBase)), Size,
                        PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Mapped == MAP_FAILED)
        return "cannot map " + std::to_string(Size) + " bytes for its image";
    I.Base = static_cast<unsigned char*>(Mapped);
    I.Size = Size;
    NotePluginImage(I.Base, I.Size);
    memcpy(I.Base, File.Bytes, std::min<size_t>({H.Optional.HeadersSize, File.Size, Size}));
    for (const pe::SectionHeader& S : H.Sections) {
        // ReadHeaders checked the file's range of a section with data, and that
        // the image's holds the longer of the two sizes.
        uint32_t Length = S.VirtualSize != 0 ? std::min(S.RawSize, S.VirtualSize) : S.RawSize;
        if (Length != 0)
            memcpy(I.Base + S.Rva, File.Bytes + S.RawOffset, Length);
    }
    return "";
}

namespace {

std::string RelocateBlock(const Image& I, uint64_t At, const pe::RelocationBlock& Block,
                          uint32_t Delta) {
    for (uint64_t Entry = At + sizeof Block; Entry + 2 <= At + Block.BlockSize; Entry += 2) {
        uint16_t Value;
        I.Read(Entry, Value); // within the relocation table: checked
        int Type = Value >> 12;
        if (Type == pe::RelocationPadding)
            continue;
        if (Type != pe::RelocationHighLow)
            return "unsupported relocation type " + std::to_string(Type);
        uint64_t Target = uint64_t{Block.PageRva} + (Value & 0xFFF);
        uint32_t Word;
        if (!I.Read(Target, Word))
            return "a relocation points outside the image (" + Hex(Target) + ")";
        Word += Delta;
        memcpy(I.Base + Target, &Word, sizeof Word);
    }
    return "";
}

} // namespace

std::string Relocate(const Image& I, const Headers& H) {
    uint32_t Delta =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(I.Base)) - H.Optional.ImageBase;
    if (Delta == 0)
        return "";
    const pe::DataDirectory& Table = H.Table(pe::RelocationTable);
    if ((H.File.Characteristics & pe::RelocationsStripped) != 0 || Table.Size == 0)
        return "it has no relocations and cannot be loaded away from " + Hex(H.Optional.ImageBase);
    uint64_t At = Table.Rva, End = uint64_t{Table.Rva} + Table.Size; // in the image: checked
    pe::RelocationBlock Block;
    while (At + sizeof Block <= End) {
        I.Read(At, Block);
        if (Block.BlockSize < sizeof Block || Block.BlockSize > End - At)
            return "the relocation block at " + Hex(At) + " has a bad size (" +
                   Hex(Block.BlockSize) + ")";
        std::string Error = RelocateBlock(I, At, Block, Delta);
        if (!Error.empty())
            return Error;
        At += Block.BlockSize;
    }
    return "";
}
