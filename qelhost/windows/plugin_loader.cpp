// qelhost.exe loads the plugin with Windows' own loader: the file is checked
// as the Linux qelhost checks it (a regular file of at most 64 MB), then
// LoadLibrary maps, relocates and binds it and runs its entry routine, and
// GetProcAddress finds its entry points. A few of its imports are then bound
// to the stand-ins both loaders share (import_hooks.hpp).
#include "qelhost/gate/dll_file.hpp"
#include "qelhost/gate/fault_blame.hpp"
#include "qelhost/gate/plugin_module.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/windows/import_hooks.hpp"
#include "qelhost/windows/loading.hpp"
#include "qelhost/windows/module_image.hpp"

#include <windows.h>

namespace {

const char* const EntryPoints[] = {"SetStartupInfo", "GetPluginInfo",     "OpenPlugin",
                                   "OpenFilePlugin", "GetOpenPluginInfo", "GetFindData",
                                   "FreeFindData",   "ClosePlugin",       "ProcessKey"};

// Why Windows refused: its own words and the error number.
std::string WindowsRefusal(DWORD Error) {
    char Text[512] = "";
    DWORD Length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, Error, 0, Text, sizeof Text, nullptr);
    while (Length > 0 && (Text[Length - 1] == '\n' || Text[Length - 1] == '\r' ||
                          Text[Length - 1] == ' ' || Text[Length - 1] == '.'))
        Text[--Length] = '\0';
    return "Windows' loader refuses it: " + std::string(Length > 0 ? Text : "no reason given") +
           " (error " + std::to_string(Error) + ")";
}

} // namespace

std::string LoadPluginModule(const std::string& Path, PluginModule& Module) {
    Module.FileName = FileNameOf(Path);
    {
        DllFile File; // the same checks of the file as the Linux loader's
        std::string Error = ReadDllFile(Path, File);
        if (!Error.empty())
            return Error;
    }
    // No box of Windows' own for a DLL that cannot be found or loaded.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    StartLoading(Path);
    NoteEntryPoint("its entry routine");
    HMODULE Handle = LoadLibraryA(Path.c_str());
    NoteEntryPoint(nullptr);
    if (Handle == nullptr) {
        LoadingDone();
        return WindowsRefusal(GetLastError());
    }
    Module.Base = reinterpret_cast<unsigned char*>(Handle);
    NotePluginImage(Module.Base, ImageSize(Module.Base));
    HookImports(Module.Base);
    for (const char* Name : EntryPoints)
        if (FARPROC Found = GetProcAddress(Handle, Name))
            Module.Exports[Name] = reinterpret_cast<void*>(Found);
    LoadingDone();
    return "";
}
