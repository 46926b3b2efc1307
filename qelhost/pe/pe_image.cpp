#include "qelhost/pe/pe_image.hpp"

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

void LayOutImage(const unsigned char* File, size_t Size, const Headers& H, const Image& I) {
    memcpy(I.Base, File, std::min<size_t>({H.Optional.HeadersSize, Size, I.Size}));
    for (const pe::SectionHeader& S : H.Sections) {
        // ReadHeaders checked the file's range of a section with data, and that
        // the image's holds the longer of the two sizes.
        uint32_t Length = S.VirtualSize != 0 ? std::min(S.RawSize, S.VirtualSize) : S.RawSize;
        if (Length != 0)
            memcpy(I.Base + S.Rva, File + S.RawOffset, Length);
    }
}

namespace {

// One block's entries; each target is moved by Delta when Apply is set.
std::string RelocateBlock(const Image& I, uint64_t At, const pe::RelocationBlock& Block,
                          uint32_t Delta, bool Apply) {
    for (uint64_t Entry = At + sizeof Block; Entry + 2 <= At + Block.BlockSize; Entry += 2) {
        uint16_t Value = 0;
        I.Read(Entry, Value); // within the relocation table: checked
        int Type = Value >> 12;
        if (Type == pe::RelocationPadding)
            continue;
        if (Type != pe::RelocationHighLow)
            return "unsupported relocation type " + std::to_string(Type);
        uint64_t Target = uint64_t{Block.PageRva} + (Value & 0xFFF);
        uint32_t Word = 0;
        if (!I.Read(Target, Word))
            return "a relocation points outside the image (" + Hex(Target) + ")";
        if (Apply) {
            Word += Delta;
            memcpy(I.Base + Target, &Word, sizeof Word);
        }
    }
    return "";
}

std::string RelocateBlocks(const Image& I, const pe::DataDirectory& Table, uint32_t Delta,
                           bool Apply) {
    uint64_t At = Table.Rva, End = uint64_t{Table.Rva} + Table.Size; // in the image: checked
    pe::RelocationBlock Block{};
    while (At + sizeof Block <= End) {
        I.Read(At, Block);
        if (Block.BlockSize < sizeof Block || Block.BlockSize > End - At)
            return "the relocation block at " + Hex(At) + " has a bad size (" +
                   Hex(Block.BlockSize) + ")";
        std::string Error = RelocateBlock(I, At, Block, Delta, Apply);
        if (!Error.empty())
            return Error;
        At += Block.BlockSize;
    }
    return "";
}

} // namespace

// All checked before any is applied, so that what is refused does not
// depend on where the image was loaded.
std::string Relocate(const Image& I, const Headers& H) {
    uint32_t Delta = I.Address - H.Optional.ImageBase;
    const pe::DataDirectory& Table = H.Table(pe::RelocationTable);
    bool None = (H.File.Characteristics & pe::RelocationsStripped) != 0 || Table.Size == 0;
    if (None && Delta != 0)
        return "it has no relocations and cannot be loaded away from " + Hex(H.Optional.ImageBase);
    if (None)
        return "";
    std::string Error = RelocateBlocks(I, Table, Delta, false);
    if (Error.empty() && Delta != 0)
        Error = RelocateBlocks(I, Table, Delta, true);
    return Error;
}
