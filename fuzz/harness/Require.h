// What a harness insists on beyond "no crash": a broken promise aborts, which
// the fuzzer reports as a crash and the replay test as a failure.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace quenta::fuzzing {

inline void Require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

}  // namespace quenta::fuzzing
