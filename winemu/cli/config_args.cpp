#include "config_args.h"

#include "create_args.h"

namespace winemu::cli {

const std::vector<OptionDef>& ConfigOptionDefs() {
  static const std::vector<OptionDef> defs = [] {
    std::vector<OptionDef> all = SystemOptionDefs(false);
    all.push_back({"--nt", nullptr, "a Windows of the NT family"});
    all.push_back({"--admin", nullptr, "the program runs as administrator"});
    all.push_back({"--clear-faults", nullptr, "no faults but those given with --fault"});
    return all;
  }();
  return defs;
}

std::string ApplyConfigOptions(const SplitArgs& split, MachineConfig& config) {
  if (!split.error.empty()) return split.error;
  CreateOptions o;
  o.major = config.major;
  o.minor = config.minor;
  o.nt = config.nt;
  o.langId = config.langId;
  o.codePage = config.codePage;
  o.admin = config.admin;
  o.x64 = config.x64;
  if (!split.Has("--clear-faults")) o.faults = config.faults;
  for (const auto& [option, value] : split.options) {
    if (auto why = ReadSystemOption(option, value, o)) return *why;
    if (option == "--fault") {
      if (auto why = ReadFaultOption(value, o.faults)) return *why;
    }
    if (option == "--nt") o.nt = true;
    if (option == "--admin") o.admin = true;
  }
  if (split.Has("--lang") && !split.Has("--codepage")) o.codePage.reset();
  MachineConfig changed = config;
  if (o.major != config.major || o.minor != config.minor) changed.build = DefaultBuild(o.major, o.minor);
  changed.major = o.major;
  changed.minor = o.minor;
  changed.nt = o.nt;
  changed.langId = o.langId;
  changed.codePage = o.codePage.value_or(MachineConfig::DefaultCodePage(o.langId));
  changed.admin = o.admin;
  changed.x64 = o.x64;
  changed.faults = o.faults;
  try {
    MachineConfig::Parse(changed.Serialize(), "options");
  } catch (const MachineError& e) {
    return e.what();
  }
  config = changed;
  return "";
}

}  // namespace winemu::cli
