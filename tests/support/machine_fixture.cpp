#include "machine_fixture.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "winemu/machine/paths.h"

namespace k7x::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "k7x-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

CommandResult RunCommand(const std::string& command) {
  TempDir temp;
  auto read = [&](const char* name) { return ReadHostFile(temp.path() / name); };
  int status = std::system((command + " > " + (temp.path() / "out").string() + " 2> " + (temp.path() / "err").string()).c_str());
  CommandResult r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = read("out");
  r.err = read("err");
  return r;
}

void MachineTest::MakeMachine(const winemu::CreateOptions& options) {
  if (!dir_.empty()) TearDown();
  std::string pattern = (std::filesystem::temp_directory_path() / "k7x-machine-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
  winemu::CreateMachine(dir_, options);
  previous_ = winemu::Machine::Use(winemu::Machine::Open(dir_));
}

void MachineTest::MakeMachineWith(std::vector<std::string> printers, std::map<std::string, std::string> faults,
                                  bool admin) {
  winemu::CreateOptions o;
  o.printers = std::move(printers);
  o.faults = std::move(faults);
  o.admin = admin;
  MakeMachine(o);
}

void MachineTest::TearDown() {
  winemu::Machine::Use(std::move(previous_));
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
  dir_.clear();
}

std::filesystem::path MachineTest::Host(const std::string& windowsPath) const {
  winemu::ResolvedPath p;
  if (winemu::ResolvePath(windowsPath, p) != 0) return {};
  return p.host;
}

std::string MachineTest::ReadFile(const std::string& windowsPath) const { return ReadHostFile(Host(windowsPath)); }

void MachineTest::WriteFile(const std::string& windowsPath, const std::string& bytes) const {
  std::filesystem::path host = Host(windowsPath);
  std::filesystem::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
  winemu::ForgetListings();
}

void MachineTest::RemoveFile(const std::string& windowsPath) const {
  std::filesystem::remove(Host(windowsPath));
  winemu::ForgetListings();
}

bool MachineTest::Exists(const std::string& windowsPath) const {
  winemu::ResolvedPath p;
  return winemu::ResolvePath(windowsPath, p) == 0 && p.exists;
}

std::vector<std::string> MachineTest::TraceLines(const std::string& kindPrefix) const {
  std::vector<std::string> out;
  for (const winemu::TraceEntry& e : winemu::Machine::Current().TraceEntries())
    if (e.kind.rfind(kindPrefix, 0) == 0) out.push_back(e.kind + " " + e.detail);
  return out;
}

}  // namespace k7x::test
