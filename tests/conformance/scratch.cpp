#include "scratch.h"

namespace conformance {

std::string InScratch(const std::string& name) { return std::string(kScratch) + "\\" + name; }

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL done = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return done && written == bytes.size();
}

std::string ReadBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char chunk[512];
  DWORD got = 0;
  while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(h);
  return bytes;
}

std::string Shown(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\0') out += "\\0";
    else out += c;
  }
  return out;
}

}  // namespace conformance
