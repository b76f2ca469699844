#include "install/WrittenFiles.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

#include "payload/PayloadWrites.h"
#include "shared/constants.h"
#include "sys/DriverDir.h"

namespace {

// Size and FNV-1a hash of a byte stream.
struct Contents {
  std::uint64_t size = 0;
  std::uint64_t hash = 14695981039346656037ull;
  void Add(const void* data, DWORD count) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (DWORD i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    size += count;
  }
  bool operator==(const Contents& other) const { return size == other.size && hash == other.hash; }
};

struct Written {
  Contents contents;
  bool failed = false;
};

// Windows paths are compared without case.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
};

class CRecord : public CPayloadWriteListener {
 public:
  void Created(const std::string& path, bool created) override {
    m_files[path] = Written();
    m_files[path].failed = !created;
  }
  void Wrote(const std::string& path, const void* data, DWORD size, bool written) override {
    Written& file = m_files[path];
    file.contents.Add(data, size);
    file.failed = file.failed || !written;
  }
  void Spoiled(const std::string& path) override { m_files[path].failed = true; }

  std::map<std::string, Written, NoCase> m_files;
  std::vector<std::string> m_copied;  // names copied from C:\TEMP into the driver directory
};

CRecord g_record;

// What the file at `path` holds now; false when it cannot be read.
bool ReadContents(const std::string& path, Contents& contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[64 * 1024];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) contents.Add(buffer, read);
  CloseHandle(file);
  return ok;
}

bool Holds(const std::string& path, const Written& written) {
  Contents now;
  return !written.failed && ReadContents(path, now) && now == written.contents;
}

}  // namespace

void StartWrittenFilesRecord() {
  g_record.m_files.clear();
  g_record.m_copied.clear();
  SetPayloadWriteListener(&g_record);
}

void NoteCopiedToDriverDir(const std::string& name) { g_record.m_copied.push_back(name); }

bool WrittenFileIntact(const std::string& path) {
  auto staged = g_record.m_files.find(path);
  if (staged != g_record.m_files.end()) return Holds(path, staged->second);
  // A copy holds what its staged file was written with.
  char copy[kPathBufferSize];
  char source[kPathBufferSize];
  for (const std::string& name : g_record.m_copied) {
    if (!DriverDirPath(name, copy) || lstrcmpiA(copy, path.c_str()) != 0) continue;
    staged = StagingDirPath(name, source) ? g_record.m_files.find(source) : g_record.m_files.end();
    return staged != g_record.m_files.end() && Holds(path, staged->second);
  }
  return false;
}

bool WrittenFilesIntact() {
  for (const auto& [path, written] : g_record.m_files)
    if (!Holds(path, written)) return false;
  char copy[kPathBufferSize];
  for (const std::string& name : g_record.m_copied)
    if (!DriverDirPath(name, copy) || !WrittenFileIntact(copy)) return false;
  return true;
}
