// Registry files as regedit writes and reads them:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\Key]
//   "Name"="text"
//   @="the default value"
//   "Count"=dword:00000002
//   "Raw"=hex:01,02,03
//   "Path"=hex(2):43,00,3a,00,00,00
//   "Gone"=-
//   [-HKEY_CURRENT_USER\Software\Old]
//
// The file is UTF-16LE with a byte order mark and CRLF line ends (UTF-8 is read too). Strings are
// Unicode in the file and ANSI (the machine's code page) in winemu's registry, as RegSetValueExA
// sees them: "text" stands for the text and its terminator; string data of any other shape
// (no terminator, NULs inside, line breaks) is written hex(1): so that byte counts round-trip.
// hex(1), hex(2) and hex(7) hold UTF-16LE bytes; other types hold their bytes as they are.
// Long hex lines are continued with a backslash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry.h"

namespace winemu::reg {

struct FileValue {
  std::string name;  // ANSI; "" is the default value (@)
  bool remove = false;
  std::uint32_t type = 0;
  std::string data;  // ANSI bytes, as the registry keeps them
};

struct FileKey {
  Root root = Root::LocalMachine;
  std::vector<std::string> path;  // ANSI names
  bool remove = false;
  std::vector<FileValue> values;
};

struct FileParseResult {
  std::vector<FileKey> keys;
  std::string error;  // "FILE line N: what is wrong"; empty when the file was read
};

FileParseResult ParseRegFile(std::string_view bytes, const std::string& fileName, unsigned codePage);

// The key at `path` below `root` and every key below it, in listing order; empty when it is missing.
std::vector<FileKey> CollectKeys(Registry& registry, Root root, const std::vector<std::string>& path);

// The bytes of a registry file; false with `error` naming the value whose data a file cannot hold
// (string data that is not text in `codePage`).
bool WriteRegFile(const std::vector<FileKey>& keys, unsigned codePage, std::string& bytes, std::string& error);

// Applies the keys of a file to the registry and saves it.
void ImportKeys(Registry& registry, const std::vector<FileKey>& keys);

}  // namespace winemu::reg
