// Support for the tests of the removal and the system services: a machine made with printers,
// faults and rights, the printer name P, and the trace of the kinds that make up a removal.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "install/WizardInstallHost.h"
#include "shared/globals.h"
#include "support/machine_fixture.h"

namespace k7x::test {

// The driver directory of a default machine.
inline const std::string kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";

class RemovalTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    ResetProgramState();
    SetPrinterName("K7X");
  }


  // RemoveOldInstallation as the wizard runs it, without a frame.
  static void RemoveOldInstallation() {
    CWizardInstallHost host(theApp, nullptr);
    theApp.RemoveOldInstallation(host);
  }

  static void SetPrinterName(const std::string& name) {
    std::memset(g_PrinterName, 0, sizeof g_PrinterName);
    name.copy(g_PrinterName, sizeof g_PrinterName - 1);
  }

  // The trace lines of the given kinds, in order.
  std::vector<std::string> Effects(std::initializer_list<const char*> kinds) const {
    std::vector<std::string> out;
    for (const std::string& line : TraceLines())
      for (const char* kind : kinds)
        if (line.rfind(std::string(kind) + " ", 0) == 0) {
          out.push_back(line);
          break;
        }
    return out;
  }

  // How many trace lines ("<kind> <detail>") start with `prefix`.
  size_t Count(const std::string& prefix) const {
    size_t n = 0;
    for (const std::string& line : TraceLines())
      if (line.rfind(prefix, 0) == 0) ++n;
    return n;
  }

  // A value under HKLM as raw bytes; "<missing>" when the key or value does not exist.
  static std::string MachineValue(const std::string& subKey, const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
      data.resize(size);
      RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size);
    } else {
      data = "<missing>";
    }
    RegCloseKey(key);
    return data;
  }

  static bool KeyExists(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

}  // namespace k7x::test
