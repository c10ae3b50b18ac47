// A property a fuzz target asserts about what the code under test produced:
// when it fails, the target stops with the message, and the fuzzer (or the
// replay) reports the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void fuzz_check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
