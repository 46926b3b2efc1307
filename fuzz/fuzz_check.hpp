// A broken expectation inside a fuzz target: libFuzzer keeps the input that
// caused it.
#pragma once

#include <stdio.h>
#include <stdlib.h>

inline void Check(bool Holds, const char* What) {
    if (!Holds) {
        fprintf(stderr, "fuzz check failed: %s\n", What);
        abort();
    }
}
