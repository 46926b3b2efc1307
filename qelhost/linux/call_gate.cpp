// The call gate on Linux: its frame slot in the thread's own storage, on %gs
// (which Windows code leaves alone), reached without a register although
// the program is position-independent.
#include "qelhost/gate/call_gate_assembly.hpp"
#include "qelhost/platform.hpp"

extern "C" __thread uintptr_t qelhost_plugin_frame __attribute__((tls_model("local-exec")));
__thread uintptr_t qelhost_plugin_frame = 0;

asm(CALL_GATE_ASSEMBLY("qelhost_call_plugin", "%gs:qelhost_plugin_frame@ntpoff",
                       ".type qelhost_call_plugin, @function",
                       ".size qelhost_call_plugin, .-qelhost_call_plugin"));
