// winspool: the driver directory, EnumPrintersA level 2 with its two-call protocol and the strings
// packed into the caller's buffer, OpenPrinterA on the server, DeleteFormA, DeletePrinter and
// DeletePrinterDriverA, and the spooler's answer while its service is stopped. The machine has two
// local printers on LPT1: with the driver "Generic / Text Only": "Conformance", which stays, and
// "ConformanceDelete", which the deletion checks remove.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr const char* kPrinter = "Conformance";
const char kDeletedFormsNote[] = "Wine's DeleteFormA is a stub that reports success for any form";
const char kDriverDeletionNote[] =
    "Wine's DeletePrinterDriverA deletes the driver's registry key without asking whether a printer uses it, and "
    "does not set the last error when there is no such key";
const char kPrinterAccessNote[] = "Wine's DeletePrinter does not look at the access the handle was opened with";
const char kInProcessSpooler[] = "Wine's winspool works in the calling process and does not need the Spooler service";

bool Inside(const void* p, const std::vector<BYTE>& buffer) {
  const BYTE* b = static_cast<const BYTE*>(p);
  return b >= buffer.data() && b < buffer.data() + buffer.size();
}

void CheckDriverDirectory() {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string expected = std::string(system) + "\\spool\\drivers\\w32x86";
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  char environment[] = "Windows NT x86";
  ok(GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed) &&
         lstrcmpiA(directory, expected.c_str()) == 0 && needed == expected.size() + 1,
     "GetPrinterDriverDirectoryA gave '%s' (%u), expected '%s' (%u)", directory, static_cast<unsigned>(needed),
     expected.c_str(), static_cast<unsigned>(expected.size() + 1));
  needed = 0;
  ok_fails(!GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<BYTE*>(directory), 4, &needed),
           ERROR_INSUFFICIENT_BUFFER, "GetPrinterDriverDirectoryA into 4 bytes");
  ok(needed == expected.size() + 1, "the size asked for is %u, expected %u", static_cast<unsigned>(needed),
     static_cast<unsigned>(expected.size() + 1));
  ok_fails(!GetPrinterDriverDirectoryA(nullptr, environment, 2, reinterpret_cast<BYTE*>(directory), sizeof directory,
                                       &needed),
           ERROR_INVALID_LEVEL, "GetPrinterDriverDirectoryA at level 2");
  char unknown[] = "Windows 3000";
  ok_fails(!GetPrinterDriverDirectoryA(nullptr, unknown, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed),
           ERROR_INVALID_ENVIRONMENT, "GetPrinterDriverDirectoryA of an unknown environment");
}

void CheckEnumPrinters() {
  DWORD needed = 0;
  DWORD returned = 7;
  ok_fails(!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned), ERROR_INSUFFICIENT_BUFFER,
           "EnumPrintersA level 2 asking for the size");
  ok(needed > sizeof(PRINTER_INFO_2A) && returned == 0, "the size call gave %u bytes and %u printers, expected more than "
     "one record and 0", static_cast<unsigned>(needed), static_cast<unsigned>(returned));
  std::vector<BYTE> buffer(needed);
  DWORD again = 0;
  ok_fails(!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed - 1, &again, &returned),
           ERROR_INSUFFICIENT_BUFFER, "EnumPrintersA into one byte less than asked for");
  ok(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &again, &returned) && returned >= 1,
     "EnumPrintersA into the size asked for failed with %u, %u printers", static_cast<unsigned>(GetLastError()),
     static_cast<unsigned>(returned));
  auto* printers = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
  const PRINTER_INFO_2A* ours = nullptr;
  bool packed = true;
  for (DWORD i = 0; i < returned; ++i) {
    const PRINTER_INFO_2A& p = printers[i];
    for (const char* s : {p.pPrinterName, p.pPortName, p.pDriverName, p.pPrintProcessor, p.pDatatype})
      packed = packed && s && Inside(s, buffer) && Inside(s + lstrlenA(s), buffer);
    if (p.pPrinterName && lstrcmpiA(p.pPrinterName, kPrinter) == 0) ours = &p;
  }
  ok(packed, "the records' strings lie inside the caller's buffer");
  ok(ours != nullptr, "the printer %s is not listed", kPrinter);
  if (!ours) return;
  ok(std::strcmp(ours->pPrinterName, kPrinter) == 0 && std::strcmp(ours->pPortName, "LPT1:") == 0 &&
         std::strcmp(ours->pDriverName, "Generic / Text Only") == 0,
     "the printer reads '%s' on '%s' with '%s', expected %s on LPT1: with Generic / Text Only", ours->pPrinterName,
     ours->pPortName, ours->pDriverName, kPrinter);
  ok(ours->Attributes & PRINTER_ATTRIBUTE_LOCAL, "the printer's attributes 0x%x lack PRINTER_ATTRIBUTE_LOCAL",
     static_cast<unsigned>(ours->Attributes));
  ok_fails(!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 3, buffer.data(), needed, &again, &returned), ERROR_INVALID_LEVEL,
           "EnumPrintersA at level 3");
}

