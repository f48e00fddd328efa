// What a fuzz target asserts: a broken rule stops the run like a crash, so
// that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);       \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
