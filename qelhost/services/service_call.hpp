// What every service does around its work: nothing thrown may unwind into
// the plugin's frames, so an exception stops the run naming the service.
#pragma once

#include "qelhost/stop_run.hpp"

#include <exception>

template <typename Work> auto Serve(const char* Service, Work Body) {
    try {
        return Body();
    } catch (const std::exception& Error) {
        StopRun(ExitStopped, "%s: qelhost could not serve the call: %s", Service, Error.what());
    }
}
