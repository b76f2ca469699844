// Which driver acts when the program waits, and the run's exit check: a script with actions left
// when the program ends is a failure.
#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "machine/exit_codes.h"
#include "machine/program.h"
#include "user32/idle.h"
#include "user32/wnd.h"
#include "script_driver.h"
#include "terminal.h"

namespace winemu::ui {
namespace {

using user32::UiError;

Driver*& TestSlot() {
  static Driver* driver = nullptr;
  return driver;
}

struct RunDriverState {
  bool loaded = false;
  std::unique_ptr<Driver> driver;
  ScriptDriver* script = nullptr;
};

RunDriverState& Run() {
  static RunDriverState state;
  return state;
}

std::string ReadScript(const std::string& name) {
  if (name == "-") return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  std::ifstream in(name, std::ios::binary);
  if (!in) throw UiError("cannot read the script " + name);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The driver the run asks for (WINEMU_SCRIPT, WINEMU_TERMINAL), made once.
Driver* RunDriver() {
  RunDriverState& r = Run();
  if (r.loaded) return r.driver.get();
  r.loaded = true;
  const char* script = std::getenv("WINEMU_SCRIPT");
  const char* terminal = std::getenv("WINEMU_TERMINAL");
  if (script && *script) {
    ScriptParseResult parsed = ParseScript(ReadScript(script));
    if (!parsed.error.empty()) throw UiError("script " + parsed.error);
    const char* screens = std::getenv("WINEMU_SCREENS");
    auto driver = ScriptDriver::ForRun(std::move(parsed.actions), screens && std::string(screens) == "1");
    r.script = driver.get();
    r.driver = std::move(driver);
  } else if (terminal && std::string(terminal) == "1") {
    const char* realTime = std::getenv("WINEMU_REAL_TIME");
    r.driver = MakeTerminalDriver(realTime && std::string(realTime) == "1");
  }
  return r.driver.get();
}

int CheckScriptUsedUp() {
  try {
    RunDriver();
  } catch (const UiError& e) {
    std::fprintf(stderr, "winemu: %s\n", e.what());
    return kExitUsage;
  }
  ScriptDriver* s = Run().script;
  if (!s || s->Remaining() == 0) return 0;
  std::fprintf(stderr, "winemu: the program ended with %zu script action%s left (%s)\n", s->Remaining(),
               s->Remaining() == 1 ? "" : "s", s->NextSource().c_str());
  return kExitRunFailed;
}

void LeaveRunDriver() {
  if (Driver* d = Run().driver.get()) d->Leave();
}

[[maybe_unused]] const bool kExitCheckAdded = (AddExitCheck(&CheckScriptUsedUp), true);
[[maybe_unused]] const bool kRunEndSet = (SetRunEnd(&LeaveRunDriver), true);
[[maybe_unused]] const bool kIdleHookSet = (user32::SetIdleHook(&Idle), true);

}  // namespace

void SetTestDriver(Driver* driver) { TestSlot() = driver; }

Driver* TestDriver() { return TestSlot(); }

bool Idle() {
  Driver* d = TestSlot();
  if (!d) d = RunDriver();
  if (!d) return false;
  d->Step();
  return true;
}

}  // namespace winemu::ui
