// A spooler handle: an open printer, or the local print server when the name is empty.
#pragma once

#include <string>

#include "kernel32/handles.h"

namespace winemu::spooler {

class PrinterObject : public KernelObject {
 public:
  explicit PrinterObject(std::string n) : name(std::move(n)) {}
  std::string name;
};

}  // namespace winemu::spooler
