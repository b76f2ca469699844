// The machine's registry: the roots HKLM, HKCU and HKCC, each kept in MACHINE/registry/<ROOT>.reg
// (format in reg_text.h). Loaded on first use; every change is saved at once (the file rewritten
// by one write), so a run that crashes keeps what earlier changes wrote.
// Under HKLM, SYSTEM\CurrentControlSet is an alias of SYSTEM\ControlSet001, as on Windows.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reg_tree.h"

namespace winemu {

class Machine;

namespace reg {

enum class Root { LocalMachine, CurrentUser, CurrentConfig };
constexpr Root kRoots[] = {Root::LocalMachine, Root::CurrentUser, Root::CurrentConfig};

const char* RootName(Root root);      // "HKLM", "HKCU", "HKCC"
const char* RootLongName(Root root);  // "HKEY_LOCAL_MACHINE" ...
// HKLM / HKEY_LOCAL_MACHINE, HKCU / HKEY_CURRENT_USER, HKCC / HKEY_CURRENT_CONFIG (no case).
std::optional<Root> RootFromName(std::string_view name);

// A key path "A\B\C" split into its names; nullopt when a name is empty ("A\\B", "\A"). Trailing
// backslashes are allowed, as Windows allows them.
std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path, unsigned codePage = 1252);

class Registry {
 public:
  explicit Registry(Machine& machine);  // the machine's registry directory and code page
  // Reads `dir`/<ROOT>.reg (a missing file is an empty root); throws MachineError naming the file
  // and line of text it cannot read.
  Registry(std::filesystem::path dir, unsigned codePage);

  Key& RootKey(Root root);
  // The key at `path` below `root`, the alias applied; null when it does not exist.
  Key* Find(Root root, const std::vector<std::string>& path);
  // Creates the missing keys along `path`; `created` tells whether the last one is new.
  Key& Create(Root root, const std::vector<std::string>& path, bool* created = nullptr);
  // Removes the key at `path` (not the root) with everything below it; false when it is missing.
  bool Remove(Root root, const std::vector<std::string>& path);
  // The names of the key's subkeys in listing order; under HKLM\SYSTEM this includes the
  // CurrentControlSet link while ControlSet001 exists, as Windows lists it.
  std::vector<std::string> SubkeyNames(Root root, const std::vector<std::string>& path);

  void Save(Root root);  // writes the root's file unless it holds that text already
  void SaveAll();

 private:
  std::vector<std::string> Canonical(Root root, std::vector<std::string> path) const;
  std::filesystem::path dir_;
  unsigned codePage_;
  std::unique_ptr<Key> roots_[3];
  std::optional<std::string> onDisk_[3];  // each file's text as last read or written here
};

// The current machine's registry.
Registry& MachineRegistry();

}  // namespace reg
}  // namespace winemu
