// qelhost.exe carries the plugin's bytes with ReadProcessMemory on its own
// process: the system checks both sides (the source readable, the target
// writable, as the page protections say) and fails the call instead of
// faulting. WriteProcessMemory is not used for writing into the plugin,
// as it may write through a read-only page.
#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"

#include <windows.h>

void PrepareMemoryProbe() {}

bool CarryPiece(void* To, const void* From, size_t Size) {
    SIZE_T Done = 0;
    return ReadProcessMemory(GetCurrentProcess(), From, To, Size, &Done) && Done == Size;
}
