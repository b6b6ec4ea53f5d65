// Property checks for fuzz targets: a failed check is reported and aborts, which libFuzzer records as a
// crash.
#pragma once

#include <cstdio>
#include <cstdlib>

#define RW_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
