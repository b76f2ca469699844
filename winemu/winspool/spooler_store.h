// The spooler's data as winemu keeps it: printers, drivers, forms and the default printer live in
// the registry places Windows uses, so every view of them (the spooler calls, the printer setup
// utility, "winemu printers") reads the same keys.
//   printers: HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers\<name>, with the subkeys
//             PrinterDriverData and DsSpooler Windows keeps (so RegDeleteKeyA cannot remove one)
//   drivers:  HKLM\SYSTEM\CurrentControlSet\Control\Print\Environments\Windows NT x86\Drivers\Version-3\<name>
//   forms:    HKLM\SYSTEM\CurrentControlSet\Control\Print\Forms
//   ports:    HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports, one value a port
//   print processors: ...\Environments\Windows NT x86\Print Processors\<name>
//   default:  HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows, value Device ("name,winspool,port")
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winemu::spooler {

constexpr const char* kEnvironment = "Windows NT x86";

struct PrinterRecord {
  std::string name;
  std::string driver;
  std::string port;
  std::string printProcessor = "WinPrint";
  std::string datatype = "RAW";
  std::string shareName;
  std::string comment;
  std::string location;
  unsigned attributes = 0x00000040;  // PRINTER_ATTRIBUTE_LOCAL
};

struct DriverRecord {
  std::string name;
  std::string environment = kEnvironment;
  unsigned version = 3;
  std::string driverPath;  // file names as installed in the driver directory's 3 subdirectory
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::vector<std::string> dependentFiles;
  std::string monitor;
  std::string defaultDatatype;
};

// The spooler's driver directory for its own environment, "Windows NT x86".
std::string DriverDirectory();
bool SpoolerRunning();

std::vector<PrinterRecord> Printers();  // in the order the registry lists them
std::optional<PrinterRecord> FindPrinter(std::string_view name);  // name without case
void AddPrinter(const PrinterRecord& printer);                      // traced as spooler.addprinter
// Removes the printer's key with everything below it; when it was the default printer, the first
// remaining printer becomes the default, or none is left. False when it does not exist.
bool RemovePrinter(std::string_view name);
std::vector<DriverRecord> Drivers();
std::optional<DriverRecord> FindDriver(std::string_view name);
void AddDriver(const DriverRecord& driver);                         // traced as spooler.adddriver
// Removes the driver's key; its files stay. False when it does not exist.
bool RemoveDriver(std::string_view name);
std::optional<std::string> DefaultPrinter();                        // the printer name of Device
void SetDefaultPrinter(std::string_view name);                      // traced as spooler.setdefault
bool PortExists(std::string_view name);           // without case
bool PrintProcessorExists(std::string_view name);  // without case
std::vector<std::string> Forms();
bool DeleteForm(std::string_view name);
void AddForm(std::string_view name, unsigned widthMicrons, unsigned heightMicrons);  // traced as spooler.addform

}  // namespace winemu::spooler

namespace winemu::reg {
class Registry;
}

namespace winemu::spooler {

// The same records written into a registry that is not yet a running machine's (winemu create):
// the spooler's empty keys, printers, drivers and the default printer. Not traced.
void WriteSpoolerKeys(reg::Registry& registry);
void WritePrinter(reg::Registry& registry, const PrinterRecord& printer);
void WriteDriver(reg::Registry& registry, const DriverRecord& driver);
void WriteDefaultPrinter(reg::Registry& registry, std::string_view name, std::string_view port);

}  // namespace winemu::spooler
