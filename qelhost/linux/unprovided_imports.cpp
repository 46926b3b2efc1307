// The stand-in that only stops: an import from a Windows system DLL that
// qelhost does not model is bound, as Windows' loader would bind it, to a
// small piece of code of its own that names it and calls StopAtUnprovided,
// so that the DLL loads and the run stops only if the function is called:
// "the plugin called KERNEL32.dll!CreateProcessA, which qelhost does not
// provide" (status 3).
#include "qelhost/linux/unprovided_imports.hpp"
#include "qelhost/calling_convention.hpp"
#include "qelhost/stop_run.hpp"

#include <string.h>
#include <strings.h>
#include <sys/mman.h>

#include <iterator>
#include <vector>

namespace {

// The DLLs of Windows itself whose imports are bound so (msvcrt.dll is the
// C library every mingw-built DLL imports).
const char* const SystemDlls[] = {
    "kernel32.dll", "user32.dll",   "advapi32.dll", "gdi32.dll",  "shell32.dll",
    "shlwapi.dll",  "ole32.dll",    "oleaut32.dll", "mpr.dll",    "version.dll",
    "comctl32.dll", "comdlg32.dll", "winmm.dll",    "ws2_32.dll", "msvcrt.dll",
};

// Each stand-in: push its number; call StopAtUnprovided. 16 bytes apiece,
// in pages made executable once written.
constexpr size_t PieceSize = 16;
constexpr size_t PiecesPerBlock = 4096;
std::vector<unsigned char*> Blocks;
std::vector<std::string> Names;

[[noreturn]] PLUGIN_CDECL void StopAtUnprovided(uint32_t Number) {
    StopRun(ExitStopped, "the plugin called %s, which qelhost does not provide",
            Number < Names.size() ? Names[Number].c_str() : "a function");
}

unsigned char* NewBlock() {
    void* Block = mmap(nullptr, PieceSize * PiecesPerBlock, PROT_READ | PROT_WRITE | PROT_EXEC,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Block == MAP_FAILED)
        return nullptr;
    memset(Block, 0xCC, PieceSize * PiecesPerBlock); // int3 between the pieces
    Blocks.push_back(static_cast<unsigned char*>(Block));
    return Blocks.back();
}

} // namespace

bool IsSystemDll(const std::string& Dll) {
    std::string Named = Dll.find('.') == std::string::npos ? Dll + ".dll" : Dll;
    for (const char* System : SystemDlls)
        if (strcasecmp(Named.c_str(), System) == 0)
            return true;
    return false;
}

void* UnprovidedStandIn(const std::string& Shown) {
    size_t Number = Names.size();
    unsigned char* Block = Number % PiecesPerBlock == 0 ? NewBlock()
                           : Blocks.empty()             ? nullptr
                                                        : Blocks.back();
    if (Block == nullptr)
        return nullptr;
    unsigned char* Piece = Block + Number % PiecesPerBlock * PieceSize;
    uint32_t Value = static_cast<uint32_t>(Number);
    Piece[0] = 0x68; // push imm32
    memcpy(Piece + 1, &Value, 4);
    Piece[5] = 0xE8; // call rel32
    uintptr_t Target = reinterpret_cast<uintptr_t>(&StopAtUnprovided);
    uint32_t Relative = static_cast<uint32_t>(Target - reinterpret_cast<uintptr_t>(Piece + 10));
    memcpy(Piece + 6, &Relative, 4);
    Names.push_back(Shown);
    return Piece;
}
