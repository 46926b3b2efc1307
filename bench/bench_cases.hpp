// What the benchmarks measure: each case pairs one call sequence of the
// plugin with a baseline, the least work that any code doing the same job
// would have to do. The verdict on each target comes from the instruction
// counts (plugin / baseline), which the machine's load does not move; times
// are reported beside them.
#pragma once

#include <stddef.h>
#include <vector>

struct BenchCase {
    const char* Name;
    const char* BaselineDescription;
    void (*Prepare)(); // run once before the case is measured; may be null
    void (*Plugin)();
    void (*Baseline)();
    double TargetRatio; // 0 where there is no target
};

const std::vector<BenchCase>& BenchCases();

// The bytes of one listing: three host panel items.
extern const size_t ListingBytes;
