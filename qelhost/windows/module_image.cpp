#include "qelhost/windows/module_image.hpp"

#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

const IMAGE_NT_HEADERS32* NtHeaders(const unsigned char* Base) {
    auto* Dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(Base);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(Base + Dos->e_lfanew);
}

// The name of the export of Base nearest below Address, or null.
const char* NearestExport(const unsigned char* Base, uintptr_t Address) {
    size_t Size;
    auto* Exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(ImageDirectory(Base, 0, Size));
    if (Exports == nullptr || Size < sizeof *Exports)
        return nullptr;
    size_t Image = ImageSize(Base);
    if (Exports->AddressOfNames >= Image || Exports->AddressOfFunctions >= Image ||
        Exports->AddressOfNameOrdinals >= Image)
        return nullptr;
    auto* Names = reinterpret_cast<const DWORD*>(Base + Exports->AddressOfNames);
    auto* Ordinals = reinterpret_cast<const WORD*>(Base + Exports->AddressOfNameOrdinals);
    auto* Functions = reinterpret_cast<const DWORD*>(Base + Exports->AddressOfFunctions);
    const char* Best = nullptr;
    uintptr_t BestStart = 0;
    for (DWORD I = 0; I < Exports->NumberOfNames; ++I) {
        if (Ordinals[I] >= Exports->NumberOfFunctions || Names[I] >= Image)
            continue;
        uintptr_t Start = reinterpret_cast<uintptr_t>(Base) + Functions[Ordinals[I]];
        if (Start <= Address && Start >= BestStart) {
            Best = reinterpret_cast<const char*>(Base + Names[I]);
            BestStart = Start;
        }
    }
    return Best;
}

} // namespace

size_t ImageSize(const unsigned char* Base) {
    return NtHeaders(Base)->OptionalHeader.SizeOfImage;
}

const unsigned char* ImageDirectory(const unsigned char* Base, unsigned Index, size_t& Size) {
    const IMAGE_OPTIONAL_HEADER32& Optional = NtHeaders(Base)->OptionalHeader;
    Size = 0;
    if (Index >= Optional.NumberOfRvaAndSizes)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& Directory = Optional.DataDirectory[Index];
    size_t Image = Optional.SizeOfImage;
    if (Directory.VirtualAddress == 0 || Directory.VirtualAddress >= Image ||
        Directory.Size > Image - Directory.VirtualAddress)
        return nullptr;
    Size = Directory.Size;
    return Base + Directory.VirtualAddress;
}

bool FunctionAt(uintptr_t Address, char* Text, size_t Size) {
    HMODULE Module;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<const char*>(Address), &Module))
        return false;
    char Path[MAX_PATH];
    DWORD Length = GetModuleFileNameA(Module, Path, sizeof Path);
    if (Length == 0 || Length >= sizeof Path)
        return false;
    const char* Name = Path;
    for (const char* C = Path; *C; ++C)
        if (*C == '\\' || *C == '/')
            Name = C + 1;
    const char* Function = NearestExport(reinterpret_cast<const unsigned char*>(Module), Address);
    snprintf(Text, Size, "%s!%s", Name, Function != nullptr ? Function : "?");
    // The system's names are upper or lower case by version; the plugin's
    // imports name msvcrt.dll so.
    for (char* C = Text; *C && *C != '!'; ++C)
        *C = static_cast<char>(tolower(static_cast<unsigned char>(*C)));
    return true;
}
