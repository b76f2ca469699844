// The script of a whole walk through the setup wizard, as "winemu run --script" reads it: Next on
// the welcome page and on the system and language page, the series entry, Next, the progress
// page's timer, and the result message answered.
#pragma once

#include <string>

#include "src/shared/resource.h"

namespace k7x::test {

inline std::string WizardWalkScript() {
  const std::string next = "click " + std::to_string(IDC_WIZ_NEXT) + "\n";
  return next + next + "select " + std::to_string(IDC_SERIES_LIST) + " 0\n" + next + "wait 500\nanswer\n";
}

}  // namespace k7x::test
