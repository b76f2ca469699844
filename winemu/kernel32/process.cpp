// CreateProcessA, WaitForSingleObject, GetExitCodeProcess and WinExec over emulated processes.
//
// The program is found as Windows finds it. An application name is taken as given (relative to the
// current directory, no extension added). Otherwise the command line's first token names it: ".exe"
// is added when it has no extension, and a bare name is looked for in the program's own directory,
// the current directory, the system directory, the 16-bit system directory, the Windows directory,
// then the directories of the default PATH. The programs winemu can run are the system's
// rundll32.exe with an entry registered with RegisterRundll32Program (the printer setup utility
// registers itself); a command line
// naming no file fails with ERROR_FILE_NOT_FOUND, any other file found fails as a file that is not
// a runnable image does (ERROR_BAD_EXE_FORMAT).
//
// Traced: "process.create <command line> image=<program found> -> ok|error N" (CreateProcessA and
// WinExec; without image= when nothing was found), "process.wait <id> <ms|infinite> ->
// ended|timeout", "process.end <id> exit <code>".
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

std::string SystemRundll32() { return SystemDirectory() + "\\rundll32.exe"; }

bool IsFile(const std::string& path) {
  ResolvedPath p;
  return ResolvePath(path, p) == 0 && p.exists && !p.directory;
}

// The system's own programs winemu emulates are there whether or not a file is.
bool IsProgram(const std::string& path) { return SameText(path, SystemRundll32()) || IsFile(path); }

// The directories a bare program name is looked for in, in Windows' order.
std::vector<std::string> SearchDirectories(const std::string& currentDirectory) {
  const std::string& program = M().Config().program;
  const std::string& windows = M().Config().windowsDir;
  return {program.substr(0, program.rfind('\\')), currentDirectory, SystemDirectory(), windows + "\\system",
          windows,  // then PATH: system32, the Windows directory, Wbem
          SystemDirectory(), windows, SystemDirectory() + "\\Wbem"};
}

// The full path of the program `name` (the command line's first token) names, when there is one.
std::optional<std::string> FindProgram(std::string name, const std::string& currentDirectory) {
  size_t slash = name.find_last_of("\\/");
  if (name.empty()) return std::nullopt;
  if (name.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) name += ".exe";
  if (slash != std::string::npos || name.find(':') != std::string::npos) {
    ResolvedPath p;
    if (ResolvePath(name, p) != 0 || !IsProgram(p.windows)) return std::nullopt;
    return p.windows;
  }
  for (const std::string& dir : SearchDirectories(currentDirectory))
    if (IsProgram(dir + "\\" + name)) return dir + "\\" + name;
  return std::nullopt;
}

// What starting `image` with `commandLine` in `currentDirectory` does, or the error it fails with.
std::uint32_t ProgramFor(const std::string& image, std::string_view commandLine, const std::string& currentDirectory,
                         std::optional<EmulatedProgram>& program) {
  if (!SameText(image, SystemRundll32())) return ERROR_BAD_EXE_FORMAT;
  size_t i = 0;
  Token(commandLine, i);  // argument 0, whatever it says
  auto call = ParseRundll32("rundll32 " + std::string(commandLine.substr(i)), SystemDirectory());
  if (!call) return ERROR_FILE_NOT_FOUND;
  for (const RegisteredProgram& registered : Registered())
    if (NamesSystemFile(call->dll, registered.dll, ".dll", SystemDirectory()) && call->entry == registered.entry) {
      program = registered.start(call->arguments, currentDirectory);
      break;
    }
  return program ? 0 : ERROR_FILE_NOT_FOUND;
}

// The program to start for CreateProcessA or WinExec, traced; nullopt (and the last error set) when
// it cannot start.
std::optional<EmulatedProgram> Launch(const char* applicationName, const std::string& commandLine,
                                      const std::string& currentDirectory) {
  std::optional<std::string> image;
  if (applicationName) {
    ResolvedPath p;
    if (ResolvePath(applicationName, p) == 0 && IsProgram(p.windows)) image = p.windows;
  } else {
    size_t i = 0;
    image = FindProgram(std::string(Token(commandLine, i)), currentDirectory);
  }
  std::string traced = TracePath(applicationName && commandLine.empty() ? applicationName : commandLine);
  std::optional<EmulatedProgram> program;
  std::uint32_t err = image ? ProgramFor(*image, commandLine, currentDirectory, program) : ERROR_FILE_NOT_FOUND;
  TraceResult("process.create", traced + (image ? " image=" + TracePath(*image) : ""), err);
  SetError(err);
  return program;
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

void ProcessTable::RunToEnd() {
  std::uint64_t last = machine_.Now();
  for (const auto& p : processes_)
    if (!p->ended && p->endMs && *p->endMs > last) last = *p->endMs;
  if (last > machine_.Now()) machine_.Advance(last - machine_.Now());
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
  std::string directory = M().currentDirectory;
  if (lpCurrentDirectory) {
    ResolvedPath p;
    if (DWORD err = ResolvePath(lpCurrentDirectory, p); err || !p.exists || !p.directory) {
      DWORD e = err ? err : ERROR_DIRECTORY;
      TraceResult("process.create", traced, e);
      return SetError(e), FALSE;
    }
    directory = p.windows;
  }
  std::optional<EmulatedProgram> program = Launch(lpApplicationName, commandLine, directory);
  if (!program) return FALSE;
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
  std::optional<EmulatedProgram> program = Launch(nullptr, commandLine, M().currentDirectory);
  if (!program) return GetLastError() == ERROR_BAD_EXE_FORMAT ? ERROR_BAD_FORMAT : GetLastError();
  if (program->durationMs) program->durationMs = 0;
  table.Start(std::move(*program));
  table.Settle();
  SetError(0);
  return 33;
}
