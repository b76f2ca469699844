#include "sys/Spooler.h"

#include <winspool.h>

#include <cstring>

#include "framework/SystemLibrary.h"

bool GetDriverDirectory(const char* environment, char (&directory)[kPathBufferSize]) {
  char env[kPathBufferSize] = {0};
  std::memset(directory, 0, sizeof directory);
  if (std::strlen(environment) >= sizeof env) return false;
  std::strcpy(env, environment);
  CSystemLibrary winspool("winspool.drv");
  auto getDirectory = winspool.Function<decltype(&GetPrinterDriverDirectoryA)>("GetPrinterDriverDirectoryA");
  if (!getDirectory) return false;
  DWORD needed = 0;
  BOOL ok = getDirectory(nullptr, env, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory, &needed);
  // Only a terminated, non-empty directory inside the buffer can be composed with.
  if (!ok || directory[0] == '\0' || std::memchr(directory, '\0', sizeof directory) == nullptr) {
    directory[0] = '\0';
    return false;
  }
  return true;
}

bool EnumLocalPrinters(std::vector<LocalPrinter>& printers) {
  printers.clear();
  CSystemLibrary winspool("winspool.drv");
  auto enumPrinters = winspool.Function<decltype(&EnumPrintersA)>("EnumPrintersA");
  if (!enumPrinters) return false;
  DWORD needed = 0;
  DWORD returned = 0;
  enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) return true;
  std::vector<BYTE> buffer(needed, 0);
  if (!enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned)) return false;
  if (returned > buffer.size() / sizeof(PRINTER_INFO_2A)) returned = static_cast<DWORD>(buffer.size() / sizeof(PRINTER_INFO_2A));
  const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    printers.push_back({records[i].pPrinterName ? records[i].pPrinterName : "",
                        records[i].pDriverName ? records[i].pDriverName : ""});
  return true;
}

bool EnumLocalPrinterNames(std::vector<std::string>& names) {
  names.clear();
  std::vector<LocalPrinter> printers;
  if (!EnumLocalPrinters(printers)) return false;
  for (const LocalPrinter& printer : printers) names.push_back(printer.name);
  return true;
}

bool DeleteLocalPrinter(const char* printerName) {
  char name[MAX_PATH] = {0};
  if (std::strlen(printerName) >= sizeof name) return SetLastError(ERROR_INVALID_PRINTER_NAME), false;
  std::strcpy(name, printerName);
  CSystemLibrary winspool("winspool.drv");
  auto openPrinter = winspool.Function<decltype(&OpenPrinterA)>("OpenPrinterA");
  auto deletePrinter = winspool.Function<decltype(&DeletePrinter)>("DeletePrinter");
  auto closePrinter = winspool.Function<decltype(&ClosePrinter)>("ClosePrinter");
  if (!openPrinter || !deletePrinter || !closePrinter) return false;
  PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!openPrinter(name, &printer, &defaults)) return false;
  bool deleted = deletePrinter(printer);
  DWORD error = GetLastError();
  closePrinter(printer);
  SetLastError(error);
  return deleted;
}

bool DeleteDriver(const char* environment, const char* driverName) {
  char env[MAX_PATH] = {0};
  char driver[MAX_PATH] = {0};
  if (std::strlen(environment) >= sizeof env || std::strlen(driverName) >= sizeof driver)
    return SetLastError(ERROR_INVALID_PARAMETER), false;
  std::strcpy(env, environment);
  std::strcpy(driver, driverName);
  CSystemLibrary winspool("winspool.drv");
  auto deleteDriver = winspool.Function<decltype(&DeletePrinterDriverA)>("DeletePrinterDriverA");
  return deleteDriver && deleteDriver(nullptr, env, driver);
}

void DeleteServerForm(const char* formName) {
  CSystemLibrary winspool("winspool.drv");
  auto openPrinter = winspool.Function<decltype(&OpenPrinterA)>("OpenPrinterA");
  auto deleteForm = winspool.Function<decltype(&DeleteFormA)>("DeleteFormA");
  auto closePrinter = winspool.Function<decltype(&ClosePrinter)>("ClosePrinter");
  HANDLE server = nullptr;
  if (!openPrinter || !deleteForm || !closePrinter || !openPrinter(nullptr, &server, nullptr)) return;
  char form[kPathBufferSize] = {0};
  if (std::strlen(formName) < sizeof form) {
    std::strcpy(form, formName);
    deleteForm(server, form);
  }
  closePrinter(server);
}
