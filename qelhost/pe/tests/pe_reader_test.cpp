// The PE reader on hand-made bytes: a small sound DLL, read as the loader
// reads it, then the same DLL with one record broken a row, each refused
// with its own words. Builds natively too.
#include "qelhost/pe/pe_dll.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Base = 0x10000000;
constexpr uint32_t FileSize = 0x600, ImageSize = 0x2000;
constexpr uint32_t SectionFile = 0x200, SectionRva = 0x1000;
constexpr uint32_t PeAt = 0x80;
constexpr uint32_t FileHeaderAt = PeAt + 4;
constexpr uint32_t OptionalAt = FileHeaderAt + sizeof(pe::FileHeader);
constexpr uint32_t DirectoriesAt = OptionalAt + sizeof(pe::OptionalHeader);
constexpr uint32_t SectionTableAt = DirectoriesAt + 16 * sizeof(pe::DataDirectory);

// Where the records lie in the one section (RVAs).
constexpr uint32_t Exports = 0x1100, ExportFunctions = 0x1140, ExportNames = 0x1150,
                   ExportOrdinals = 0x1158, ExportName = 0x1160;
constexpr uint32_t Imports = 0x1200, ImportLookup = 0x1240, ImportSlots = 0x1250,
                   ImportDll = 0x1260, ImportName = 0x1270;
constexpr uint32_t Relocations = 0x1300, RelocatedWord = 0x1010;
constexpr uint32_t Tls = 0x1340, TlsData = 0x1380, TlsIndex = 0x1390, TlsCallbacks = 0x1394;

using Bytes = std::vector<unsigned char>;

template <typename Record> void Put(Bytes& File, uint32_t At, const Record& Value) {
    memcpy(File.data() + At, &Value, sizeof Value);
}
template <typename Record> Record Get(const Bytes& File, uint32_t At) {
    Record Value;
    memcpy(&Value, File.data() + At, sizeof Value);
    return Value;
}
uint32_t InFile(uint32_t Rva) {
    return Rva - SectionRva + SectionFile;
}
void PutText(Bytes& File, uint32_t Rva, const char* Text) {
    memcpy(File.data() + InFile(Rva), Text, strlen(Text) + 1);
}

Bytes SoundDll() {
    Bytes File(FileSize, 0);
    File[0] = 'M';
    File[1] = 'Z';
    Put<uint32_t>(File, 0x3C, PeAt);
    memcpy(File.data() + PeAt, pe::PeSignature, 4);
    pe::FileHeader F{};
    F.Machine = pe::MachineI386;
    F.SectionCount = 1;
    F.OptionalHeaderSize = sizeof(pe::OptionalHeader) + 16 * sizeof(pe::DataDirectory);
    F.Characteristics = pe::DllImage;
    Put(File, FileHeaderAt, F);
    pe::OptionalHeader O{};
    O.Magic = pe::MagicPe32;
    O.EntryPointRva = SectionRva;
    O.ImageBase = Base;
    O.SectionAlignment = 0x1000;
    O.FileAlignment = 0x200;
    O.ImageSize = ImageSize;
    O.HeadersSize = 0x200;
    O.DirectoryCount = 16;
    Put(File, OptionalAt, O);
    auto Directory = [&](pe::Directory Which, uint32_t Rva, uint32_t Size) {
        Put(File, DirectoriesAt + Which * sizeof(pe::DataDirectory), pe::DataDirectory{Rva, Size});
    };
    Directory(pe::ExportTable, Exports, 0x80);
    Directory(pe::ImportTable, Imports, 2 * sizeof(pe::ImportDescriptor));
    Directory(pe::RelocationTable, Relocations, 20);
    Directory(pe::TlsTable, Tls, sizeof(pe::TlsDirectory));
    pe::SectionHeader S{};
    memcpy(S.Name, ".text", 5);
    S.VirtualSize = 0x1000;
    S.Rva = SectionRva;
    S.RawSize = 0x400;
    S.RawOffset = SectionFile;
    Put(File, SectionTableAt, S);

    File[InFile(SectionRva)] = 0xC3; // ret
    pe::ExportDirectory E{};
    E.FunctionCount = 1;
    E.NameCount = 1;
    E.FunctionTableRva = ExportFunctions;
    E.NameTableRva = ExportNames;
    E.OrdinalTableRva = ExportOrdinals;
    Put(File, InFile(Exports), E);
    Put<uint32_t>(File, InFile(ExportFunctions), SectionRva);
    Put<uint32_t>(File, InFile(ExportNames), ExportName);
    Put<uint16_t>(File, InFile(ExportOrdinals), 0);
    PutText(File, ExportName, "GetPluginInfo");

    pe::ImportDescriptor D{};
    D.LookupTableRva = ImportLookup;
    D.DllNameRva = ImportDll;
    D.AddressTableRva = ImportSlots;
    Put(File, InFile(Imports), D);
    Put<uint32_t>(File, InFile(ImportLookup), ImportName);
    Put<uint32_t>(File, InFile(ImportSlots), ImportName);
    PutText(File, ImportDll, "msvcrt.dll");
    PutText(File, ImportName + pe::HintSize, "malloc");

    // The word at RelocatedWord and the TLS directory's four addresses, then
    // padding.
    Put(File, InFile(Relocations), pe::RelocationBlock{SectionRva, 20});
    const uint16_t Targets[] = {0x010, 0x340, 0x344, 0x348, 0x34C};
    for (int I = 0; I < 5; ++I)
        Put<uint16_t>(File, InFile(Relocations) + 8 + 2 * I,
                      static_cast<uint16_t>((pe::RelocationHighLow << 12) | Targets[I]));
    Put<uint32_t>(File, InFile(RelocatedWord), Base + SectionRva);

    Put(File, InFile(Tls),
        pe::TlsDirectory{Base + TlsData, Base + TlsData + 8, Base + TlsIndex, Base + TlsCallbacks,
                         0, 0});
    return File;
}

