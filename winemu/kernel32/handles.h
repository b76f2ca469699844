// Kernel object handles: every HANDLE winemu hands out points at a live KernelObject.
#pragma once

#include <memory>
#include <set>

#include "machine/machine.h"

namespace winemu {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

class HandleTable {
 public:
  explicit HandleTable(Machine&) {}
  void* Add(std::unique_ptr<KernelObject> object);
  // The object behind a handle if it is live and of type T.
  template <class T>
  T* Get(void* handle) const {
    auto it = objects_.find(static_cast<KernelObject*>(handle));
    return it == objects_.end() ? nullptr : dynamic_cast<T*>(*it);
  }
  bool Close(void* handle);  // false for a handle that is not live
  ~HandleTable();

 private:
  std::set<KernelObject*> objects_;
};

inline HandleTable& Handles() { return M().State<HandleTable>(); }

}  // namespace winemu
