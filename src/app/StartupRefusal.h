// Why the start-up ended the program before the wizard, for whoever turns it into an exit code.
#pragma once

enum class StartupRefusal { None, PrinterName, NoRights, Windows64, AnotherRun };

// What ended the last start-up; None when the wizard ran.
StartupRefusal LastStartupRefusal();
