// The switches of setup and the uninstaller. A switch starts with "/" or "-", its name has any letter
// case, and a value follows "=" or ":" (/name=K7X, -LOG:"C:\logs\k7x.log"). Arguments are split from
// the command line as the C runtime splits them, after the program's own path.
#pragma once

#include <string>
#include <string_view>

enum class RunMode { Wizard, Quiet, Passive };

// The switches a program takes (a mask of these).
enum CommandSwitch : unsigned {
  kSwitchQuiet = 1,    // /quiet, /S: no window, no message box
  kSwitchPassive = 2,  // /passive: the progress alone, nothing asked
  kSwitchName = 4,     // /name=NAME: the printer name of this run
  kSwitchLang = 8,     // /lang=en|zh: the message language of this run
  kSwitchLog = 16,     // /log=FILE: every step appended to FILE
  kSwitchHelp = 32,    // /?, /help: the switches and exit codes
};

struct CommandLineOptions {
  bool any = false;  // arguments were given
  bool help = false;
  RunMode mode = RunMode::Wizard;
  bool hasName = false;
  std::string name;
  int languageChoice = -1;  // not given; otherwise 0 Chinese, 1 English (as g_LanguageChoice)
  std::string log;          // empty: not given
};

struct CommandLineResult {
  CommandLineOptions options;
  std::string error;  // what is wrong, naming the argument; empty when the line is good
};

// Reads a whole command line (GetCommandLineA: the program's path, then the arguments), taking only
// the switches in `accepted`. Any other argument, a switch with a value given twice, /quiet with /passive, a value
// missing, given to a switch without one, or not one of /lang's, is an error.
CommandLineResult ParseCommandLine(std::string_view commandLine, unsigned accepted);
