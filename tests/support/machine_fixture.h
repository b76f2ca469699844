// One fresh emulated machine per test, made current for the test's duration.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "winemu/seed/create.h"
#include "winemu/machine/machine.h"

namespace k7x::test {

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeMachine(winemu::CreateOptions{}); }
  void TearDown() override;

  // Replaces the test's machine with a new one made with `options`.
  void MakeMachine(const winemu::CreateOptions& options);
  // The same with the default options but these printers, faults and administrator right.
  void MakeMachineWith(std::vector<std::string> printers, std::map<std::string, std::string> faults = {},
                       bool admin = true);
  // Replaces it with one of Windows version MAJOR.MINOR, with or without administrator rights.
  void MakeMachine(int major, int minor, bool admin) {
    winemu::CreateOptions o;
    o.major = major;
    o.minor = minor;
    o.admin = admin;
    MakeMachine(o);
  }

  // Replaces it with one whose system language is `langId` (its code page follows).
  void MakeMachineOfLanguage(std::uint16_t langId) {
    winemu::CreateOptions o;
    o.langId = langId;
    MakeMachine(o);
  }

  winemu::Machine& machine() { return winemu::Machine::Current(); }
  std::filesystem::path dir() const { return dir_; }
  // The host path of a Windows path on drive C: (matched as Windows would, without case).
  std::filesystem::path Host(const std::string& windowsPath) const;
  // File helpers on the machine, by Windows path.
  std::string ReadFile(const std::string& windowsPath) const;
  void WriteFile(const std::string& windowsPath, const std::string& bytes) const;
  // Removes a file on the host, behind the machine's back as another program would.
  void RemoveFile(const std::string& windowsPath) const;
  bool Exists(const std::string& windowsPath) const;

  // Trace lines ("<kind> <detail>", time left out) in order, optionally of one kind only.
  std::vector<std::string> TraceLines(const std::string& kindPrefix = "") const;

 private:
  std::filesystem::path dir_;
  std::unique_ptr<winemu::Machine> previous_;
};

// A temporary directory removed at scope end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The bytes of a file of the host ("" when it cannot be read).
std::string ReadHostFile(const std::filesystem::path& path);

// A shell command's exit code and what it printed.
struct CommandResult {
  int code = -1;
  std::string out;
  std::string err;
};
CommandResult RunCommand(const std::string& command);

}  // namespace k7x::test
