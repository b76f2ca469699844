// The buffer protocols of the "A" functions.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace winemu {

// GetWindowsDirectoryA style: copies with terminator and returns the length, or returns the size
// needed (terminator included) and copies nothing when the buffer is too small.
inline std::uint32_t CopyOrNeeded(std::string_view s, char* buffer, std::uint32_t size) {
  if (!buffer || size <= s.size()) return static_cast<std::uint32_t>(s.size() + 1);
  std::memcpy(buffer, s.data(), s.size());
  buffer[s.size()] = '\0';
  return static_cast<std::uint32_t>(s.size());
}

// GetPrivateProfileStringA style: copies what fits, always terminated; returns the count copied.
inline std::uint32_t CopyTruncated(std::string_view s, char* buffer, std::uint32_t size) {
  if (!buffer || size == 0) return 0;
  size_t n = s.size() < size ? s.size() : size - 1;
  std::memcpy(buffer, s.data(), n);
  buffer[n] = '\0';
  return static_cast<std::uint32_t>(n);
}

}  // namespace winemu
