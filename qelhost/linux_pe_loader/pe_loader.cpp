#include "qelhost/loader/plugin_module.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/loader/dll_file.hpp"
#include "qelhost/linux_pe_loader/pe_exports.hpp"
#include "qelhost/linux_pe_loader/pe_headers.hpp"
#include "qelhost/linux_pe_loader/pe_image.hpp"
#include "qelhost/linux_pe_loader/pe_imports.hpp"
#include "qelhost/linux_pe_loader/pe_thread_data.hpp"
#include "qelhost/loader/plugin_call.hpp"
#include "qelhost/linux_pe_loader/thread_block.hpp"
#include "qelhost/linux_pe_loader/win32_runtime.hpp"

namespace {

// Everything that can refuse the DLL, before any of its code runs.
std::string MapAndCheck(const std::string& Path, const std::string& FileName, Image& I, Headers& H,
                        ThreadData& T, PluginModule& Module) {
    DllFile File;
    std::string Error = ReadDllFile(Path, File);
    if (Error.empty())
        Error = ReadHeaders(File.Bytes, File.Size, H);
    if (Error.empty())
        Error = MapImage(File, H, I);
    if (Error.empty())
        Error = Relocate(I, H);
    if (Error.empty())
        Error = BindImports(I, H, FileName);
    if (Error.empty())
        Error = ListExports(I, H, Module.Exports);
    if (Error.empty())
        Error = PrepareThreadData(I, H, T);
    return Error;
}

} // namespace

std::string LoadPluginModule(const std::string& Path, PluginModule& Module) {
    Module.FileName = FileNameOf(Path);
    Image I;
    Headers H;
    ThreadData T;
    std::string Error = MapAndCheck(Path, Module.FileName, I, H, T, Module);
    if (!Error.empty())
        return Error;

    Module.Base = I.Base;
    RegisterPluginModule(Module.FileName, I.Base);
    if (!InstallThreadBlock(Error))
        return Error;
    StartThreadData(I, T);
    if (H.Optional.EntryPointRva == 0)
        return "";
    uint32_t Base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(I.Base));
    if (CallPlugin("its entry routine", I.Base + H.Optional.EntryPointRva,
                   {Base, pe::ProcessAttach, 0}) == 0)
        return "its entry routine refused to load (DLL_PROCESS_ATTACH returned FALSE)";
    return "";
}
