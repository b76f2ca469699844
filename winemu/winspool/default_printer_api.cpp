// The user's default printer: SetDefaultPrinterA names an installed printer (any case; the
// printer's own spelling is kept); a null or empty name picks the first printer when there is no
// default yet and otherwise changes nothing. GetDefaultPrinterA reports it with the two-call
// protocol of a character count that includes the terminator.
//
// Traced: spooler.setdefault with its result (through the store).
#include <cstring>

#include <windows.h>
#include "machine/machine.h"
#include "spooler_calls.h"
#include "spooler_store.h"

using namespace winemu;

BOOL WINAPI SetDefaultPrinterA(LPCSTR pszPrinter) {
  std::string name = pszPrinter ? pszPrinter : "";
  if (DWORD err = spooler::SpoolerError()) return spooler::CallResult("spooler.setdefault", spooler::Shown(name), err);
  if (name.empty()) {
    std::vector<spooler::PrinterRecord> printers = spooler::Printers();
    if (spooler::DefaultPrinter() || printers.empty()) {
      SetError(0);
      return TRUE;
    }
    name = printers.front().name;
  }
  if (!spooler::FindPrinter(name))
    return spooler::CallResult("spooler.setdefault", spooler::Shown(name), ERROR_INVALID_PRINTER_NAME);
  spooler::SetDefaultPrinter(name);
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetDefaultPrinterA(LPSTR pszBuffer, LPDWORD pcchBuffer) {
  if (!pcchBuffer) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  std::optional<std::string> name = spooler::DefaultPrinter();
  if (!name) return SetError(ERROR_FILE_NOT_FOUND), FALSE;
  DWORD needed = static_cast<DWORD>(name->size() + 1);
  bool fits = pszBuffer && *pcchBuffer >= needed;
  *pcchBuffer = needed;
  if (!fits) return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  std::memcpy(pszBuffer, name->c_str(), needed);
  SetError(0);
  return TRUE;
}
