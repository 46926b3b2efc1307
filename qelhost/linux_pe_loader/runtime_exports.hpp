// The stand-ins each system DLL exports, by name, for FindRuntimeImport.
#pragma once

#include <map>
#include <string>

typedef std::map<std::string, void*> RuntimeExports;

const RuntimeExports& Kernel32Exports();
const RuntimeExports& MsvcrtExports();

template <typename Function> void* ExportAddress(Function* F) {
    return reinterpret_cast<void*>(F);
}
