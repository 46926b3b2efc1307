// The startup record the plugin keeps, defined beside the host calls that
// use it (host_calls.hpp).
#include "host/host_calls.hpp"

PluginStartupInfo StartupInfoCopy;
