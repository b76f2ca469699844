// winemu reg export DIR KEY [FILE]: a key and everything below it as a regedit file; to a terminal
// as UTF-8 text with line feeds, for reading.
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "advapi32/reg_describe.h"
#include "advapi32/reg_file.h"
#include "machine/codepage.h"
#include "machine/machine.h"
#include "machine/printable.h"
#include "command.h"

namespace winemu::cli {
namespace {

// The regedit file's UTF-16LE bytes after the byte order mark as UTF-8, CRLF as LF.
std::string ReadableText(const std::string& bytes) {
  std::u16string wide;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
  std::string text;
  for (char c : WideToUtf8(wide))
    if (c != '\r') text += c;
  return text;
}

int Run(const SplitArgs& args) {
  if (args.positional.size() != 2 && args.positional.size() != 3)
    return UsageError("reg export: needs a machine directory, a key and at most one file");
  auto machine = Machine::Open(args.positional[0]);
  unsigned codePage = machine->Config().codePage;
  reg::Registry registry(*machine);
  std::string error;
  auto at = reg::FindKeyPath(registry, args.positional[1], codePage, error);
  std::string bytes;
  if (!at || !reg::WriteRegFile(reg::CollectKeys(registry, at->root, at->path), codePage, bytes, error))
    return MachineFailure("reg export: " + error);
  if (args.positional.size() == 2) {
    std::string shown = isatty(STDOUT_FILENO) ? ReadableText(bytes) : bytes;
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    return 0;
  }
  const std::string& file = args.positional[2];
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush())
    return UsageError("reg export: cannot write '" + Printable(file) + "'");
  return 0;
}

Registration reg({"reg export", "DIR KEY [FILE]",
                  "Writes KEY and every key below it in regedit's format (UTF-16LE with a byte order mark, CRLF) to "
                  "FILE or to standard output; to a terminal, as UTF-8 text with line feeds for reading (redirect "
                  "standard output or name FILE for regedit's bytes). winemu reg import reads either back.",
                  {}, &Run});

}  // namespace
}  // namespace winemu::cli