void CheckServerHandle() {
  HANDLE server = nullptr;
  ok(OpenPrinterA(nullptr, &server, nullptr) && server != nullptr, "OpenPrinterA(NULL) on the server failed with %u",
     static_cast<unsigned>(GetLastError()));
  char form[] = "K7X No Such Form";
  todo_wine(kDeletedFormsNote) {
    ok_fails(!DeleteFormA(server, form), ERROR_INVALID_FORM_NAME, "DeleteFormA of a form that does not exist");
  }
  ok(ClosePrinter(server), "ClosePrinter failed with %u", static_cast<unsigned>(GetLastError()));
  HANDLE printer = nullptr;
  char missing[] = "K7X No Such Printer";
  ok_fails(!OpenPrinterA(missing, &printer, nullptr), ERROR_INVALID_PRINTER_NAME, "OpenPrinterA of a missing printer");
  char name[] = "conformance";
  ok(OpenPrinterA(name, &printer, nullptr), "OpenPrinterA of the printer in small letters failed with %u",
     static_cast<unsigned>(GetLastError()));
  ClosePrinter(printer);
  ok_fails(!ClosePrinter(nullptr), ERROR_INVALID_HANDLE, "ClosePrinter(NULL)");
}

bool Listed(const char* printer) {
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned)) return false;
  auto* printers = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    if (lstrcmpiA(printers[i].pPrinterName, printer) == 0) return true;
  return false;
}

}  // namespace

// A driver goes only when no printer uses it; a printer only through a handle with delete access.
// Last of the spooler's parts: under Wine the driver of the printers goes here.
void CheckDeletions() {
  char environment[] = "Windows NT x86";
  char missingDriver[] = "K7X No Such Driver";
  SetLastError(0xdeadbeef);
  todo_wine(kDriverDeletionNote) {
    ok_fails(!DeletePrinterDriverA(nullptr, environment, missingDriver), ERROR_UNKNOWN_PRINTER_DRIVER,
             "DeletePrinterDriverA of a driver that is not installed");
  }
  char usedDriver[] = "Generic / Text Only";
  SetLastError(0xdeadbeef);
  todo_wine(kDriverDeletionNote) {
    ok_fails(!DeletePrinterDriverA(nullptr, environment, usedDriver), ERROR_PRINTER_DRIVER_IN_USE,
             "DeletePrinterDriverA of the driver the printers use");
  }
  ok_fails(!DeletePrinter(nullptr), ERROR_INVALID_HANDLE, "DeletePrinter(NULL)");

  char doomed[] = "ConformanceDelete";
  HANDLE printer = nullptr;
  ok(OpenPrinterA(doomed, &printer, nullptr), "OpenPrinterA(%s) for use failed with %u", doomed,
     static_cast<unsigned>(GetLastError()));
  todo_wine(kPrinterAccessNote) {
    ok_fails(!DeletePrinter(printer), ERROR_ACCESS_DENIED, "DeletePrinter through a handle opened for use");
  }
  ClosePrinter(printer);
  PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  printer = nullptr;
  // Under Wine the printer went with the check above.
  todo_wine(kPrinterAccessNote) {
    ok(OpenPrinterA(doomed, &printer, &all) && DeletePrinter(printer),
       "DeletePrinter through a handle with full access failed with %u", static_cast<unsigned>(GetLastError()));
  }
  if (printer) ClosePrinter(printer);
  ok(!Listed(doomed) && Listed(kPrinter), "after the deletion %s is %s and %s is %s, expected gone and listed", doomed,
     Listed(doomed) ? "listed" : "gone", kPrinter, Listed(kPrinter) ? "listed" : "gone");
  ok_fails(!OpenPrinterA(doomed, &printer, nullptr), ERROR_INVALID_PRINTER_NAME, "OpenPrinterA of the deleted printer");
}

void CheckSpooler() {
  CheckDriverDirectory();
  CheckEnumPrinters();
  CheckServerHandle();
}

void CheckStoppedSpooler() {
  DWORD needed = 0;
  DWORD returned = 0;
  todo_wine(kInProcessSpooler) {
    ok_fails(!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned), RPC_S_SERVER_UNAVAILABLE,
             "EnumPrintersA while the Spooler is stopped");
  }
}

}  // namespace conformance
