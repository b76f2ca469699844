#include "paths.h"

#include <vector>
#include <winemu/winerror.h>

#include "codepage.h"
#include "directory_view.h"
#include "ini.h"
#include "machine.h"

namespace winemu {
namespace {

constexpr size_t kMaxPath = 260;

bool Forbidden(unsigned char c, bool allowWildcards) {
  if (c < 32) return true;
  switch (c) {
    case '<': case '>': case ':': case '"': case '|': return true;
    case '*': case '?': return !allowWildcards;
    default: return false;
  }
}

std::vector<std::string> Split(std::string_view s) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : s) {
    if (c == '\\' || c == '/') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  parts.push_back(cur);
  return parts;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::uint32_t NormalizePath(std::string_view path, std::string_view cwd, std::string& out, bool allowWildcards) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  std::string full;
  if (path.size() >= 2 && path[1] == ':') {
    if (Fold(path[0]) != 'C') return ERROR_PATH_NOT_FOUND;
    std::string_view rest = path.substr(2);
    if (rest.empty() || (rest[0] != '\\' && rest[0] != '/'))
      full = std::string(cwd) + "\\" + std::string(rest);  // drive-relative: C:name
    else
      full = "C:" + std::string(rest);
  } else if (path[0] == '\\' || path[0] == '/') {
    if (path.size() > 1 && (path[1] == '\\' || path[1] == '/')) return ERROR_BAD_PATHNAME;  // UNC
    full = "C:" + std::string(path);
  } else {
    full = std::string(cwd) + "\\" + std::string(path);
  }
  std::vector<std::string> parts = Split(std::string_view(full).substr(2));
  std::vector<std::string> kept;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string part = parts[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (part.empty()) continue;
    bool last = i + 1 == parts.size();
    for (unsigned char c : part)
      if (Forbidden(c, allowWildcards && last)) return ERROR_INVALID_NAME;
    kept.push_back(part);
  }
  out = "C:";
  if (kept.empty()) out += "\\";
  for (const std::string& k : kept) out += "\\" + k;
  if (out.size() >= kMaxPath) return ERROR_FILENAME_EXCED_RANGE;
  return 0;
}

std::string HostNameToAnsi(const std::string& hostName) { return Utf8ToAnsi(hostName, M().Config().codePage); }

std::string AnsiNameToHost(std::string_view ansiName) { return AnsiToUtf8(ansiName, M().Config().codePage); }

std::uint32_t ResolvePath(std::string_view path, ResolvedPath& out, bool allowWildcards) {
  Machine& m = M();
  std::string full;
  if (std::uint32_t err = NormalizePath(path, m.currentDirectory, full, allowWildcards)) return err;
  out = ResolvedPath{};
  out.windows = full;
  m.HostAccess();
  DirectoryView& view = m.State<DirectoryView>();
  std::string host = m.DriveC().string();
  std::vector<std::string> parts = Split(std::string_view(full).substr(3));
  if (full.size() == 3) parts.clear();
  const DirectoryView::Listing* parent = nullptr;
  const DirectoryView::Entry* entry = nullptr;
  bool present = true;
  for (const std::string& part : parts) {
    std::string want = AnsiNameToHost(part);
    parent = present ? view.List(host) : nullptr;
    entry = parent ? parent->Find(want) : nullptr;
    present = entry != nullptr;
    host += '/';
    host += entry ? entry->name : want;
  }
  out.parentExists = parts.size() <= 1 || parent != nullptr;
  out.exists = parts.empty() || present;
  out.directory = parts.empty() || (entry && entry->directory);
  out.host = host;
  return 0;
}

void NoteMade(const std::filesystem::path& host, bool directory) {
  ++M().driveChanges;
  M().State<DirectoryView>().Made(host.string(), directory);
}

void NoteRemoved(const std::filesystem::path& host) {
  ++M().driveChanges;
  M().State<DirectoryView>().Removed(host.string());
}

void ForgetListings() {
  ++M().driveChanges;
  M().State<DirectoryView>().Clear();
}

bool IsInside(std::string_view path, std::string_view dir) {
  while (!dir.empty() && dir.back() == '\\') dir.remove_suffix(1);
  if (path.size() < dir.size() || !EqualsNoCase(path.substr(0, dir.size()), dir)) return false;
  return path.size() == dir.size() || path[dir.size()] == '\\';
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  // As on Windows, a pattern's trailing "." or ".*" also matches a name without an extension.
  if (p < pattern.size() && pattern[p] == '.') {
    ++p;
    while (p < pattern.size() && pattern[p] == '*') ++p;
  }
  return p == pattern.size();
}

}  // namespace winemu
