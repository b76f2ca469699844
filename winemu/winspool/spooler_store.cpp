#include "spooler_store.h"

#include <windows.h>

#include "advapi32/registry.h"
#include "advapi32/services.h"
#include "machine/ini.h"
#include "machine/machine.h"
#include "environments.h"

namespace winemu::spooler {
namespace {

using reg::Key;
using reg::Registry;
using reg::Root;

constexpr const char* kPrintKey = "SYSTEM\\CurrentControlSet\\Control\\Print";
constexpr const char* kDeviceKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::vector<std::string> Path(std::string_view tail) {
  return *reg::SplitKeyPath(std::string(kPrintKey) + (tail.empty() ? "" : "\\") + std::string(tail));
}
std::vector<std::string> PrintersPath() { return Path("Printers"); }
std::vector<std::string> DriversPath() { return Path(std::string("Environments\\") + kEnvironment + "\\Drivers\\Version-3"); }
std::vector<std::string> FormsPath() { return Path("Forms"); }
std::vector<std::string> PrintProcessorsPath() {
  return Path(std::string("Environments\\") + kEnvironment + "\\Print Processors");
}
std::vector<std::string> PortsPath() { return *reg::SplitKeyPath("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports"); }

std::string Text(const Key& key, std::string_view name) {
  const reg::Value* v = key.FindValue(name);
  return v ? reg::TextOf(*v) : std::string();
}

std::uint32_t Number(const Key& key, std::string_view name, std::uint32_t fallback) {
  const reg::Value* v = key.FindValue(name);
  return v ? reg::DwordOf(*v).value_or(fallback) : fallback;
}

void SetText(Key& key, std::string_view name, std::string_view text) { key.SetValue(name, REG_SZ, reg::StringData(text)); }
void SetNumber(Key& key, std::string_view name, std::uint32_t n) { key.SetValue(name, REG_DWORD, reg::DwordData(n)); }

PrinterRecord ReadPrinter(const Key& key) {
  PrinterRecord p;
  p.name = key.Name();
  p.driver = Text(key, "Printer Driver");
  p.port = Text(key, "Port");
  p.printProcessor = Text(key, "Print Processor");
  p.datatype = Text(key, "Datatype");
  p.shareName = Text(key, "Share Name");
  p.comment = Text(key, "Description");
  p.location = Text(key, "Location");
  p.attributes = Number(key, "Attributes", 0);
  return p;
}

DriverRecord ReadDriver(const Key& key) {
  DriverRecord d;
  d.name = key.Name();
  d.version = Number(key, "Version", 3);
  d.driverPath = Text(key, "Driver");
  d.dataFile = Text(key, "Data File");
  d.configFile = Text(key, "Configuration File");
  d.helpFile = Text(key, "Help File");
  if (const reg::Value* v = key.FindValue("Dependent Files")) d.dependentFiles = reg::MultiTextOf(*v);
  d.monitor = Text(key, "Monitor");
  d.defaultDatatype = Text(key, "Datatype");
  return d;
}

// Changes to the running machine's spooler data: written, saved at once and traced.
template <class Write>
void Change(const char* kind, std::string_view detail, Write write) {
  Registry& registry = reg::MachineRegistry();
  write(registry);
  registry.SaveAll();
  TraceResult(kind, detail, 0);
}

}  // namespace

std::string DriverDirectory() { return *EnvironmentDirectory(kEnvironment); }

bool SpoolerRunning() { return svc::Services().State() == SERVICE_RUNNING; }

std::vector<PrinterRecord> Printers() {
  std::vector<PrinterRecord> out;
  if (Key* printers = reg::MachineRegistry().Find(Root::LocalMachine, PrintersPath()))
    for (const Key* key : printers->Children()) out.push_back(ReadPrinter(*key));
  return out;
}

std::optional<PrinterRecord> FindPrinter(std::string_view name) {
  Key* printers = reg::MachineRegistry().Find(Root::LocalMachine, PrintersPath());
  Key* key = printers && !name.empty() ? printers->Child(name) : nullptr;
  if (!key) return std::nullopt;
  return ReadPrinter(*key);
}

void AddPrinter(const PrinterRecord& printer) {
  Change("spooler.addprinter", printer.name + " driver=\"" + printer.driver + "\" port=" + printer.port,
         [&](Registry& r) { WritePrinter(r, printer); });
}

bool RemovePrinter(std::string_view name) {
  auto printer = FindPrinter(name);
  if (!printer) return false;
  bool wasDefault = DefaultPrinter() && EqualsNoCase(*DefaultPrinter(), printer->name);
  Registry& registry = reg::MachineRegistry();
  std::vector<std::string> path = PrintersPath();
  path.push_back(printer->name);
  registry.Remove(Root::LocalMachine, path);
  if (wasDefault) {
    std::vector<PrinterRecord> rest = Printers();
    if (!rest.empty()) WriteDefaultPrinter(registry, rest.front().name, rest.front().port);
    else if (Key* key = registry.Find(Root::CurrentUser, *reg::SplitKeyPath(kDeviceKey))) key->RemoveValue("Device");
  }
  registry.SaveAll();
  return true;
}

std::vector<DriverRecord> Drivers() {
  std::vector<DriverRecord> out;
  if (Key* drivers = reg::MachineRegistry().Find(Root::LocalMachine, DriversPath()))
    for (const Key* key : drivers->Children()) out.push_back(ReadDriver(*key));
  return out;
}

std::optional<DriverRecord> FindDriver(std::string_view name) {
  Key* drivers = reg::MachineRegistry().Find(Root::LocalMachine, DriversPath());
  Key* key = drivers && !name.empty() ? drivers->Child(name) : nullptr;
  if (!key) return std::nullopt;
  return ReadDriver(*key);
}

void AddDriver(const DriverRecord& driver) {
  Change("spooler.adddriver", driver.name, [&](Registry& r) { WriteDriver(r, driver); });
}

bool RemoveDriver(std::string_view name) {
  auto driver = FindDriver(name);
  if (!driver) return false;
  Registry& registry = reg::MachineRegistry();
  std::vector<std::string> path = DriversPath();
  path.push_back(driver->name);
  registry.Remove(Root::LocalMachine, path);
  registry.Save(Root::LocalMachine);
  return true;
}

std::optional<std::string> DefaultPrinter() {
  Key* key = reg::MachineRegistry().Find(Root::CurrentUser, *reg::SplitKeyPath(kDeviceKey));
  const reg::Value* device = key ? key->FindValue("Device") : nullptr;
  if (!device) return std::nullopt;
  std::string text = reg::TextOf(*device);
  return text.substr(0, text.find(','));
}

void SetDefaultPrinter(std::string_view name) {
  auto printer = FindPrinter(name);
  if (!printer) {
    TraceResult("spooler.setdefault", name, ERROR_INVALID_PRINTER_NAME);
    return;
  }
  Change("spooler.setdefault", printer->name,
         [&](Registry& r) { WriteDefaultPrinter(r, printer->name, printer->port); });
}

bool PortExists(std::string_view name) {
  Key* ports = reg::MachineRegistry().Find(Root::LocalMachine, PortsPath());
  return ports && !name.empty() && ports->FindValue(name);
}

bool PrintProcessorExists(std::string_view name) {
  Key* processors = reg::MachineRegistry().Find(Root::LocalMachine, PrintProcessorsPath());
  return processors && !name.empty() && processors->Child(name);
}

std::vector<std::string> Forms() {
  std::vector<std::string> out;
  if (Key* forms = reg::MachineRegistry().Find(Root::LocalMachine, FormsPath()))
    for (const reg::Value& v : forms->Values()) out.push_back(v.name);
  return out;
}

bool DeleteForm(std::string_view name) {
  Registry& registry = reg::MachineRegistry();
  Key* forms = registry.Find(Root::LocalMachine, FormsPath());
  if (!forms || !forms->RemoveValue(name)) return false;
  registry.Save(Root::LocalMachine);
  return true;
}

void AddForm(std::string_view name, unsigned widthMicrons, unsigned heightMicrons) {
  // A user form as the spooler keeps it: size, imageable area (the whole sheet), index, flags.
  std::string data;
  for (std::uint32_t n : {widthMicrons, heightMicrons, 0u, 0u, widthMicrons, heightMicrons, 0u, 0u})
    data += reg::DwordData(n);
  Change("spooler.addform", name, [&](Registry& r) {
    r.Create(Root::LocalMachine, FormsPath()).SetValue(name, REG_BINARY, data);
  });
}

void WriteSpoolerKeys(Registry& r) {
  r.Create(Root::LocalMachine, PrintersPath());
  r.Create(Root::LocalMachine, DriversPath());
  r.Create(Root::LocalMachine, FormsPath());
  std::vector<std::string> winprint = PrintProcessorsPath();
  winprint.push_back("winprint");
  SetText(r.Create(Root::LocalMachine, winprint), "Driver", "WINPRINT.DLL");
  SetText(r.Create(Root::LocalMachine, Path("Monitors\\Local Port")), "Driver", "localspl.dll");
  Key& ports = r.Create(Root::LocalMachine, PortsPath());
  for (const char* port : {"LPT1:", "LPT2:", "LPT3:", "FILE:"}) SetText(ports, port, "");
  for (const char* port : {"COM1:", "COM2:", "COM3:", "COM4:"}) SetText(ports, port, "9600,n,8,1");
  r.Create(Root::CurrentUser, {"Printers"});
  r.Create(Root::CurrentUser, *reg::SplitKeyPath(kDeviceKey));
  r.Create(Root::CurrentConfig, *reg::SplitKeyPath("System\\CurrentControlSet\\Control\\Print\\Printers"));
}

void WritePrinter(Registry& r, const PrinterRecord& p) {
  std::vector<std::string> path = PrintersPath();
  path.push_back(p.name);
  Key& key = r.Create(Root::LocalMachine, path);
  SetText(key, "Name", p.name);
  SetText(key, "Share Name", p.shareName);
  SetText(key, "Port", p.port);
  SetText(key, "Printer Driver", p.driver);
  SetText(key, "Description", p.comment);
  SetText(key, "Location", p.location);
  SetText(key, "Print Processor", p.printProcessor);
  SetText(key, "Datatype", p.datatype);
  SetText(key, "Parameters", "");
  SetNumber(key, "Attributes", p.attributes);
  SetNumber(key, "Priority", 1);
  SetNumber(key, "Default Priority", 0);
  SetNumber(key, "StartTime", 0);
  SetNumber(key, "UntilTime", 0);
  SetNumber(key, "Status", 0);
  key.AddChild("PrinterDriverData");
  // What the spooler publishes about the printer.
  Key& ds = key.AddChild("DsSpooler");
  SetText(ds, "printerName", p.name);
  SetText(ds, "driverName", p.driver);
  ds.SetValue("portName", REG_MULTI_SZ, reg::MultiStringData({p.port}));
  SetText(ds, "printShareName", p.shareName);
  SetText(ds, "description", p.comment);
  SetText(ds, "location", p.location);
  SetNumber(ds, "priority", 1);
  SetNumber(ds, "versionNumber", 4);
}

void WriteDriver(Registry& r, const DriverRecord& d) {
  std::vector<std::string> path = DriversPath();
  path.push_back(d.name);
  Key& key = r.Create(Root::LocalMachine, path);
  SetText(key, "Configuration File", d.configFile);
  SetText(key, "Data File", d.dataFile);
  SetText(key, "Driver", d.driverPath);
  SetText(key, "Help File", d.helpFile);
  key.SetValue("Dependent Files", REG_MULTI_SZ, reg::MultiStringData(d.dependentFiles));
  SetText(key, "Monitor", d.monitor);
  SetText(key, "Datatype", d.defaultDatatype);
  SetNumber(key, "Version", d.version);
}

void WriteDefaultPrinter(Registry& r, std::string_view name, std::string_view port) {
  Key& key = r.Create(Root::CurrentUser, *reg::SplitKeyPath(kDeviceKey));
  SetText(key, "Device", std::string(name) + ",winspool," + std::string(port));
}

}  // namespace winemu::spooler
