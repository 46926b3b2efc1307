// How qelhost's code and the plugin's Windows code call each other.
#pragma once

// Windows code keeps the stack 4-byte aligned, while 32-bit Linux code may
// rely on 16: every function the plugin calls realigns on entry.
#define PLUGIN_CDECL __attribute__((force_align_arg_pointer))
#define PLUGIN_STDCALL __attribute__((stdcall, force_align_arg_pointer))
