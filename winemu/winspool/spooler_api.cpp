// The spooler functions over the spooler's data in the registry (spooler_store.h). A spooler that
// is not running answers every call with RPC_S_SERVER_UNAVAILABLE, as Windows does. Only local
// printers exist and only level 2 of EnumPrintersA is emulated. Forms may be deleted by an
// administrator through any spooler handle.
//
// Fault: enum_printers_fails[=CODE] makes every EnumPrintersA call that would fill a buffer with
// records fail with CODE (default RPC_S_SERVER_UNAVAILABLE); the call that asks for the size
// still answers.
//
// Traced: spooler.driverdir, spooler.enumprinters, spooler.openprinter, spooler.deleteform,
// spooler.closeprinter, each with its result.
#include <cstring>
#include <windows.h>

#include "kernel32/handles.h"
#include "machine/codepage.h"
#include "machine/ini.h"
#include "environments.h"
#include "printer_handle.h"
#include "spooler_calls.h"
#include "spooler_store.h"

using namespace winemu;
using winemu::spooler::PrinterHandle;
using winemu::spooler::Shown;
using winemu::spooler::SpoolerError;

namespace {

// Writes level-2 records for `printers` into `buffer` (at least `needed` bytes): the records first,
// their strings packed from the end of the buffer downwards.
void FillInfo2(const std::vector<spooler::PrinterRecord>& printers, LPBYTE buffer, DWORD size) {
  spooler::StringPack strings(buffer, size);
  auto pack = [&](const std::string& s) { return strings.Text(s); };
  for (size_t i = 0; i < printers.size(); ++i) {
    const spooler::PrinterRecord& p = printers[i];
    PRINTER_INFO_2A info{};
    info.pPrinterName = pack(p.name);
    info.pShareName = pack(p.shareName);
    info.pPortName = pack(p.port);
    info.pDriverName = pack(p.driver);
    info.pComment = pack(p.comment);
    info.pLocation = pack(p.location);
    info.pSepFile = pack("");
    info.pPrintProcessor = pack(p.printProcessor);
    info.pDatatype = pack(p.datatype);
    info.pParameters = pack("");
    info.Attributes = p.attributes;
    info.Priority = 1;
    std::memcpy(buffer + i * sizeof info, &info, sizeof info);
  }
}

DWORD Info2Size(const std::vector<spooler::PrinterRecord>& printers) {
  size_t size = 0;
  for (const auto& p : printers)
    size += sizeof(PRINTER_INFO_2A) + p.name.size() + p.shareName.size() + p.port.size() + p.driver.size() +
            p.comment.size() + p.location.size() + p.printProcessor.size() + p.datatype.size() + 10;
  return static_cast<DWORD>(size);
}

// The rights a spooler handle can be opened with: the server's and the printers' own, the standard
// and the generic ones.
constexpr ACCESS_MASK kAllowedRights = SERVER_ALL_ACCESS | PRINTER_ALL_ACCESS | GENERIC_READ | GENERIC_WRITE |
                                       GENERIC_EXECUTE | GENERIC_ALL;

}  // namespace

BOOL WINAPI GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD Level, LPBYTE pDriverDirectory,
                                       DWORD cbBuf, LPDWORD pcbNeeded) {
  std::string env = spooler::CallerEnvironment(pEnvironment);
  std::string dir = spooler::EnvironmentDirectory(env).value_or("");
  DWORD needed = static_cast<DWORD>(dir.size() + 1);
  DWORD err = spooler::SpoolerError();
  if (!err && pName && *pName) err = ERROR_INVALID_NAME;  // only the local machine
  if (!err && dir.empty()) err = ERROR_INVALID_ENVIRONMENT;
  if (!err && Level != 1) err = ERROR_INVALID_LEVEL;
  if (!err && !pcbNeeded) err = ERROR_INVALID_PARAMETER;
  if (!err) {
    *pcbNeeded = needed;
    if (!pDriverDirectory || cbBuf < needed) err = ERROR_INSUFFICIENT_BUFFER;
    else std::memcpy(pDriverDirectory, dir.c_str(), needed);
  }
  return spooler::CallResult("spooler.driverdir",
                "env=\"" + env + "\" level=" + std::to_string(Level) + " size=" + std::to_string(cbBuf) +
                    (err ? "" : " dir=" + AnsiToUtf8(dir, M().Config().codePage)),
                err);
}

