// Setup run with arguments, for deployment tools: the switches it takes, and what it tells a person
// who asks for them or gives a wrong one.
#pragma once

#include "shared/CommandLine.h"

constexpr unsigned kSetupSwitches = kSwitchQuiet | kSwitchPassive | kSwitchName | kSwitchLang | kSwitchLog | kSwitchHelp;

// The switches and the exit codes, as /? shows them.
extern const char* const kSetupUsage;
