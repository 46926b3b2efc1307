// The time Windows' loader works on the plugin DLL (LoadLibrary, and the
// look-ups in what it mapped): a fault of the loader then, or a load that
// does not end, refuses the DLL (status 2) instead of ending the session.
#pragma once

#include <string>

// From here, a watchdog refuses the DLL when loading takes longer than
// LoadingLimit seconds (a loader stuck on a broken DLL, or the DLL's own
// entry routine waiting forever).
void StartLoading(const std::string& Path);
void LoadingDone();

bool LoaderAtWork();
const char* LoadingPath();

constexpr unsigned LoadingLimit = 10;
