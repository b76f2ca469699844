#include "app/SetupSwitches.h"

const char* const kSetupUsage =
    "setup [/quiet | /passive] [/name=NAME] [/lang=en|zh] [/log=FILE]\n"
    "\n"
    "/quiet, /S\tno window and no message box\n"
    "/passive\tthe progress alone; nothing is asked\n"
    "/name=NAME\tthe printer name (instead of PrinterName in setting.dll)\n"
    "/lang=en|zh\tthe language of the driver and of the result\n"
    "/log=FILE\tevery step appended to FILE\n"
    "/?, /help\tthis help\n"
    "A switch may start with / or -; a value follows = or :.\n"
    "\n"
    "Exit codes: 0 installed, 1603 failed, 1618 another installation is running, 740 administrator "
    "rights needed, 87 bad command line, 1633 system not supported.\n"
    "Without /log, a quiet or passive run logs to K7Xsetup.log in the Windows directory.";
