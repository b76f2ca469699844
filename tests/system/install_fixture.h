// Support for the installation engine's tests: a machine with the program's globals set as the
// wizard leaves them, payloads that name their own ids, and queries over what a run did.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "install/WizardInstallHost.h"
#include "shared/InstallRun.h"
#include "shared/SetupApp.h"
#include "support/machine_fixture.h"

namespace k7x::test {

class InstallTest : public MachineTest {
 protected:
  void SetUp() override;
  // A fresh machine of `options` with the globals reset: N "K7X", the version code for the
  // machine's version, the language choice English unless given.
  void UseMachine(const winemu::CreateOptions& options, int osVersion, unsigned short languageChoice = 1);

  // One run of the engine as the wizard starts it, without a frame.
  InstallOutcome Install() { return theApp.InstallPrinterDriver(writer); }
  // The wizard's host without a frame: payloads from the program's resources.
  CWizardInstallHost writer{theApp, nullptr};

  // The "msgbox ..." trace lines.
  std::vector<std::string> MessageBoxes() const { return TraceLines("msgbox"); }
  // The virtual time of the first trace line starting with `prefix` (-1 when there is none).
  long long TimeOf(const std::string& prefix) const;
  // The host file names in a Windows directory, sorted.
  std::vector<std::string> FileNames(const std::string& windowsDir) const;
  // Under PayloadIdResources: each file the trace shows created below C:\TEMP (the intermediate
  // file left out), in order, with the payload id it holds (0 for other contents).
  std::vector<std::pair<std::string, unsigned>> StagedFiles() const;
};

// While it lives, every OWNER_DATA payload of the program holds "payload <id>\r\n"; the
// program's own resources come back at its end.
class PayloadIdResources {
 public:
  PayloadIdResources();
  ~PayloadIdResources();
  PayloadIdResources(const PayloadIdResources&) = delete;
  PayloadIdResources& operator=(const PayloadIdResources&) = delete;

 private:
  std::vector<std::uint8_t> saved_;
};

}  // namespace k7x::test
