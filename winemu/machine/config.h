// machine.ini: the emulated system's facts and the faults to inject.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace winemu {

class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct MachineConfig {
  int major = 5;
  int minor = 1;
  int build = 2600;
  bool nt = true;
  std::uint16_t langId = 0x0409;
  unsigned codePage = 1252;
  std::string windowsDir = "C:\\WINDOWS";
  std::string program = "C:\\Setup\\setup.exe";
  bool admin = true;
  bool x64 = false;  // a 64-bit Windows, where a 32-bit program runs under WoW64
  std::map<std::string, std::string> faults;  // names in lower case

  // The code page a language id gets unless one is given.
  static unsigned DefaultCodePage(std::uint16_t langId);

  // Throws MachineError naming file, line and key for what it cannot read: an unknown section,
  // key or fault, a key given twice, a value the key does not allow (the message says what is
  // allowed).
  static MachineConfig Parse(std::string_view iniBytes, const std::string& fileName = "machine.ini");
  std::string Serialize() const;

  bool HasFault(std::string_view name) const;
  std::optional<std::string> FaultValue(std::string_view name) const;
  // A numeric fault value; `fallback` when the fault is set without a number.
  std::optional<long> FaultNumber(std::string_view name, long fallback) const;
};

}  // namespace winemu
