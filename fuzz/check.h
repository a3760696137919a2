// A failed invariant aborts, so that libFuzzer records the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond, input)                                                       \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "invariant failed: %s (input \"%s\")\n", #cond,            \
                   std::string(input).c_str());                                       \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)
