#include "handles.h"

namespace winemu {

void* HandleTable::Add(std::unique_ptr<KernelObject> object) {
  KernelObject* raw = object.release();
  objects_.insert(raw);
  return raw;
}

bool HandleTable::Close(void* handle) {
  auto it = objects_.find(static_cast<KernelObject*>(handle));
  if (it == objects_.end()) return false;
  KernelObject* object = *it;
  objects_.erase(it);
  delete object;
  return true;
}

HandleTable::~HandleTable() {
  for (KernelObject* object : objects_) delete object;
}

}  // namespace winemu
