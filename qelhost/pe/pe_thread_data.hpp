// The DLL's thread-local data and TLS callbacks, which Windows sets up
// before the entry routine runs: read and checked here; the loader makes
// the data block and runs the callbacks.
#pragma once

#include "qelhost/pe/pe_image.hpp"

// The most thread-local data (initialised and zeroed together) and TLS
// callbacks qelhost gives a DLL.
constexpr uint32_t ThreadDataLimit = 16u << 20;
constexpr int TlsCallbackLimit = 64;

struct ThreadData {
    bool Present = false;
    uint32_t DataRva = 0, DataSize = 0;        // the initial data, in the image: checked
    uint32_t ZeroFillSize = 0;                 // with DataSize, at most ThreadDataLimit
    uint32_t IndexRva = 0;                     // in the image: checked
    uint32_t Callbacks[TlsCallbackLimit] = {}; // RVAs, in the image: checked
    int CallbackCount = 0;
};

// Checks the TLS directory and reads its callbacks.
std::string ReadThreadData(const Image& I, const Headers& H, ThreadData& T);
