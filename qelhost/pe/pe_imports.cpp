#include "qelhost/pe/pe_imports.hpp"

#include <vector>

namespace {

struct Binding {
    uint32_t SlotRva;
    uint32_t Address;
};

// The imports qelhost lacks: the first few by name, the rest counted.
struct MissingImports {
    static constexpr uint32_t Named = 8;
    std::string List;
    uint32_t Count = 0;

    void Add(const std::string& Dll, const std::string& Function) {
        if (Count++ < Named)
            List += (List.empty() ? "" : ", ") + ShownName(Dll) + "!" + ShownName(Function);
    }
    std::string Text() const {
        return Count <= Named ? List : List + " and " + std::to_string(Count - Named) + " more";
    }
};

struct ImportReader {
    const Image& I;
    const ImportResolver& Resolve;
    std::vector<Binding> Bindings;
    MissingImports Missing;

    std::string ReadFunction(const std::string& Dll, uint32_t Entry, uint32_t SlotRva) {
        if (Bindings.size() == ImportLimit)
            return "it imports more than " + std::to_string(ImportLimit) + " functions";
        std::string Function;
        if (Entry & pe::ImportByOrdinal) {
            Function = "#" + std::to_string(Entry & 0xFFFF);
        } else {
            std::string Error = I.ReadName(uint64_t{Entry} + pe::HintSize, Function);
            if (!Error.empty())
                return "the name of import " + std::to_string(Bindings.size()) + " (from " +
                       ShownName(Dll) + ") " + Error;
        }
        uint32_t Address = Resolve(Dll, Function);
        if (Address == 0)
            Missing.Add(Dll, Function);
        Bindings.push_back({SlotRva, Address});
        return "";
    }

    std::string ReadDll(const pe::ImportDescriptor& D, const std::string& Dll) {
        // Without a lookup table the address table holds the names until bound.
        uint64_t Lookup = D.LookupTableRva != 0 ? D.LookupTableRva : D.AddressTableRva;
        for (uint64_t Slot = 0;; ++Slot) {
            uint32_t Entry = 0;
            if (!I.Read(Lookup + 4 * Slot, Entry))
                return "the import lookup table of " + ShownName(Dll) +
                       " runs past the end of the image";
            if (Entry == 0)
                return "";
            uint64_t SlotRva = D.AddressTableRva + 4 * Slot;
            if (!I.Contains(SlotRva, 4))
                return "the import address table of " + ShownName(Dll) +
                       " runs past the end of the image";
            std::string Error = ReadFunction(Dll, Entry, static_cast<uint32_t>(SlotRva));
            if (!Error.empty())
                return Error;
        }
    }

    std::string ReadAll(const pe::DataDirectory& Table) {
        for (uint64_t Index = 0;; ++Index) {
            pe::ImportDescriptor D{};
            if (!I.Read(Table.Rva + sizeof D * Index, D))
                return "its import table runs past the end of the image";
            if (D.DllNameRva == 0 && D.AddressTableRva == 0)
                return "";
            if (Index == ImportedDllLimit)
                return "it imports from more than " + std::to_string(ImportedDllLimit) + " DLLs";
            std::string Dll;
            std::string Error = I.ReadName(D.DllNameRva, Dll);
            if (!Error.empty())
                return "the DLL name of import descriptor " + std::to_string(Index) + " " + Error;
            Error = ReadDll(D, Dll);
            if (!Error.empty())
                return Error;
        }
    }
};

} // namespace

std::string BindImports(const Image& I, const Headers& H, const std::string& FileName,
                        const ImportResolver& Resolve) {
    const pe::DataDirectory& Table = H.Table(pe::ImportTable);
    if (Table.Size == 0)
        return "";
    ImportReader Reader{I, Resolve, {}, {}};
    std::string Error = Reader.ReadAll(Table);
    if (!Error.empty())
        return Error;
    if (Reader.Missing.Count != 0)
        return FileName + " imports what qelhost does not provide: " + Reader.Missing.Text();
    for (const Binding& B : Reader.Bindings) {
        memcpy(I.Base + B.SlotRva, &B.Address, sizeof B.Address);
    }
    return "";
}
