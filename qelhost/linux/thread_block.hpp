// The Windows thread information block, on %fs of the calling thread, for
// code that reads it (mingw's DLL start-up does, at %fs:0x18).
#pragma once

#include <string>

// Returns false, with the reason, when the kernel refuses the segment.
bool InstallThreadBlock(std::string& Error);

// Points the block's thread-local storage array slot Index at Block.
void SetThreadLocalBlock(unsigned Index, void* Block);
