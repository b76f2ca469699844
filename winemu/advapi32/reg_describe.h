// A key shown for people ("winemu reg"): its path, then one line per value (name, type, byte
// count, data) and one per subkey.
//
//   HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer
//     value "Publisher" REG_SZ 11 "K7X printer"
//     value "Start" REG_DWORD 4 0x00000002 (2)
//     subkey "Child"
//
// String data are decoded from the machine's code page; bytes below 0x20 (a terminator, the
// separators of REG_MULTI_SZ) show as \0 or \xHH and a quote as \", so every byte stays visible.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry.h"

namespace winemu::reg {

struct KeyPath {
  Root root;
  std::vector<std::string> path;
};

// `keyText` is ROOT\path (HKLM, HKEY_LOCAL_MACHINE, HKCU, HKCC ...); nullopt with `error` saying why
// when it names no key of the registry.
std::optional<KeyPath> FindKeyPath(Registry& registry, std::string_view keyText, unsigned codePage, std::string& error);

// The key, and with `recursive` every key below it after it. On failure returns nullopt and says
// why in `error`.
std::optional<std::string> DescribeKey(Registry& registry, std::string_view keyText, unsigned codePage,
                                       std::string& error, bool recursive = false);

}  // namespace winemu::reg
