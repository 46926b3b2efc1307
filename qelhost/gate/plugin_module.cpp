// The plugin's entry points, as either loader found them.
#include "qelhost/gate/plugin_module.hpp"

void* FindExport(const PluginModule& Module, const std::string& Name) {
    auto Found = Module.Exports.find(Name);
    return Found == Module.Exports.end() ? nullptr : Found->second;
}
