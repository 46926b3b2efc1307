// What the benchmarks measure: each case pairs one call sequence of the
// plugin with a baseline, the least work that any code doing the same job
// would have to do. Figures are reported as plugin time / baseline time.
#pragma once

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
