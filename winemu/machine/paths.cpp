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

// The components between separators; a double-byte character's trail byte (0x5C in many Big5
// characters) is part of its character, never a separator.
std::vector<std::string> Split(std::string_view s, unsigned codePage) {
  std::vector<std::string> parts;
  std::string cur;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (IsLeadByte(codePage, static_cast<unsigned char>(c)) && i + 1 < s.size()) {
      cur += c;
      cur += s[++i];
    } else if (c == '\\' || c == '/') {
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

std::uint32_t NormalizePath(std::string_view path, std::string_view cwd, std::string& out, bool allowWildcards,
                            unsigned codePage) {
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
  std::vector<std::string> parts = Split(std::string_view(full).substr(2), codePage);
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
    for (size_t k = 0; k < part.size(); ++k) {
      unsigned char c = static_cast<unsigned char>(part[k]);
      if (IsLeadByte(codePage, c) && k + 1 < part.size()) ++k;
      else if (Forbidden(c, allowWildcards && last)) return ERROR_INVALID_NAME;
    }
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
  unsigned codePage = m.Config().codePage;
  if (std::uint32_t err = NormalizePath(path, m.currentDirectory, full, allowWildcards, codePage)) return err;
  out = ResolvedPath{};
  out.windows = full;
  m.HostAccess();
  DirectoryView& view = m.State<DirectoryView>();
  std::string host = m.DriveC().string();
  std::vector<std::string> parts = Split(std::string_view(full).substr(3), codePage);
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

std::string DirectoryOf(std::string_view path, unsigned codePage) {
  std::vector<std::string> parts = Split(path, codePage);
  parts.pop_back();
  std::string dir;
  for (const std::string& part : parts) dir += (dir.empty() ? "" : "\\") + part;
  return dir;
}

size_t FindBackslash(std::string_view text, size_t start, unsigned codePage) {
  for (size_t i = start; i < text.size(); ++i) {
    if (IsLeadByte(codePage, static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
    else if (text[i] == '\\') return i;
  }
  return std::string_view::npos;
}

std::string FileNameIn(std::string_view path, unsigned codePage) { return Split(path, codePage).back(); }

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
