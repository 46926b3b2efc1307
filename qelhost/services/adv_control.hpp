// The AdvControl service: the host's version and settings as the native
// host answers them, its windows, and key macros and key sequences told in
// the transcript. A command qelhost does not model stops the run by name:
// "the plugin called AdvControl(ACTL_WAITKEY), which qelhost does not provide".
#pragma once

#include "host/native_interface.hpp"

extern const FARAPIADVCONTROL ServeAdvControl;