uint32_t Provided(const std::string& Dll, const std::string& Name) {
    return Dll == "msvcrt.dll" && Name == "malloc" ? 0x12345678 : 0;
}

// Reads File as the Linux loader does, loaded at Address.
std::string Load(const Bytes& File, uint32_t Address, Bytes& Laid, DllRecords& Records) {
    Headers H;
    std::string Error = ReadHeaders(File.data(), File.size(), H);
    if (!Error.empty())
        return Error;
    Laid.assign(H.Optional.ImageSize, 0);
    Image I{Laid.data(), H.Optional.ImageSize, Address};
    return PrepareImage(File.data(), File.size(), H, I, "sound.dll", Provided, Records);
}

TEST(PeReader, ReadsASoundDll) {
    Bytes File = SoundDll(), Laid;
    DllRecords Records;
    ASSERT_EQ(Load(File, Base + 0x10000, Laid, Records), "");
    EXPECT_EQ(Records.Exports.at("GetPluginInfo"), SectionRva);
    EXPECT_EQ(Records.EntryPointRva, SectionRva);
    EXPECT_EQ(Get<uint32_t>(Laid, ImportSlots), 0x12345678u) << "the import bound";
    EXPECT_EQ(Get<uint32_t>(Laid, RelocatedWord), Base + 0x10000 + SectionRva) << "relocated";
    EXPECT_TRUE(Records.Tls.Present);
    EXPECT_EQ(Records.Tls.DataRva, TlsData);
    EXPECT_EQ(Records.Tls.DataSize, 8u);
    EXPECT_EQ(Records.Tls.IndexRva, TlsIndex);
    EXPECT_EQ(Records.Tls.CallbackCount, 0);
    EXPECT_EQ(CheckDll(File.data(), File.size(), "sound.dll"), "");
}

TEST(PeReader, AtItsOwnBaseNothingMoves) {
    Bytes File = SoundDll(), Laid;
    DllRecords Records;
    ASSERT_EQ(Load(File, Base, Laid, Records), "");
    EXPECT_EQ(Get<uint32_t>(Laid, RelocatedWord), Base + SectionRva);
}

struct Broken {
    const char* Name;
    std::function<void(Bytes&)> Break;
    const char* Refusal; // what the refusal says, in part
};

void SetOptional(Bytes& File, size_t Field, uint32_t Value) {
    Put(File, OptionalAt + Field, Value);
}

