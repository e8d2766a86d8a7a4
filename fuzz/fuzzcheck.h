#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run when a rule is broken; libFuzzer saves the input that broke it.
inline void fuzzCheck(bool holds, const char* rule)
{
    if (!holds) {
        std::fprintf(stderr, "Rule broken: %s\n", rule);
        std::abort();
    }
}
