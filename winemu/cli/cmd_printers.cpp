// winemu printers DIR: the installed printers with driver and port, the default one marked '*'.
#include <cstdio>

#include "machine/codepage.h"
#include "machine/machine.h"
#include "winspool/spooler_store.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 1) return UsageError("printers: needs exactly one machine directory");
  Machine::Use(Machine::Open(args.positional[0]));
  unsigned cp = M().Config().codePage;
  auto printers = spooler::Printers();
  auto defaultPrinter = spooler::DefaultPrinter();
  if (printers.empty()) std::printf("(no printers)\n");
  for (const auto& p : printers) {
    bool isDefault = defaultPrinter && *defaultPrinter == p.name;
    std::printf("%c %s  driver=\"%s\" port=%s\n", isDefault ? '*' : ' ', AnsiToUtf8(p.name, cp).c_str(),
                AnsiToUtf8(p.driver, cp).c_str(), AnsiToUtf8(p.port, cp).c_str());
  }
  return 0;
}

Registration reg({"printers", "DIR", "Lists the installed printers with driver and port; '*' marks the default one.",
                  {}, &Run});

}  // namespace
}  // namespace winemu::cli
