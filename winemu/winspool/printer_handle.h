// The object behind a spooler handle from OpenPrinterA: the printer it names (empty for the print
// server) and the access it was opened with.
#pragma once

#include <string>

#include <windows.h>

#include "kernel32/handles.h"

namespace winemu::spooler {

class PrinterHandle : public KernelObject {
 public:
  PrinterHandle(std::string n, ACCESS_MASK a) : name(std::move(n)), access(a) {}
  std::string name;
  ACCESS_MASK access;
};

}  // namespace winemu::spooler
