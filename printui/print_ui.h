// The printer setup utility, written over the Win32 spooler and file functions only: what
// "rundll32 printui.dll,PrintUIEntry ARGUMENTS" does for /if (install a driver and a printer from
// an INF file) and /y (make a printer the default one).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace printui {

// Where the utility tells what it does: a kind ("printui.install", "printui.setdefault",
// "printui.error") and one line of ANSI text.
class Notes {
 public:
  virtual ~Notes() = default;
  virtual void Note(const char* kind, const std::string& line) = 0;
};

// Does what `arguments` ask; returns 0 or the Windows error it ended with. A relative INF path is
// taken from `currentDirectory`.
//
// /if: reads the INF and works out the whole installation before changing anything, so a bad INF,
// an unknown model or a missing file installs nothing (one "printui.error" note naming the INF
// line or the file). Then copies the model's files into the spooler's driver directory, applies
// AddReg, adds the driver (AddPrinterDriverExA level 3, which places the files in the version-3
// directory) and the printer on the port (AddPrinterA level 2, named after /b, or "/b (Copy N)"
// when that name is taken), and keeps the INF as the next free oemN.inf of the Windows inf folder
// with its oemN.pnf.
// /y: SetDefaultPrinterA with the name of /n.
DWORD PrintUIEntry(std::string_view arguments, const std::string& currentDirectory, Notes& notes);

}  // namespace printui
