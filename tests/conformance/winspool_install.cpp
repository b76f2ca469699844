// winspool, what a printer setup utility calls: AddPrinterDriverExA level 3 with files taken from
// the driver directory into its version-3 directory, AddPrinterA level 2 with the subkeys the
// spooler keeps under the printer's key, SetDefaultPrinterA and GetDefaultPrinterA with its
// two-call protocol. The driver and the printer added here stay on the machine (the subset has no
// call that removes them), and the printer becomes the default one; the suite's machine is thrown
// away after the run.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

constexpr const char* kDriver = "Conformance Driver";
constexpr const char* kPrinter = "Conformance Added";
constexpr const char* kPrintersKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
const char* const kDriverFiles[] = {"CONFDRV.DLL", "CONFDRV.GPD", "CONFUI.DLL", "CONFDRV.INI"};
const char kUncheckedPort[] = "Wine's AddPrinterA does not look the port up among the ports";
const char kUncheckedFiles[] = "Wine's AddPrinterDriverExA adds a driver whose files it cannot find";
const char kUnknownDriver[] = "Wine's AddPrinterA answers an unknown driver with ERROR_INVALID_PARAMETER";
const char kTakenName[] = "Wine's AddPrinterA adds a printer under a name that is taken";
const char kNoSubkeys[] = "Wine's spooler keeps no subkeys under a printer's key";
const char kWineDevice[] = "Wine names its own driver wineps.drv in Device where Windows names winspool";

// The spooler's driver directory for the running system's own environment.
std::string DriverDirectory() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
  return directory;
}

// A level-3 record for the conformance driver with bare file names; `dependents` in the spooler's
// list form (each name with its terminator, one more at the end).
DRIVER_INFO_3A DriverRecord(std::string& name, std::vector<std::string>& files, std::string& dependents) {
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = name.data();
  info.pDriverPath = files[0].data();
  info.pDataFile = files[1].data();
  info.pConfigFile = files[2].data();
  info.pDependentFiles = dependents.data();
  return info;
}

// The driver listed by EnumPrinterDriversA at level 3, or an empty record.
std::vector<BYTE> ListedDriver(const DRIVER_INFO_3A** found) {
  *found = nullptr;
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversA(nullptr, nullptr, 3, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPrinterDriversA(nullptr, nullptr, 3, buffer.data(), needed, &needed, &returned)) return buffer;
  auto* drivers = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    if (drivers[i].pName && std::strcmp(drivers[i].pName, kDriver) == 0) *found = &drivers[i];
  return buffer;
}

void CheckAddDriver() {
  std::string directory = DriverDirectory();
  for (const char* file : kDriverFiles)
    ok(WriteBytes(directory + "\\" + file, std::string("conformance ") + file), "cannot write %s in %s", file,
       directory.c_str());
  std::string name = kDriver;
  std::vector<std::string> files(std::begin(kDriverFiles), std::end(kDriverFiles));
  std::string dependents = std::string(kDriverFiles[3]) + '\0' + '\0';
  DRIVER_INFO_3A info = DriverRecord(name, files, dependents);

  ok_fails(!AddPrinterDriverExA(nullptr, 1, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES), ERROR_INVALID_LEVEL,
           "AddPrinterDriverExA at level 1");
  std::string missing = "CONFGONE.GPD";
  info.pDataFile = missing.data();
  const DRIVER_INFO_3A* listed = nullptr;
  todo_wine(kUncheckedFiles) {
    ok_fails(!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES), ERROR_FILE_NOT_FOUND,
             "AddPrinterDriverExA with a data file that is not there");
  }
  ListedDriver(&listed);
  todo_wine(kUncheckedFiles) { ok(listed == nullptr, "a refused driver is listed"); }

  info.pDataFile = files[1].data();
  ok(AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES),
     "AddPrinterDriverExA level 3 failed with %u", static_cast<unsigned>(GetLastError()));
  for (const char* file : kDriverFiles) {
    std::string copy = ReadBytes(directory + "\\3\\" + file);
    ok(copy == std::string("conformance ") + file, "%s in the version-3 directory holds '%s'", file,
       Shown(copy).c_str());
  }
  std::vector<BYTE> buffer = ListedDriver(&listed);
  ok(listed != nullptr, "EnumPrinterDriversA does not list the driver added");
  if (!listed) return;
  std::string dataFile = directory + "\\3\\CONFDRV.GPD";
  ok(listed->cVersion == 3 && listed->pDataFile && lstrcmpiA(listed->pDataFile, dataFile.c_str()) == 0,
     "the driver reads version %u with the data file '%s', expected 3 and '%s'", static_cast<unsigned>(listed->cVersion),
     listed->pDataFile ? listed->pDataFile : "(null)", dataFile.c_str());
}

