#include "program.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "exit_codes.h"
#include "machine.h"

namespace winemu {
namespace {
std::vector<ExitCheck>& Checks() {
  static std::vector<ExitCheck> checks;
  return checks;
}

ExitReport& Report() {
  static ExitReport report = nullptr;
  return report;
}

RunEnd& End() {
  static RunEnd end = nullptr;
  return end;
}

void EndRun() {
  if (RunEnd end = End()) end();
}

int Run(WinMainEntry entry) {
  try {
    Machine& m = M();
    m.StartTraceLog();
    m.Trace("process.start", m.Config().program);
    char commandLine[1] = {0};
    int rc = entry(nullptr, nullptr, commandLine, 10 /* SW_SHOWDEFAULT */);
    m.Trace("process.exit", std::to_string(rc));
    m.ProgramExited();
    m.FlushTraceLog();
    EndRun();
    std::fflush(stdout);
    for (ExitCheck check : Checks())
      if (int failed = check()) return failed;
    return rc;
  } catch (const std::exception& e) {
    M().FlushTraceLog();
    EndRun();
    std::fflush(stdout);
    std::fprintf(stderr, "winemu: %s\n", e.what());
    return dynamic_cast<const RunError*>(&e) ? kExitRunFailed : kExitMachine;
  }
}

}  // namespace

void AddExitCheck(ExitCheck check) { Checks().push_back(check); }

void SetExitReport(ExitReport report) { Report() = report; }

void SetRunEnd(RunEnd end) { End() = end; }

int RunProgram(WinMainEntry entry) {
  int code = Run(entry);
  if (ExitReport report = Report()) report(code);
  return code;
}

}  // namespace winemu
