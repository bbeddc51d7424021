#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A property every input must keep. A violation stops the fuzzer with the input that broke
// it, like a crash.
#define TW_PROPERTY(condition, what)                                                     \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "property violated at %s:%d: %s\n", __FILE__, __LINE__, \
                         std::string(what).c_str());                                     \
            std::abort();                                                                \
        }                                                                                \
    } while (0)
