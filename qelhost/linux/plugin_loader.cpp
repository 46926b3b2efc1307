// The Linux qelhost's own loader: the DLL read and checked by the PE reader
// (pe/) into memory mapped here, its imports bound to the stand-ins
// (gate/stand_ins.hpp), a Windows thread block on %fs, its thread-local
// data and TLS callbacks, then its entry routine; none of its code runs
// before every check has passed.
#include "qelhost/gate/dll_file.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_call.hpp"
#include "qelhost/gate/plugin_module.hpp"
#include "qelhost/gate/stand_ins.hpp"
#include "qelhost/linux/thread_block.hpp"
#include "qelhost/linux/unprovided_imports.hpp"
#include "qelhost/pe/pe_dll.hpp"
#include "qelhost/pe/pe_reading.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/regular_file.hpp"

#include <stdlib.h>
#include <sys/mman.h>

namespace {

uint32_t AddressOf(const void* Pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Pointer));
}

std::vector<std::string> StoppingImports;

// A stand-in, or for a function of Windows' own DLLs that qelhost does not
// model, one that stops the run when called, as Windows would bind it.
uint32_t BoundStandIn(const std::string& Dll, const std::string& Name) {
    if (void* StandIn = FindStandIn(Dll, Name))
        return AddressOf(StandIn);
    if (!IsSystemDll(Dll))
        return 0;
    std::string Shown = ShownName(Dll) + "!" + ShownName(Name);
    void* Stopping = UnprovidedStandIn(Shown);
    if (Stopping != nullptr)
        StoppingImports.push_back(Shown);
    return AddressOf(Stopping);
}

// Prefers the DLL's own base (no relocation needed) but takes any address;
// without MAP_FIXED nothing mapped already is replaced.
std::string MapImage(const Headers& H, Image& I) {
    uint32_t Size = H.Optional.ImageSize;
    void* Mapped = mmap(reinterpret_cast<void*>(static_cast<uintptr_t>(H.Optional.ImageBase)), Size,
                        PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Mapped == MAP_FAILED)
        return "cannot map " + std::to_string(Size) + " bytes for its image";
    I = Image{static_cast<unsigned char*>(Mapped), Size, AddressOf(Mapped)};
    NotePluginImage(I.Base, I.Size);
    return "";
}

// Everything that can refuse the DLL, before any of its code runs.
std::string MapAndCheck(const std::string& Path, const std::string& FileName, Image& I,
                        DllRecords& Records) {
    DllFile File;
    Headers H;
    std::string Error = ReadDllFile(Path, File);
    if (Error.empty())
        Error = ReadHeaders(File.Bytes, File.Size, H);
    if (Error.empty())
        Error = MapImage(H, I);
    if (Error.empty())
        Error = PrepareImage(File.Bytes, File.Size, H, I, FileName, BoundStandIn, Records);
    return Error;
}

// The thread-local data as slot 0 of the thread's block, and the callbacks.
std::string StartThreadData(const Image& I, const ThreadData& T) {
    if (!T.Present)
        return "";
    uint64_t Total = uint64_t{T.DataSize} + T.ZeroFillSize; // at most ThreadDataLimit: checked
    auto* Block = static_cast<unsigned char*>(calloc(1, Total + 16)); // kept for the whole run
    if (Block == nullptr)
        return "cannot allocate " + std::to_string(Total) + " bytes for its thread-local data";
    memcpy(Block, I.Base + T.DataRva, T.DataSize);
    SetThreadLocalBlock(0, Block);
    uint32_t Index = 0;
    memcpy(I.Base + T.IndexRva, &Index, sizeof Index);
    for (int C = 0; C < T.CallbackCount; ++C)
        CallPlugin("a TLS callback", I.Base + T.Callbacks[C], {I.Address, pe::ProcessAttach, 0});
    return "";
}

} // namespace

std::string LoadPluginModule(const std::string& Path, PluginModule& Module) {
    Module.FileName = FileNameOf(Path);
    Image I;
    DllRecords Records;
    std::string Error = MapAndCheck(Path, Module.FileName, I, Records);
    if (!Error.empty())
        return Error;
    Module.Base = I.Base;
    Module.StoppingImports = StoppingImports;
    for (const auto& [Name, Rva] : Records.Exports)
        Module.Exports.emplace(Name, I.Base + Rva);

    RegisterPluginModule(Module.FileName, I.Base);
    if (!InstallThreadBlock(Error))
        return Error;
    Error = StartThreadData(I, Records.Tls);
    if (!Error.empty())
        return Error;
    if (Records.EntryPointRva == 0)
        return "";
    if (CallPlugin("its entry routine", I.Base + Records.EntryPointRva,
                   {I.Address, pe::ProcessAttach, 0}) == 0)
        return "its entry routine refused to load (DLL_PROCESS_ATTACH returned FALSE)";
    return "";
}