TEST(PeReader, RefusesEachBrokenRecord) {
    using O = pe::OptionalHeader;
    using S = pe::SectionHeader;
    const Broken Rows[] = {
        {"no MZ", [](Bytes& F) { F[0] = 'X'; }, "not a Windows executable (no MZ header)"},
        {"PE header past the end", [](Bytes& F) { Put<uint32_t>(F, 0x3C, 0xFFFFFFF0); },
         "truncated: the file ends before its PE header"},
        {"no PE signature", [](Bytes& F) { F[PeAt] = 'N'; }, "not a PE file (no PE signature)"},
        {"64-bit machine", [](Bytes& F) { Put<uint16_t>(F, FileHeaderAt, 0x8664); },
         "not a 32-bit x86 (i386) image: its machine type is 0x8664"},
        {"a program", [](Bytes& F) { Put<uint16_t>(F, FileHeaderAt + 18, 0x0002); },
         "not a DLL (a program image)"},
        {"short optional header", [](Bytes& F) { Put<uint16_t>(F, FileHeaderAt + 16, 8); },
         "its optional header has 8 bytes, fewer than PE32's 96"},
        {"PE32+", [](Bytes& F) { Put<uint16_t>(F, OptionalAt, 0x20B); }, "not a PE32 image"},
        {"no image size", [](Bytes& F) { SetOptional(F, offsetof(O, ImageSize), 0); },
         "its image size 0x0 is not plausible"},
        {"headers beyond the image",
         [](Bytes& F) { SetOptional(F, offsetof(O, HeadersSize), 0x7FFFFFFF); },
         "its headers (0x7FFFFFFF bytes) are larger than its image"},
        {"alignment not a power of two",
         [](Bytes& F) { SetOptional(F, offsetof(O, SectionAlignment), 0x1001); },
         "its section alignment 0x1001 is not a power of two"},
        {"entry routine outside",
         [](Bytes& F) { SetOptional(F, offsetof(O, EntryPointRva), 0xFFFFFFF0); },
         "its entry routine (0xFFFFFFF0) lies outside the image"},
        {"section table past the end", [](Bytes& F) { Put<uint16_t>(F, FileHeaderAt + 2, 0xFFFF); },
         "truncated: the file ends inside its section table"},
        {"section data past the end",
         [](Bytes& F) { Put<uint32_t>(F, SectionTableAt + offsetof(S, RawSize), 0x10000); },
         "truncated: section .text needs bytes up to 0x10200, the file has 0x600"},
        {"section outside the image",
         [](Bytes& F) { Put<uint32_t>(F, SectionTableAt + offsetof(S, VirtualSize), 0x2000); },
         "section .text (0x1000, 0x2000 bytes) lies outside the image"},
        {"section misaligned",
         [](Bytes& F) {
             Put<uint32_t>(F, SectionTableAt + offsetof(S, Rva), 0x1010);
             Put<uint32_t>(F, SectionTableAt + offsetof(S, VirtualSize), 0x400);
         },
         "section .text at 0x1010 is not aligned to 0x1000"},
        {"export table outside",
         [](Bytes& F) {
             Put(F, DirectoriesAt, pe::DataDirectory{0xFFFFFFF0, 0x20});
         },
         "its export table (0xFFFFFFF0, 0x20 bytes) lies outside the image"},
        {"TLS table too small",
         [](Bytes& F) {
             Put(F, DirectoriesAt + 9 * 8, pe::DataDirectory{Tls, 4});
         },
         "its TLS table has 4 bytes, too few for its directory"},
        {"relocation block of no size",
         [](Bytes& F) {
             Put(F, InFile(Relocations), pe::RelocationBlock{SectionRva, 0});
         },
         "the relocation block at 0x1300 has a bad size (0x0)"},
        {"relocation of another kind",
         [](Bytes& F) { Put<uint16_t>(F, InFile(Relocations) + 8, (10 << 12) | 0x010); },
         "unsupported relocation type 10"},
        {"relocation outside",
         [](Bytes& F) {
             Put(F, InFile(Relocations), pe::RelocationBlock{0x1FF0, 20});
         },
         "a relocation points outside the image (0x2000)"},
        {"import DLL name outside",
         [](Bytes& F) { Put<uint32_t>(F, InFile(Imports) + 12, 0xFFFFFFF0); },
         "the DLL name of import descriptor 0 lies outside the image (0xFFFFFFF0)"},
        {"import slots outside", [](Bytes& F) { Put<uint32_t>(F, InFile(Imports) + 16, 0x1FFE); },
         "the import address table of msvcrt.dll runs past the end of the image"},
        {"an import qelhost lacks", [](Bytes& F) { PutText(F, ImportName + pe::HintSize, "zzz"); },
         "sound.dll imports what qelhost does not provide: msvcrt.dll!zzz"},
        {"too many export names", [](Bytes& F) { Put<uint32_t>(F, InFile(Exports) + 24, 300000); },
         "its export directory lists 1 functions and 300000 names, more than the 65536"},
        {"export ordinal beyond", [](Bytes& F) { Put<uint16_t>(F, InFile(ExportOrdinals), 7); },
         "export GetPluginInfo has ordinal index 7, beyond its 1 functions"},
        {"export outside", [](Bytes& F) { Put<uint32_t>(F, InFile(ExportFunctions), 0xFFFFFFF0); },
         "export GetPluginInfo points outside the image (0xFFFFFFF0)"},
        {"TLS data ending before it starts",
         [](Bytes& F) { Put<uint32_t>(F, InFile(Tls) + 4, Base + TlsData - 8); },
         "its thread-local data ends (0x10001378) before it starts"},
        {"TLS index outside", [](Bytes& F) { Put<uint32_t>(F, InFile(Tls) + 8, Base + 0x5000); },
         "its TLS index (0x10005000) lies outside the image"},
        {"TLS callback outside",
         [](Bytes& F) { Put<uint32_t>(F, InFile(TlsCallbacks), Base + 0x5000); },
         "a TLS callback (0x10005000) lies outside the image"},
    };
    for (const Broken& Row : Rows) {
        Bytes File = SoundDll(), Laid;
        Row.Break(File);
        DllRecords Records;
        std::string Refusal = Load(File, Base, Laid, Records);
        EXPECT_NE(Refusal.find(Row.Refusal), std::string::npos)
            << Row.Name << ": refused with \"" << Refusal << "\"";
    }
}

} // namespace
