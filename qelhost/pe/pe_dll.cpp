#include "qelhost/pe/pe_dll.hpp"

#include <vector>

std::string PrepareImage(const unsigned char* File, size_t Size, const Headers& H, const Image& I,
                         const std::string& FileName, const ImportResolver& Resolve,
                         DllRecords& Out) {
    LayOutImage(File, Size, H, I);
    Out.EntryPointRva = H.Optional.EntryPointRva;
    std::string Error = Relocate(I, H);
    if (Error.empty())
        Error = BindImports(I, H, FileName, Resolve);
    if (Error.empty())
        Error = ListExports(I, H, Out.Exports);
    if (Error.empty())
        Error = ReadThreadData(I, H, Out.Tls);
    return Error;
}

std::string CheckDll(const unsigned char* File, size_t Size, const std::string& FileName) {
    Headers H;
    std::string Error = ReadHeaders(File, Size, H);
    if (!Error.empty())
        return Error;
    std::vector<unsigned char> Bytes(H.Optional.ImageSize);
    Image I{Bytes.data(), H.Optional.ImageSize, H.Optional.ImageBase};
    DllRecords Records;
    return PrepareImage(
        File, Size, H, I, FileName, [](const std::string&, const std::string&) { return 1u; },
        Records);
}
