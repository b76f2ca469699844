// Runs the whole program in the test's process: start-up and the wizard, driven by a script.
#pragma once

#include <string>
#include <vector>

#include "shared/resource.h"  // the control ids a script drives
#include "support/machine_fixture.h"
#include "winemu/ui/script_driver.h"

namespace k7x::test {

class ProgramRunTest : public MachineTest {
 protected:
  // One program run with the globals as a fresh process has them; the driver feeds the actions.
  // What it started and left running runs to its end after it, as after a process's exit.
  void RunProgram();
  // Whether control `id` of the active window (or of its visible page) is enabled.
  static bool Enabled(int id);
  static std::string MessageBoxText();  // of the last message box in the trace ("" for none)
  int MessageBoxCount() const { return static_cast<int>(TraceLines("msgbox").size()); }
  std::vector<std::string> DriverDirectoryNames() const;
  std::string Payload(const std::string& file) const;  // a payload file of the build
};

}  // namespace k7x::test
