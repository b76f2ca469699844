// Removing printers and drivers: DeletePrinter through a handle opened with delete access, and
// DeletePrinterDriverA by name, which refuses a driver that a printer still uses and leaves the
// driver's files where they are, as Windows does.
//
// Traced: spooler.deleteprinter, spooler.deletedriver, each with its result.
#include <windows.h>
#include <winspool.h>

#include <string>

#include "machine/codepage.h"
#include "machine/ini.h"
#include "printer_handle.h"
#include "spooler_store.h"

using namespace winemu;

namespace {

BOOL Result(const char* kind, const std::string& detail, DWORD err) {
  TraceResult(kind, AnsiToUtf8(detail, M().Config().codePage), err);
  SetError(err);
  return err ? FALSE : TRUE;
}

DWORD SpoolerError() { return spooler::SpoolerRunning() ? 0 : RPC_S_SERVER_UNAVAILABLE; }

}  // namespace

BOOL WINAPI DeletePrinter(HANDLE hPrinter) {
  auto* printer = Handles().Get<spooler::PrinterHandle>(hPrinter);
  if (!printer || printer->name.empty()) return Result("spooler.deleteprinter", "(invalid handle)", ERROR_INVALID_HANDLE);
  auto found = spooler::FindPrinter(printer->name);
  std::string shown = found ? found->name : printer->name;  // as the spooler spells it
  DWORD err = SpoolerError();
  if (!err && (!(printer->access & DELETE) || !M().Config().admin)) err = ERROR_ACCESS_DENIED;
  if (!err && !spooler::RemovePrinter(printer->name)) err = ERROR_INVALID_PRINTER_NAME;
  return Result("spooler.deleteprinter", shown, err);
}

BOOL WINAPI DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) {
  std::string name = pDriverName ? pDriverName : "";
  std::string environment = pEnvironment ? pEnvironment : spooler::kEnvironment;
  DWORD err = SpoolerError();
  if (!err && pName && *pName) err = ERROR_INVALID_NAME;  // only the local machine
  if (!err && !pDriverName) err = ERROR_INVALID_PARAMETER;
  if (!err && !EqualsNoCase(environment, spooler::kEnvironment)) err = ERROR_INVALID_ENVIRONMENT;
  if (!err && !M().Config().admin) err = ERROR_ACCESS_DENIED;
  if (!err && !spooler::FindDriver(name)) err = ERROR_UNKNOWN_PRINTER_DRIVER;
  if (!err)
    for (const spooler::PrinterRecord& p : spooler::Printers())
      if (EqualsNoCase(p.driver, name)) err = ERROR_PRINTER_DRIVER_IN_USE;
  if (!err) spooler::RemoveDriver(name);
  return Result("spooler.deletedriver", name + " env=\"" + environment + "\"", err);
}
