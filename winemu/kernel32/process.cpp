// CreateProcessA, WaitForSingleObject, GetExitCodeProcess and WinExec over emulated processes. The
// programs winemu can start are those registered with RegisterRundll32Program (the printer setup
// utility registers itself); any other fails as a missing program does.
//
// Traced: "process.create <command line> -> ok|error N" (CreateProcessA and WinExec),
// "process.wait <id> <ms|infinite> -> ended|timeout", "process.end <id> exit <code>".
#include "process.h"

#include <windows.h>

#include "file_object.h"

namespace winemu {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool SameText(std::string_view a, std::string_view b) {
  return ::lstrcmpiA(std::string(a).c_str(), std::string(b).c_str()) == 0;
}

// The first token of `text` from `i` on: the text in quotes when it starts with one, else up to a
// blank; `i` is left after it.
std::string_view Token(std::string_view text, size_t& i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  size_t start = i;
  if (i < text.size() && text[i] == '"') {
    size_t close = text.find('"', i + 1);
    size_t end = close == std::string_view::npos ? text.size() : close;
    i = close == std::string_view::npos ? text.size() : close + 1;
    return text.substr(start + 1, end - start - 1);
  }
  while (i < text.size() && !IsBlank(text[i])) ++i;
  return text.substr(start, i - start);
}

// Whether `path` names `base` (with or without `extension`), bare or in the system directory.
bool NamesSystemFile(std::string_view path, std::string_view base, std::string_view extension,
                     std::string_view systemDir) {
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string_view::npos && !SameText(path.substr(0, slash), systemDir)) return false;
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return SameText(name, base) || SameText(name, std::string(base) + std::string(extension));
}

std::string SystemDirectory() { return M().Config().windowsDir + "\\system32"; }

struct RegisteredProgram {
  std::string dll;
  std::string entry;
  Rundll32Program start;
};

std::vector<RegisteredProgram>& Registered() {
  static std::vector<RegisteredProgram> programs;
  return programs;
}

std::optional<EmulatedProgram> ProgramFor(std::string_view commandLine, const std::string& currentDirectory) {
  auto call = ParseRundll32(commandLine, SystemDirectory());
  if (!call) return std::nullopt;
  for (const RegisteredProgram& program : Registered())
    if (NamesSystemFile(call->dll, program.dll, ".dll", SystemDirectory()) && call->entry == program.entry)
      return program.start(call->arguments, currentDirectory);
  return std::nullopt;
}

// Process and thread handles; a thread handle waits like its process (each has one thread).
class ProcessObject : public KernelObject {
 public:
  explicit ProcessObject(std::shared_ptr<EmulatedProcess> p) : process(std::move(p)) {}
  std::shared_ptr<EmulatedProcess> process;
};
class ThreadObject : public ProcessObject {
 public:
  using ProcessObject::ProcessObject;
};

}  // namespace

void RegisterRundll32Program(std::string dll, std::string entry, Rundll32Program start) {
  Registered().push_back({std::move(dll), std::move(entry), std::move(start)});
}

std::optional<Rundll32Call> ParseRundll32(std::string_view commandLine, std::string_view systemDir) {
  size_t i = 0;
  if (!NamesSystemFile(Token(commandLine, i), "rundll32", ".exe", systemDir)) return std::nullopt;
  std::string_view target = Token(commandLine, i);
  size_t comma = target.find(',');
  if (comma == std::string_view::npos || comma == 0 || comma + 1 == target.size()) return std::nullopt;
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return Rundll32Call{std::string(target.substr(0, comma)), std::string(target.substr(comma + 1)),
                      std::string(commandLine.substr(i))};
}

std::shared_ptr<EmulatedProcess> ProcessTable::Start(EmulatedProgram program) {
  auto p = std::make_shared<EmulatedProcess>();
  p->id = nextId_;
  nextId_ += 8;
  if (program.durationMs) p->endMs = machine_.Now() + *program.durationMs;
  p->work = std::move(program.end);
  processes_.push_back(p);
  if (program.begin) program.begin();
  return p;
}

void ProcessTable::Settle() {
  if (settling_) return;
  settling_ = true;
  for (;;) {
    EmulatedProcess* next = nullptr;
    for (const auto& p : processes_)
      if (!p->ended && p->endMs && *p->endMs <= machine_.Now() && (!next || *p->endMs < *next->endMs)) next = p.get();
    if (!next) break;
    std::uint32_t callerError = machine_.lastError;
    next->exitCode = next->work ? next->work() : 0;
    next->ended = true;
    machine_.lastError = callerError;
    machine_.Trace("process.end", std::to_string(next->id) + " exit " + std::to_string(next->exitCode));
  }
  settling_ = false;
}

}  // namespace winemu

