#include "sys/Spooler.h"
#include "shared/constants.h"

#include <winspool.h>

#include <cstring>

bool GetDriverDirectory(const char* environment, char (&directory)[kPathBufferSize]) {
  char env[kPathBufferSize] = {0};
  std::memset(directory, 0, sizeof directory);
  if (std::strlen(environment) >= sizeof env) return false;
  std::strcpy(env, environment);
  DWORD needed = 0;
  BOOL ok = GetPrinterDriverDirectoryA(nullptr, env, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory, &needed);
  // Only a terminated, non-empty directory inside the buffer can be composed with.
  if (!ok || directory[0] == '\0' || std::memchr(directory, '\0', sizeof directory) == nullptr) {
    directory[0] = '\0';
    return false;
  }
  return true;
}

bool EnumLocalPrinters(std::vector<LocalPrinter>& printers) {
  printers.clear();
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) return true;
  std::vector<BYTE> buffer(needed, 0);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned)) return false;
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
  PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterA(name, &printer, &defaults)) return false;
  bool deleted = DeletePrinter(printer);
  DWORD error = GetLastError();
  ClosePrinter(printer);
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
  return DeletePrinterDriverA(nullptr, env, driver);
}

void DeleteServerForm(const char* formName) {
  HANDLE server = nullptr;
  if (!OpenPrinterA(nullptr, &server, nullptr)) return;
  char form[kPathBufferSize] = {0};
  if (std::strlen(formName) < sizeof form) {
    std::strcpy(form, formName);
    DeleteFormA(server, form);
  }
  ClosePrinter(server);
}
