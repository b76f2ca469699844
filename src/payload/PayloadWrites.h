// Whoever wants to know what payload extraction writes into files (the installation's record of
// what it wrote); at most one listens at a time.
#pragma once

#include <windows.h>

#include <string>

class CPayloadWriteListener {
 public:
  virtual ~CPayloadWriteListener() = default;
  // `path` was created or emptied for writing (`created`), or could not be.
  virtual void Created(const std::string& path, bool created) = 0;
  // `size` bytes of `data` were handed to WriteFile for `path`; `written` when all of them were.
  virtual void Wrote(const std::string& path, const void* data, DWORD size, bool written) = 0;
  // `path` cannot hold what it should, whatever was written to it: the text it was rewritten from
  // was not written or read whole.
  virtual void Spoiled(const std::string& path) = 0;
};

// Installs `listener` (null: nobody listens).
void SetPayloadWriteListener(CPayloadWriteListener* listener);
