// What the fuzz targets assert: a broken property aborts with a message, so that libFuzzer and
// the corpus replay both report it (and neither depends on assert's NDEBUG).
#pragma once

#include <cstdio>
#include <cstdlib>

#define ORV_FUZZ_CHECK(condition)                                                        \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)
