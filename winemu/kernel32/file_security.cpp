#include "file_security.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <windows.h>

#include "machine/ini.h"
#include "machine/machine.h"
#include "user_writer.h"

namespace winemu {
namespace {

bool g_actingAsStandardUser = false;

// The user_writer fault watches the trace of every machine that has files.
const bool kUserWriterInstalled = (Machine::SetTraceHook(&RunUserWriter), true);

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

std::vector<std::string> SplitOn(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::optional<Ace> ParseAce(const std::string& text) {
  std::vector<std::string> fields = SplitOn(text, ':');
  if (fields.size() != 3 || fields[0].rfind("S-1-", 0) != 0) return std::nullopt;
  try {
    Ace ace{fields[0], static_cast<std::uint32_t>(std::stoul(fields[1], nullptr, 16)),
            static_cast<std::uint8_t>(std::stoul(fields[2], nullptr, 16))};
    return ace;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::uint32_t MapGeneric(std::uint32_t mask) {
  std::uint32_t mapped = mask & 0x0FFFFFFF;
  if (mask & GENERIC_READ) mapped |= FILE_GENERIC_READ;
  if (mask & GENERIC_WRITE) mapped |= FILE_GENERIC_WRITE;
  if (mask & GENERIC_EXECUTE) mapped |= FILE_GENERIC_EXECUTE;
  if (mask & GENERIC_ALL) mapped |= FILE_ALL_ACCESS;
  return mapped;
}

// What a new object below `parent` inherits: the ACEs for its kind, marked inherited.
std::vector<Ace> Inherit(const FileSecurity& parent, bool directory) {
  std::vector<Ace> out;
  for (const Ace& ace : parent.dacl) {
    bool forObjects = ace.flags & OBJECT_INHERIT_ACE, forContainers = ace.flags & CONTAINER_INHERIT_ACE;
    if (!(directory ? (forContainers || forObjects) : forObjects)) continue;
    Ace child = ace;
    std::uint8_t flags = INHERITED_ACE;
    if (directory && !(ace.flags & NO_PROPAGATE_INHERIT_ACE))
      flags |= (ace.flags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) | (forContainers ? 0 : INHERIT_ONLY_ACE);
    child.flags = flags;
    out.push_back(child);
  }
  return out;
}

}  // namespace

std::string FormatSecurityFile(const std::map<std::string, FileSecurity>& entries) {
  std::string out;
  for (const auto& [path, sec] : entries) {
    out += path + "|" + sec.owner + "|" + (sec.daclProtected ? "P" : "-") + "|";
    for (size_t i = 0; i < sec.dacl.size(); ++i)
      out += (i ? "," : "") + sec.dacl[i].sid + ":" + Hex(sec.dacl[i].mask) + ":" + Hex(sec.dacl[i].flags);
    out += "\n";
  }
  return out;
}

std::map<std::string, FileSecurity> ParseSecurityFile(const std::string& text) {
  std::map<std::string, FileSecurity> entries;
  for (const std::string& line : SplitOn(text, '\n')) {
    std::vector<std::string> fields = SplitOn(line, '|');
    if (fields.size() == 3) fields.emplace_back();  // an empty DACL
    if (fields.size() != 4 || fields[0].size() < 3 || fields[1].rfind("S-1-", 0) != 0) continue;
    FileSecurity sec{fields[1], fields[2] == "P", {}};
    bool good = true;
    for (const std::string& ace : SplitOn(fields[3], ',')) {
      auto parsed = ParseAce(ace);
      good = good && parsed;
      if (parsed) sec.dacl.push_back(*parsed);
    }
    if (good) entries[fields[0]] = sec;
  }
  return entries;
}

SecurityStore::SecurityStore(Machine& machine) : machine_(machine) {
  std::ifstream in(machine.Root() / "security.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  entries_ = ParseSecurityFile(text.str());
}

std::optional<FileSecurity> SecurityStore::Effective(const std::string& windowsPath) const {
  for (std::string path = windowsPath;; path = ParentPath(path)) {
    for (const auto& [key, sec] : entries_)
      if (EqualsNoCase(key, path)) return sec;
    if (path.size() <= 3) return std::nullopt;
  }
}

bool SecurityStore::HasOwn(const std::string& windowsPath) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return EqualsNoCase(e.first, windowsPath); });
}

void SecurityStore::Set(const std::string& windowsPath, const FileSecurity& security) {
  std::erase_if(entries_, [&](const auto& e) { return EqualsNoCase(e.first, windowsPath); });
  entries_[windowsPath] = security;
  Save();
}

void SecurityStore::Made(const std::string& windowsPath, bool directory, const FileSecurity* given) {
  std::optional<FileSecurity> parent = Effective(ParentPath(windowsPath));
  FileSecurity made{CallerDefaultOwner(), false, {}};
  if (given && !given->owner.empty()) made.owner = given->owner;
  if (given && (given->daclProtected || !given->dacl.empty())) {
    made.daclProtected = given->daclProtected;
    made.dacl = given->dacl;
  } else if (parent) {
    made.dacl = Inherit(*parent, directory);
  } else if (!CallerIsAdministrator()) {
    // Below no entry a standard user's new object is theirs in full, as CREATOR OWNER grants on C:\.
    made.dacl = {{CallerDefaultOwner(), FILE_ALL_ACCESS, 0x3}, {sids::kAdministrators, FILE_ALL_ACCESS, 0x3},
                 {sids::kSystem, FILE_ALL_ACCESS, 0x3}, {sids::kUsers, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, 0x3}};
  } else if (!given) {
    return;  // an administrator's object under the default rules
  }
  Set(windowsPath, made);
}

void SecurityStore::Removed(const std::string& windowsPath) {
  std::string below = windowsPath + "\\";
  auto erased = std::erase_if(entries_, [&](const auto& e) {
    return EqualsNoCase(e.first, windowsPath) ||
           (e.first.size() > below.size() && EqualsNoCase(e.first.substr(0, below.size()), below));
  });
  if (erased) Save();
}

void SecurityStore::Save() const {
  std::ofstream out(machine_.Root() / "security.txt", std::ios::binary | std::ios::trunc);
  out << FormatSecurityFile(entries_);
}

std::vector<std::string> CallerSids() {
  std::vector<std::string> sids = {sids::kEveryone, sids::kUsers, sids::kAuthenticatedUsers};
  if (CallerIsAdministrator()) {
    sids.push_back(sids::kAdministrator);
    sids.push_back(sids::kAdministrators);
  } else {
    sids.push_back(sids::kStandardUser);
  }
  return sids;
}

// An administrator's objects belong to the Administrators group, a standard user's to the user.
std::string CallerDefaultOwner() { return CallerIsAdministrator() ? sids::kAdministrators : sids::kStandardUser; }

bool CallerIsAdministrator() { return !g_actingAsStandardUser && M().Config().admin; }

bool CallerHas(const std::string& sid) {
  std::vector<std::string> held = CallerSids();
  return std::find(held.begin(), held.end(), sid) != held.end();
}

StandardUserProcess::StandardUserProcess() : previous_(g_actingAsStandardUser) { g_actingAsStandardUser = true; }
StandardUserProcess::~StandardUserProcess() { g_actingAsStandardUser = previous_; }

std::uint32_t GrantedAccess(const FileSecurity& security) {
  std::uint32_t granted = CallerHas(security.owner) ? (READ_CONTROL | WRITE_DAC) : 0;
  for (const Ace& ace : security.dacl)
    if (!(ace.flags & INHERIT_ONLY_ACE) && CallerHas(ace.sid)) granted |= MapGeneric(ace.mask);
  return granted;
}

std::uint32_t AccessError(const std::string& windowsPath, std::uint32_t desired) {
  std::optional<FileSecurity> sec = M().State<SecurityStore>().Effective(windowsPath);
  if (!sec) return 0;
  return (MapGeneric(desired) & ~GrantedAccess(*sec)) ? ERROR_ACCESS_DENIED : 0;
}

std::uint32_t CreateAccessError(const std::string& windowsPath, bool directory) {
  return AccessError(ParentPath(windowsPath), directory ? FILE_ADD_SUBDIRECTORY : FILE_ADD_FILE);
}

std::uint32_t DeleteAccessError(const std::string& windowsPath) {
  if (!AccessError(windowsPath, DELETE)) return 0;
  return AccessError(ParentPath(windowsPath), FILE_DELETE_CHILD);
}

std::string ParentPath(const std::string& windowsPath) {
  size_t slash = windowsPath.rfind('\\');
  if (slash == std::string::npos || slash <= 2) return windowsPath.substr(0, 3);
  return windowsPath.substr(0, slash);
}

}  // namespace winemu
