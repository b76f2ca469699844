// AddPrinterA: a local printer from a level-2 record, on an installed driver, a known port and a
// known print processor; the printer is opened for the caller (ClosePrinter closes it). A name
// that is taken (without case), empty or holds ',' or '\' is refused, as are unknown drivers,
// ports and print processors. Only an administrator adds printers.
//
// Traced: spooler.addprinter with its result.
#include <windows.h>
#include "kernel32/handles.h"
#include "machine/machine.h"
#include "printer_handle.h"
#include "spooler_calls.h"
#include "spooler_store.h"

using namespace winemu;

namespace {

std::string Text(LPCSTR s) { return s ? s : ""; }

DWORD Check(const PRINTER_INFO_2A& info) {
  std::string name = Text(info.pPrinterName);
  if (name.empty() || name.find_first_of(",\\") != std::string::npos) return ERROR_INVALID_PRINTER_NAME;
  if (spooler::FindPrinter(name)) return ERROR_PRINTER_ALREADY_EXISTS;
  if (!spooler::FindDriver(Text(info.pDriverName))) return ERROR_UNKNOWN_PRINTER_DRIVER;
  if (!spooler::PortExists(Text(info.pPortName))) return ERROR_UNKNOWN_PORT;
  if (!spooler::PrintProcessorExists(Text(info.pPrintProcessor))) return ERROR_UNKNOWN_PRINTPROCESSOR;
  return 0;
}

}  // namespace

HANDLE WINAPI AddPrinterA(LPSTR pName, DWORD Level, LPBYTE pPrinter) {
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(pPrinter);
  std::string shown = Level == 2 && info ? spooler::Shown(Text(info->pPrinterName)) : "(no printer)";
  DWORD err = spooler::ChangeRequestError(pName, Level, 2, info);
  if (!err) err = Check(*info);
  if (err) {
    spooler::CallResult("spooler.addprinter", shown, err);
    return nullptr;
  }
  spooler::PrinterRecord printer;
  printer.name = info->pPrinterName;
  printer.driver = spooler::FindDriver(info->pDriverName)->name;
  printer.port = info->pPortName;
  printer.printProcessor = info->pPrintProcessor;
  if (!Text(info->pDatatype).empty()) printer.datatype = info->pDatatype;
  printer.shareName = Text(info->pShareName);
  printer.comment = Text(info->pComment);
  printer.location = Text(info->pLocation);
  printer.attributes = info->Attributes | PRINTER_ATTRIBUTE_LOCAL;
  spooler::AddPrinter(printer);
  SetError(0);
  return Handles().Add(std::make_unique<spooler::PrinterHandle>(printer.name, PRINTER_ALL_ACCESS));
}
