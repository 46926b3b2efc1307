// The host's standard functions: the FarStandardFunctions record that
// PluginStartupInfo.FSF points to, filled once and kept for the session.
// Every slot holds a function; one qelhost does not model stops the run by
// name: "the plugin called FSF.XLat, which qelhost does not provide".
#pragma once

#include "host/native_interface.hpp"

// The record, filled on the first call; it lives as long as qelhost.
FarStandardFunctions* StandardFunctions();