// AddPrinterA level 2 on `port` with the conformance driver; its handle is closed.
bool AddPrinterOn(const char* printer, const char* port, const char* driver) {
  std::string name = printer, portName = port, driverName = driver, processor = "WinPrint", datatype = "RAW";
  PRINTER_INFO_2A info{};
  info.pPrinterName = name.data();
  info.pPortName = portName.data();
  info.pDriverName = driverName.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = datatype.data();
  HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (handle) ClosePrinter(handle);
  return handle != nullptr;
}

void CheckAddPrinter() {
  todo_wine(kUnknownDriver) {
    ok_fails(!AddPrinterOn(kPrinter, "LPT1:", "Conformance No Such Driver"), ERROR_UNKNOWN_PRINTER_DRIVER,
             "AddPrinterA with a driver that is not installed");
  }
  // A name of its own: Wine adds this printer.
  todo_wine(kUncheckedPort) {
    ok_fails(!AddPrinterOn("Conformance Port Probe", "K7X9:", kDriver), ERROR_UNKNOWN_PORT,
             "AddPrinterA on a port that does not exist");
  }
  ok(AddPrinterOn(kPrinter, "LPT1:", kDriver), "AddPrinterA level 2 failed with %u",
     static_cast<unsigned>(GetLastError()));
  todo_wine(kTakenName) {
    ok_fails(!AddPrinterOn("conformance added", "LPT1:", kDriver), ERROR_PRINTER_ALREADY_EXISTS,
             "AddPrinterA of a name taken, in small letters");
  }
  HANDLE printer = nullptr;
  std::string name = kPrinter;
  ok(OpenPrinterA(name.data(), &printer, nullptr), "OpenPrinterA of the printer added failed with %u",
     static_cast<unsigned>(GetLastError()));
  if (printer) ClosePrinter(printer);

  std::string key = std::string(kPrintersKey) + kPrinter;
  HKEY printerKey = nullptr;
  ok(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &printerKey) == ERROR_SUCCESS,
     "the printer has no key %s", key.c_str());
  if (!printerKey) return;
  HKEY data = nullptr;
  todo_wine(kNoSubkeys) {
    ok(RegOpenKeyExA(printerKey, "PrinterDriverData", 0, KEY_READ, &data) == ERROR_SUCCESS,
       "the printer's key has no subkey PrinterDriverData");
  }
  if (data) RegCloseKey(data);
  char port[MAX_PATH] = {};
  DWORD size = sizeof port;
  ok(RegQueryValueExA(printerKey, "Port", nullptr, nullptr, reinterpret_cast<BYTE*>(port), &size) == ERROR_SUCCESS &&
         std::strcmp(port, "LPT1:") == 0,
     "the printer's key names the port '%s', expected LPT1:", port);
  RegCloseKey(printerKey);
}

void CheckDefaultPrinter() {
  ok(SetDefaultPrinterA(kPrinter), "SetDefaultPrinterA failed with %u", static_cast<unsigned>(GetLastError()));
  DWORD size = 0;
  ok_fails(!GetDefaultPrinterA(nullptr, &size), ERROR_INSUFFICIENT_BUFFER, "GetDefaultPrinterA asking for the size");
  ok(size == std::strlen(kPrinter) + 1, "the size asked for is %u characters, expected %u", static_cast<unsigned>(size),
     static_cast<unsigned>(std::strlen(kPrinter) + 1));
  char name[MAX_PATH] = {};
  size = sizeof name;
  ok(GetDefaultPrinterA(name, &size) && std::strcmp(name, kPrinter) == 0 && size == std::strlen(kPrinter) + 1,
     "GetDefaultPrinterA gave '%s' (%u), expected '%s' (%u)", name, static_cast<unsigned>(size), kPrinter,
     static_cast<unsigned>(std::strlen(kPrinter) + 1));

  HKEY windows = nullptr;
  char device[MAX_PATH] = {};
  DWORD bytes = sizeof device;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0, KEY_READ,
                    &windows) == ERROR_SUCCESS) {
    RegQueryValueExA(windows, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &bytes);
    RegCloseKey(windows);
  }
  todo_wine(kWineDevice) {
    ok(std::strncmp(device, "Conformance Added,winspool,", 27) == 0, "the profile's Device reads '%s'", device);
  }

  ok_fails(!SetDefaultPrinterA("Conformance No Such Printer"), ERROR_INVALID_PRINTER_NAME,
           "SetDefaultPrinterA of a printer that does not exist");
  size = sizeof name;
  ok(GetDefaultPrinterA(name, &size) && std::strcmp(name, kPrinter) == 0, "a refused default changed it to '%s'", name);
}

}  // namespace

void CheckSpoolerInstall() {
  CheckAddDriver();
  CheckAddPrinter();
  CheckDefaultPrinter();
}

}  // namespace conformance
