#include "framework/ResourceString.h"

#include <vector>

std::string AfxLoadString(UINT id) {
  // LoadStringA cuts a string to the buffer; a string that fills it is read again into a larger one.
  std::vector<char> buffer(256);
  for (;;) {
    int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) return {};
    if (static_cast<size_t>(length) + 1 < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}
