// The exit codes of the winemu command and of a program run on a machine.
#pragma once

namespace winemu {

constexpr int kExitRunFailed = 1;  // the run could not go on: a script action failed, actions left ...
constexpr int kExitUsage = 2;      // the command line cannot be understood
constexpr int kExitMachine = 70;   // the machine cannot be read or changed as asked

}  // namespace winemu
