// The options of "winemu create", parsed from the argument list; the system options (version,
// language, code page, rights) are shared with "winemu config".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "seed/create.h"
#include "split_args.h"

namespace winemu::cli {

constexpr size_t kMaxPrinterName = 220;      // bytes, as the spooler allows
constexpr std::uint64_t kMaxOemInfNumber = 99999;  // oem0.inf to oem99999.inf

// The options that describe the system (version, language, code page, rights, faults), shared
// with "winemu config" (`creating` false: their help names no defaults, since an option not given
// keeps the machine's value), and those with the options only a new machine takes.
std::vector<OptionDef> SystemOptionDefs(bool creating);
const std::vector<OptionDef>& CreateOptionDefs();

struct CreateArgs {
  std::string dir;
  CreateOptions options;
  std::string error;  // empty when the arguments were understood
};

CreateArgs ParseCreateArgs(const std::vector<std::string>& args);
CreateArgs ReadCreateArgs(const SplitArgs& split);

// Reads one of --version, --not-nt, --lang, --codepage, --user, --arch into `o`; what is wrong with the
// value, if anything. Other options are left alone.
std::optional<std::string> ReadSystemOption(const std::string& option, const std::string& value, CreateOptions& o);
// Reads --fault's NAME[=VALUE] into `faults` (names in lower case); what is wrong, if anything.
std::optional<std::string> ReadFaultOption(const std::string& value, std::map<std::string, std::string>& faults);

}  // namespace winemu::cli
