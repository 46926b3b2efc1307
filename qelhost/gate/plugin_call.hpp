// Calling the plugin's code through a gate that holds it to the calling
// convention: a plugin that returns with the stack pointer elsewhere or with
// ebx, esi, edi, ebp or the direction flag changed would otherwise make
// qelhost's own code fault later, where the fault could not be told apart
// from a bug of qelhost.
#pragma once

#include <stdint.h>

#include <initializer_list>

// Calls the plugin's __stdcall function at Function with Arguments (4 bytes
// each), noted as the entry point Name for the crash report (null: the one
// running goes on, for code the plugin's own code has qelhost call). Returns
// what it returns in eax; a breach of the convention stops the run as the
// plugin's fault.
uint32_t CallPlugin(const char* Name, const void* Function,
                    std::initializer_list<uint32_t> Arguments);

// Calls back the plugin's __stdcall function at Function from inside a
// service, as CallPlugin(nullptr, ...) does, noted as Callback (a static
// text, "the dialog procedure of DialogEx"): a fault in it is reported as
// in Callback, during the entry point that called the service.
uint32_t CallPluginBack(const char* Callback, const void* Function,
                        std::initializer_list<uint32_t> Arguments);

// The same for a cdecl function without arguments (constructors run by
// _initterm): the caller pops nothing, so the check is the same.
inline uint32_t CallPluginCdecl(const void* Function) {
    return CallPlugin(nullptr, Function, {});
}
