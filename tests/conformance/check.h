// The suite's check harness, in the manner of Wine's tests: ok(cond, "got ..., expected ...")
// prints one line per failure; todo_wine marks checks where Wine departs from Windows, with the
// reason. The run ends with one line: "conformance-<platform>: N passed, M failed".
#pragma once

#include <windows.h>

namespace conformance {

// "winemu", "wine" (the Windows build with WINETEST_PLATFORM=wine, as Wine's tests name it) or
// "windows".
const char* Platform();

void Check(bool passed, const char* file, int line, const char* format, ...) __attribute__((format(printf, 4, 5)));

// While alive, checks are expected to fail on Wine for `reason`: such a failure is the marked
// deviation and counts as passed; a pass there means the mark is stale and counts as failed.
class TodoWine {
 public:
  explicit TodoWine(const char* reason, bool applies = true);
  ~TodoWine();
  TodoWine(const TodoWine&) = delete;
  TodoWine& operator=(const TodoWine&) = delete;
  bool Once() { return !done_ && (done_ = true); }

 private:
  const char* previous_;
  bool done_ = false;
};

// Wine runs as root here (run.sh says so with CONFORMANCE_WINE_AS_ROOT=1): Wine keeps the read-only
// attribute as the Unix write permission, which root's opens pass.
bool WineAsRoot();

// Prints the closing line; the process exit code: 0 when nothing failed.
int Finish();

}  // namespace conformance

#define ok(cond, ...) ::conformance::Check((cond), __FILE__, __LINE__, __VA_ARGS__)
#define todo_wine(reason) for (::conformance::TodoWine todo_scope_(reason); todo_scope_.Once();)
#define todo_wine_if(condition, reason) \
  for (::conformance::TodoWine todo_scope_(reason, condition); todo_scope_.Once();)

// `failed` (an expression making the call) is true and the call left `expected` as last error.
#define ok_fails(failed, expected, what)                                                                 \
  do {                                                                                                   \
    bool failed_ = (failed);                                                                             \
    unsigned error_ = static_cast<unsigned>(GetLastError());                                             \
    ok(failed_ && error_ == static_cast<unsigned>(expected), "%s: %s with last error %u, expected to fail with %u", \
       what, failed_ ? "failed" : "succeeded", error_, static_cast<unsigned>(expected));                 \
  } while (0)
