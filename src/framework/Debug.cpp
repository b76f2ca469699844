#include "framework/Debug.h"

#include <cstdio>
#include <cstdlib>

void AfxAssertFailed(const char* file, int line, const char* expression) {
  std::fprintf(stderr, "Assertion failed: %s, %s(%d)\n", expression, file, line);
  std::fflush(stderr);
  std::abort();
}
