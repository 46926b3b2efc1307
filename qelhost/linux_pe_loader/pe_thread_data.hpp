// The DLL's thread-local data and TLS callbacks, which Windows sets up
// before the entry routine runs.
#pragma once

#include "qelhost/linux_pe_loader/pe_image.hpp"

// The most thread-local data (initialised and zeroed together) and TLS
// callbacks qelhost gives a DLL.
constexpr uint32_t ThreadDataLimit = 16u << 20;
constexpr int TlsCallbackLimit = 64;

struct ThreadData {
    unsigned char* Block = nullptr; // from calloc, kept for the whole run
    uint32_t IndexRva = 0;
    uint32_t Callbacks[TlsCallbackLimit] = {}; // RVAs, in the image: checked
    int CallbackCount = 0;
};

// Checks the TLS directory, reads its callbacks and makes the data block;
// nothing of the plugin runs yet.
std::string PrepareThreadData(const Image& I, const Headers& H, ThreadData& T);

// Gives the thread (whose block is installed) the data as slot 0, and runs
// the callbacks.
void StartThreadData(const Image& I, const ThreadData& T);
