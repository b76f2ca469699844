// The root class of the framework's classes: objects of derived classes are destroyed through it.
#pragma once

class CObject {
 public:
  CObject() = default;
  virtual ~CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};