using namespace winemu;

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR lpCurrentDirectory,
                           LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) {
  Processes().Settle();
  std::string commandLine = lpCommandLine ? lpCommandLine : "";
  std::string traced = TracePath(lpCommandLine || !lpApplicationName ? commandLine : lpApplicationName);
  if (!lpStartupInfo || !lpProcessInformation || (!lpApplicationName && !lpCommandLine)) {
    TraceResult("process.create", traced, ERROR_INVALID_PARAMETER);
    return SetError(ERROR_INVALID_PARAMETER), FALSE;
  }
  // With an application name, that is the program and the command line's first token is skipped.
  if (lpApplicationName) {
    size_t i = 0;
    Token(commandLine, i);
    commandLine = std::string("\"").append(lpApplicationName).append("\"") + commandLine.substr(i);
  }
  std::string directory = M().currentDirectory;
  if (lpCurrentDirectory) {
    ResolvedPath p;
    if (DWORD err = ResolvePath(lpCurrentDirectory, p); err || !p.exists || !std::filesystem::is_directory(p.host)) {
      DWORD e = err ? err : ERROR_DIRECTORY;
      TraceResult("process.create", traced, e);
      return SetError(e), FALSE;
    }
    directory = p.windows;
  }
  std::optional<EmulatedProgram> program = ProgramFor(commandLine, directory);
  if (!program) {
    TraceResult("process.create", traced, ERROR_FILE_NOT_FOUND);
    return SetError(ERROR_FILE_NOT_FOUND), FALSE;
  }
  TraceResult("process.create", traced, 0);
  std::shared_ptr<EmulatedProcess> process = Processes().Start(std::move(*program));
  lpProcessInformation->hProcess = Handles().Add(std::make_unique<ProcessObject>(process));
  lpProcessInformation->hThread = Handles().Add(std::make_unique<ThreadObject>(process));
  lpProcessInformation->dwProcessId = process->id;
  lpProcessInformation->dwThreadId = process->id + 4;
  SetError(0);
  return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  ProcessObject* object = Handles().Get<ProcessObject>(hHandle);
  if (!object) return SetError(ERROR_INVALID_HANDLE), WAIT_FAILED;
  ProcessTable& table = Processes();
  table.Settle();
  EmulatedProcess& p = *object->process;
  Machine& m = M();
  bool ended = p.ended;
  if (!ended) {
    bool reached = p.endMs && (dwMilliseconds == INFINITE || *p.endMs <= m.Now() + dwMilliseconds);
    if (!reached && dwMilliseconds == INFINITE)
      throw MachineError("WaitForSingleObject: process " + std::to_string(p.id) +
                         " never ends and the wait has no time-out");
    m.Advance(reached ? *p.endMs - m.Now() : dwMilliseconds);
    table.Settle();
    ended = p.ended;
  }
  std::string limit = dwMilliseconds == INFINITE ? "infinite" : std::to_string(dwMilliseconds);
  Trace("process.wait", std::to_string(p.id) + " " + limit + (ended ? " -> ended" : " -> timeout"));
  SetError(0);
  return ended ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  ProcessObject* object = Handles().Get<ProcessObject>(hProcess);
  if (!object || dynamic_cast<ThreadObject*>(object) || !lpExitCode) return SetError(ERROR_INVALID_HANDLE), FALSE;
  Processes().Settle();
  *lpExitCode = object->process->ended ? object->process->exitCode : STILL_ACTIVE;
  SetError(0);
  return TRUE;
}

// WinExec returns once the started program is under way; the utility does its short job by then,
// so its work is done at once (a program that never ends stays running).
UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT) {
  ProcessTable& table = Processes();
  table.Settle();
  std::string commandLine = lpCmdLine ? lpCmdLine : "";
  std::optional<EmulatedProgram> program = ProgramFor(commandLine, M().currentDirectory);
  if (!program) {
    TraceResult("process.create", TracePath(commandLine), ERROR_FILE_NOT_FOUND);
    SetError(ERROR_FILE_NOT_FOUND);
    return ERROR_FILE_NOT_FOUND;
  }
  TraceResult("process.create", TracePath(commandLine), 0);
  if (program->durationMs) program->durationMs = 0;
  table.Start(std::move(*program));
  table.Settle();
  SetError(0);
  return 33;
}
