#include "check.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace conformance {
namespace {

int g_passed = 0;
int g_failed = 0;
const char* g_todoReason = nullptr;

const char* BaseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  const char* back = std::strrchr(path, '\\');
  if (back > slash) slash = back;
  return slash ? slash + 1 : path;
}

bool OnWine() { return std::strcmp(Platform(), "wine") == 0; }

}  // namespace

const char* Platform() {
  if (std::strcmp(CONFORMANCE_HOST, "windows") != 0) return CONFORMANCE_HOST;
  const char* platform = std::getenv("WINETEST_PLATFORM");
  return platform && std::strcmp(platform, "wine") == 0 ? "wine" : "windows";
}

void Check(bool passed, const char* file, int line, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (g_todoReason && OnWine()) {
    if (passed) {
      ++g_failed;
      std::printf("%s:%d: marked Wine deviation not seen (%s): %s\n", BaseName(file), line, g_todoReason, text);
    } else {
      ++g_passed;
      std::printf("%s:%d: todo_wine (%s): %s\n", BaseName(file), line, g_todoReason, text);
    }
    return;
  }
  if (passed) {
    ++g_passed;
  } else {
    ++g_failed;
    std::printf("%s:%d: %s\n", BaseName(file), line, text);
  }
}

TodoWine::TodoWine(const char* reason, bool applies) : previous_(g_todoReason) {
  if (applies) g_todoReason = reason;
}
TodoWine::~TodoWine() { g_todoReason = previous_; }

bool WineAsRoot() {
  const char* root = std::getenv("CONFORMANCE_WINE_AS_ROOT");
  return OnWine() && root && std::strcmp(root, "1") == 0;
}

int Finish() {
  std::printf("conformance-%s: %d passed, %d failed\n", Platform(), g_passed, g_failed);
  std::fflush(stdout);
  return g_failed == 0 ? 0 : 1;
}

}  // namespace conformance
