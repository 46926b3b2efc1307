// The native host's whole ANSI interface (FAR Manager 1.75 build 2634 on
// 32-bit Windows, 2-byte packing): every record, service, standard
// function, entry point, constant and key code a plugin of that interface
// may use, for a host that runs any such plugin. qelfar itself includes
// host_interface.hpp alone; this adds everything else, declaring nothing of
// it again. Windows layout only: never built for far2l.
#pragma once

#include "host/native_dialogs.hpp"
#include "host/native_editor.hpp"
#include "host/native_entry_points.hpp"
#include "host/native_keys.hpp"
#include "host/native_panels.hpp"
#include "host/native_services.hpp"
#include "host/native_settings.hpp"
#include "host/native_standard_functions.hpp"
#include "host/native_viewer.hpp"
