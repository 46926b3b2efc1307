#include "qelhost/pe/pe_exports.hpp"

namespace {

std::string CheckDirectory(const Image& I, const pe::ExportDirectory& E) {
    if (E.FunctionCount > ExportLimit || E.NameCount > ExportLimit)
        return "its export directory lists " + std::to_string(E.FunctionCount) + " functions and " +
               std::to_string(E.NameCount) + " names, more than the " +
               std::to_string(ExportLimit) + " of each qelhost reads";
    if (!I.Contains(E.FunctionTableRva, 4 * uint64_t{E.FunctionCount}))
        return "its export address table lies outside the image";
    if (!I.Contains(E.NameTableRva, 4 * uint64_t{E.NameCount}))
        return "its export name table lies outside the image";
    if (!I.Contains(E.OrdinalTableRva, 2 * uint64_t{E.NameCount}))
        return "its export ordinal table lies outside the image";
    return "";
}

} // namespace

std::string ListExports(const Image& I, const Headers& H,
                        std::map<std::string, uint32_t>& Exports) {
    const pe::DataDirectory& Table = H.Table(pe::ExportTable);
    pe::ExportDirectory E{};
    if (Table.Size == 0 || !I.Read(Table.Rva, E)) // the table holds its directory: checked
        return "";
    std::string Error = CheckDirectory(I, E);
    for (uint64_t N = 0; N < E.NameCount && Error.empty(); ++N) {
        uint32_t NameRva = 0, Target = 0;
        uint16_t Ordinal = 0;
        I.Read(E.NameTableRva + 4 * N, NameRva); // the three tables: checked
        I.Read(E.OrdinalTableRva + 2 * N, Ordinal);
        std::string Name;
        Error = I.ReadName(NameRva, Name);
        if (!Error.empty())
            return "export name " + std::to_string(N) + " " + Error;
        if (Ordinal >= E.FunctionCount)
            return "export " + ShownName(Name) + " has ordinal index " + std::to_string(Ordinal) +
                   ", beyond its " + std::to_string(E.FunctionCount) + " functions";
        I.Read(E.FunctionTableRva + 4 * uint64_t{Ordinal}, Target);
        // An address within the export table is a forwarder ("OTHER.Name"), not code.
        if (Target >= Table.Rva && Target - Table.Rva < Table.Size)
            continue;
        if (!I.Contains(Target))
            return "export " + ShownName(Name) + " points outside the image (" + Hex(Target) + ")";
        Exports.emplace(std::move(Name), Target);
    }
    return Error;
}
