#include "program.h"

#include <cstdio>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "exit_codes.h"
#include "machine.h"

namespace winemu {
namespace {
std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

// One argument as the C runtime's parser reads it back: backslashes are literal except before a
// quotation mark, where they are doubled and the mark escaped.
void AppendQuoted(std::string& line, const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
    line += argument;
    return;
  }
  line += '"';
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, '\\');
  line += '"';
}

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
    // WinMain's command line: what follows the quoted program path and its blank.
    std::string arguments = ProgramCommandLine() + m.Config().program.size() + 2;
    if (!arguments.empty()) arguments.erase(0, 1);
    std::vector<char> commandLine(arguments.begin(), arguments.end());
    commandLine.push_back('\0');
    int rc = entry(nullptr, nullptr, commandLine.data(), 10 /* SW_SHOWDEFAULT */);
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

void SetProgramArguments(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

const char* ProgramCommandLine() {
  static std::string line;
  line = "\"" + M().Config().program + "\"";
  for (const std::string& argument : Arguments()) {
    line += ' ';
    AppendQuoted(line, argument);
  }
  return line.c_str();
}

void AddExitCheck(ExitCheck check) { Checks().push_back(check); }

void SetExitReport(ExitReport report) { Report() = report; }

void SetRunEnd(RunEnd end) { End() = end; }

int RunProgram(WinMainEntry entry) {
  int code = Run(entry);
  if (ExitReport report = Report()) report(code);
  return code;
}

}  // namespace winemu
