#include "qelhost/linux_pe_loader/win32_runtime.hpp"
#include "qelhost/linux_pe_loader/runtime_exports.hpp"

#include <strings.h>

void* FindRuntimeImport(const std::string& Dll, const std::string& Name) {
    const RuntimeExports* Exports = nullptr;
    if (strcasecmp(Dll.c_str(), "kernel32.dll") == 0)
        Exports = &Kernel32Exports();
    else if (strcasecmp(Dll.c_str(), "msvcrt.dll") == 0)
        Exports = &MsvcrtExports();
    if (Exports == nullptr)
        return nullptr;
    auto Found = Exports->find(Name);
    return Found == Exports->end() ? nullptr : Found->second;
}
