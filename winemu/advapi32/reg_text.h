// The text form of one registry root, as kept in MACHINE/registry/<ROOT>.reg.
//
//   WINEMU REGISTRY 1 HKLM
//   ; a comment
//   key "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K7X printer"
//   value "Publisher" REG_SZ 11 "K7X printer"
//   value "Start" REG_DWORD 4 hex:02,00,00,00
//
// The first line names the format version and the root. Every key of the tree has a "key" line
// with its path from the root ("" is the root itself); the "value" lines after it belong to it.
// A value line holds the name, the type (a REG_ name or a decimal number), the byte count and the
// data: either quoted text or "hex:" with comma-separated byte pairs. In quoted text every byte
// stands for itself except '"', '%' and the bytes below 0x20 or above 0x7E, which are written %HH;
// so the data round-trip byte for byte (a string stored without its terminator stays without) and
// the byte count is checked against the data. Lines end with LF (a CR before it is accepted);
// blank lines and lines starting with ';' are ignored.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "reg_tree.h"

namespace winemu::reg {

struct ParseResult {
  std::unique_ptr<Key> root;  // null when the text cannot be read
  std::string error;          // "line N: what is wrong"
};

// Reads the text of root `rootName` (HKLM, HKCU or HKCC); names fold with `codePage`.
ParseResult ParseRegistryText(std::string_view bytes, std::string_view rootName, unsigned codePage);

std::string SerializeRegistryText(const Key& root, std::string_view rootName);

}  // namespace winemu::reg
