// winemu config DIR [options]: changes the system of an existing machine; machine.ini is
// rewritten whole, or left as it was when an option is refused.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "machine/machine.h"
#include "command.h"
#include "config_args.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 1) return UsageError("config: needs exactly one machine directory");
  std::filesystem::path dir = args.positional[0];
  MachineConfig config = Machine::Open(dir)->Config();
  if (std::string error = ApplyConfigOptions(args, config); !error.empty()) return UsageError("config: " + error);
  std::filesystem::path ini = dir / "machine.ini";
  std::filesystem::path fresh = dir / "machine.ini.new";
  {
    std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
    out << config.Serialize();
    if (!out.flush()) {
      out.close();
      std::filesystem::remove(fresh);
      return MachineFailure("config: cannot write " + fresh.string());
    }
  }
  std::filesystem::rename(fresh, ini);
  std::printf("%s", config.Serialize().c_str());
  return 0;
}

Registration reg({"config", "DIR",
                  "Changes the system of the machine in DIR and prints its new machine.ini; an option not given keeps "
                  "the machine's value; without options, prints it.",
                  ConfigOptionDefs(), &Run});

}  // namespace
}  // namespace winemu::cli