BOOL WINAPI EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded,
                          LPDWORD pcReturned) {
  DWORD err = spooler::SpoolerError();
  if (!err && (!pcbNeeded || !pcReturned)) err = ERROR_INVALID_PARAMETER;
  if (!err && Name && *Name) err = ERROR_INVALID_NAME;  // no remote print servers
  if (!err && Level != 2) err = ERROR_INVALID_LEVEL;
  std::vector<spooler::PrinterRecord> printers;
  if (!err && (Flags & PRINTER_ENUM_LOCAL)) printers = spooler::Printers();
  DWORD needed = Info2Size(printers);
  if (!err) {
    *pcbNeeded = needed;
    *pcReturned = 0;
    if (cbBuf < needed || (needed && !pPrinterEnum)) err = ERROR_INSUFFICIENT_BUFFER;
    else if (needed) {
      if (auto code = M().Config().FaultNumber("enum_printers_fails", RPC_S_SERVER_UNAVAILABLE))
        err = static_cast<DWORD>(*code);
    }
    if (!err) {
      FillInfo2(printers, pPrinterEnum, cbBuf);
      *pcReturned = static_cast<DWORD>(printers.size());
    }
  }
  return spooler::CallResult("spooler.enumprinters",
                "flags=" + std::to_string(Flags) + " level=" + std::to_string(Level) + " size=" + std::to_string(cbBuf) +
                    " needed=" + std::to_string(err && err != ERROR_INSUFFICIENT_BUFFER ? 0 : needed) +
                    " returned=" + std::to_string(err ? 0 : printers.size()),
                err);
}

BOOL WINAPI OpenPrinterA(LPSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSA pDefault) {
  std::string name = pPrinterName ? pPrinterName : "";
  DWORD err = spooler::SpoolerError();
  if (!err && !phPrinter) err = ERROR_INVALID_PARAMETER;
  // NULL names the print server; "" names nothing.
  if (!err && pPrinterName && (name.empty() || !spooler::FindPrinter(name))) err = ERROR_INVALID_PRINTER_NAME;
  if (!err && pDefault && (pDefault->DesiredAccess & ~kAllowedRights)) err = ERROR_ACCESS_DENIED;
  if (!err && pDefault && (pDefault->DesiredAccess & PRINTER_ACCESS_ADMINISTER) && !M().Config().admin)
    err = ERROR_ACCESS_DENIED;
  // Without defaults a printer is opened for use only, as Windows does.
  ACCESS_MASK access = pDefault ? pDefault->DesiredAccess : PRINTER_ACCESS_USE;
  if (!err) *phPrinter = Handles().Add(std::make_unique<PrinterHandle>(name, access));
  else if (phPrinter) *phPrinter = nullptr;
  return spooler::CallResult("spooler.openprinter", Shown(name), err);
}

BOOL WINAPI DeleteFormA(HANDLE hPrinter, LPSTR pFormName) {
  PrinterHandle* printer = Handles().Get<PrinterHandle>(hPrinter);
  std::string form = pFormName ? pFormName : "";
  DWORD err = printer ? spooler::SpoolerError() : ERROR_INVALID_HANDLE;
  if (!err && !pFormName) err = ERROR_INVALID_PARAMETER;
  if (!err && !M().Config().admin) err = ERROR_ACCESS_DENIED;
  if (!err && !spooler::DeleteForm(form)) err = ERROR_INVALID_FORM_NAME;
  return spooler::CallResult("spooler.deleteform", AnsiToUtf8(form, M().Config().codePage), err);
}

BOOL WINAPI ClosePrinter(HANDLE hPrinter) {
  PrinterHandle* printer = Handles().Get<PrinterHandle>(hPrinter);
  std::string shown = printer ? Shown(printer->name) : "(invalid handle)";
  if (printer) Handles().Close(hPrinter);
  return spooler::CallResult("spooler.closeprinter", shown, printer ? 0 : ERROR_INVALID_HANDLE);
}
