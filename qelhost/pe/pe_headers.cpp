#include "qelhost/pe/pe_headers.hpp"
#include "qelhost/pe/pe_reading.hpp"

#include <algorithm>
#include <utility>

namespace {

struct FileBytes {
    const unsigned char* Bytes;
    size_t Size;

    template <typename Record> bool Read(uint64_t Offset, Record& Out) const {
        return CopyRecord(Bytes, Size, Offset, Out);
    }
};

std::string SectionName(const pe::SectionHeader& S) {
    return ShownName(std::string(S.Name, strnlen(S.Name, sizeof S.Name)));
}

// A section lies in the file, within the image, aligned, and after the
// headers and the sections before it, as Windows requires. FreeFrom is
// where the next one may start.
std::string CheckSection(const pe::SectionHeader& S, const Headers& H, size_t FileSize,
                         uint64_t& FreeFrom) {
    std::string Name = SectionName(S);
    if (S.RawSize != 0 && !Fits(S.RawOffset, S.RawSize, FileSize))
        return "truncated: section " + Name + " needs bytes up to " +
               Hex(uint64_t{S.RawOffset} + S.RawSize) + ", the file has " + Hex(FileSize);
    uint32_t Span = std::max(S.VirtualSize, S.RawSize);
    if (!Fits(S.Rva, Span, H.Optional.ImageSize))
        return "section " + Name + " (" + Hex(S.Rva) + ", " + Hex(Span) +
               " bytes) lies outside the image";
    if (S.Rva % H.Optional.SectionAlignment != 0)
        return "section " + Name + " at " + Hex(S.Rva) + " is not aligned to " +
               Hex(H.Optional.SectionAlignment);
    if (S.Rva < FreeFrom)
        return "section " + Name + " at " + Hex(S.Rva) + " overlaps what comes before it (up to " +
               Hex(FreeFrom) + ")";
    FreeFrom = uint64_t{S.Rva} + (S.VirtualSize != 0 ? S.VirtualSize : S.RawSize);
    return "";
}

std::string ReadSections(const FileBytes& File, uint64_t Table, Headers& H) {
    uint64_t FreeFrom = H.Optional.HeadersSize;
    H.Sections.resize(H.File.SectionCount);
    for (size_t I = 0; I < H.Sections.size(); ++I) {
        File.Read(Table + sizeof(pe::SectionHeader) * I, H.Sections[I]); // in the file: checked
        std::string Error = CheckSection(H.Sections[I], H, File.Size, FreeFrom);
        if (!Error.empty())
            return Error;
    }
    return "";
}

// The tables the loader reads lie within the image, and hold at least their
// directory record.
std::string CheckTables(const Headers& H) {
    struct Table {
        pe::Directory Which;
        const char* Name;
        uint32_t LeastSize;
    };
    const Table Tables[] = {{pe::ExportTable, "export", sizeof(pe::ExportDirectory)},
                            {pe::ImportTable, "import", 0},
                            {pe::RelocationTable, "relocation", 0},
                            {pe::TlsTable, "TLS", sizeof(pe::TlsDirectory)}};
    for (const Table& T : Tables) {
        const pe::DataDirectory& D = H.Table(T.Which);
        if (D.Size != 0 && !Fits(D.Rva, D.Size, H.Optional.ImageSize))
            return std::string("its ") + T.Name + " table (" + Hex(D.Rva) + ", " + Hex(D.Size) +
                   " bytes) lies outside the image";
        if (D.Size != 0 && D.Size < T.LeastSize)
            return std::string("its ") + T.Name + " table has " + std::to_string(D.Size) +
                   " bytes, too few for its directory";
    }
    return "";
}

std::string CheckImageLayout(const pe::OptionalHeader& O) {
    if (O.ImageSize == 0 || O.ImageSize > ImageSizeLimit)
        return "its image size " + Hex(O.ImageSize) + " is not plausible (qelhost maps up to " +
               Hex(ImageSizeLimit) + ")";
    if (O.HeadersSize > O.ImageSize)
        return "its headers (" + Hex(O.HeadersSize) + " bytes) are larger than its image (" +
               Hex(O.ImageSize) + ")";
    if (O.SectionAlignment == 0 || (O.SectionAlignment & (O.SectionAlignment - 1)) != 0)
        return "its section alignment " + Hex(O.SectionAlignment) + " is not a power of two";
    if (O.EntryPointRva >= O.ImageSize)
        return "its entry routine (" + Hex(O.EntryPointRva) + ") lies outside the image";
    return "";
}

// The optional header and the data directories that follow it, as far as
// both the directory count and the header's size allow.
std::string ReadOptionalHeader(const FileBytes& File, uint64_t At, Headers& H) {
    uint16_t Size = H.File.OptionalHeaderSize;
    if (Size < sizeof(pe::OptionalHeader))
        return "its optional header has " + std::to_string(Size) + " bytes, fewer than PE32's " +
               std::to_string(sizeof(pe::OptionalHeader));
    if (!Fits(At, Size, File.Size))
        return "truncated: the file ends inside its optional header";
    File.Read(At, H.Optional);
    if (H.Optional.Magic != pe::MagicPe32)
        return "not a PE32 image (a 64-bit or unknown optional header)";
    uint32_t Room = (Size - sizeof(pe::OptionalHeader)) / sizeof(pe::DataDirectory);
    uint32_t Count = std::min({H.Optional.DirectoryCount, Room, pe::DirectorySlots});
    for (uint32_t I = 0; I < Count; ++I)
        File.Read(At + sizeof(pe::OptionalHeader) + sizeof(pe::DataDirectory) * I,
                  H.Directories[I]);
    return CheckImageLayout(H.Optional);
}

} // namespace

std::string ReadHeaders(const unsigned char* Bytes, size_t Size, Headers& H) {
    FileBytes File{Bytes, Size};
    pe::DosHeader Dos{};
    if (!File.Read(0, Dos) || Dos.Signature[0] != 'M' || Dos.Signature[1] != 'Z')
        return "not a Windows executable (no MZ header)";
    uint64_t At = Dos.PeHeaderOffset;
    if (!Fits(At, sizeof pe::PeSignature + sizeof(pe::FileHeader), Size))
        return "truncated: the file ends before its PE header";
    if (memcmp(Bytes + At, pe::PeSignature, sizeof pe::PeSignature) != 0)
        return "not a PE file (no PE signature)";
    At += sizeof pe::PeSignature;
    File.Read(At, H.File);
    if (H.File.Machine != pe::MachineI386)
        return "not a 32-bit x86 (i386) image: its machine type is " + Hex(H.File.Machine);
    if ((H.File.Characteristics & pe::DllImage) == 0)
        return "not a DLL (a program image)";
    At += sizeof(pe::FileHeader);
    std::string Error = ReadOptionalHeader(File, At, H);
    if (!Error.empty())
        return Error;
    uint64_t Table = At + H.File.OptionalHeaderSize;
    if (!Fits(Table, sizeof(pe::SectionHeader) * uint64_t{H.File.SectionCount}, Size))
        return "truncated: the file ends inside its section table";
    Error = ReadSections(File, Table, H);
    return Error.empty() ? CheckTables(H) : Error;
}
