// The call gate on Windows: its frame slot a plain global at a fixed address
// (qelhost.exe is not relocated, and calls the plugin from one thread).
#include "qelhost/gate/call_gate_assembly.hpp"
#include "qelhost/platform.hpp"

extern "C" uintptr_t qelhost_plugin_frame;
uintptr_t qelhost_plugin_frame = 0;

asm(CALL_GATE_ASSEMBLY("_qelhost_call_plugin", "_qelhost_plugin_frame",
                       ".def _qelhost_call_plugin; .scl 2; .type 32; .endef", ""));
