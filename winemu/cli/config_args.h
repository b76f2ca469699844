// The options of "winemu config", applied to a machine's configuration.
#pragma once

#include <string>
#include <vector>

#include "machine/config.h"
#include "split_args.h"

namespace winemu::cli {

// The system options of "winemu create" and those that undo them (--nt, --admin, --clear-faults).
const std::vector<OptionDef>& ConfigOptionDefs();

// Applies the options to `config` (a new version gets its typical build number; a new language
// its code page unless --codepage is given); what is wrong, or "" when all were applied.
std::string ApplyConfigOptions(const SplitArgs& split, MachineConfig& config);

}  // namespace winemu::cli
