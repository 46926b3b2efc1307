// Defaults for the sanitized build of qelhost (ASAN_OPTIONS adds to them):
// the plugin's heap is never freed at exit, so leaks say nothing; a small
// quarantine keeps the 32-bit address space (and qemu-user) within bounds;
// an allocation the heap cannot make gives null, as msvcrt's does.
// The Windows stand-ins pass the plugin's pointers to the C library, whose
// checks by the sanitizer would judge the plugin's memory (overreads of its
// own blocks, say): left to the crash report, which blames the plugin.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0:quarantine_size_mb=8:allocator_may_return_null=1";
}

// By function name: the msvcrt.dll stand-ins' (MsvcrtStrlen, ...), and the
// reading of the names the plugin hands KERNEL32.dll's, and of its texts and
// buffers (gate/plugin_texts.hpp).
extern "C" const char* __asan_default_suppressions() {
    return "interceptor_via_fun:Msvcrt\n"
           "interceptor_via_fun:PluginName\n"
           "interceptor_via_fun:PluginMemory\n";
}
#endif
