#include "registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "machine/machine.h"
#include "machine/paths.h"
#include "reg_text.h"

namespace winemu::reg {
namespace {

size_t Index(Root root) { return static_cast<size_t>(root); }

bool Is(std::string_view name, std::string_view upper, unsigned codePage) { return FoldName(name, codePage) == upper; }

}  // namespace

const char* RootName(Root root) {
  switch (root) {
    case Root::LocalMachine: return "HKLM";
    case Root::CurrentUser: return "HKCU";
    case Root::CurrentConfig: return "HKCC";
  }
  return "?";
}

const char* RootLongName(Root root) {
  switch (root) {
    case Root::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case Root::CurrentUser: return "HKEY_CURRENT_USER";
    case Root::CurrentConfig: return "HKEY_CURRENT_CONFIG";
  }
  return "?";
}

std::optional<Root> RootFromName(std::string_view name) {
  std::string n = FoldName(name, 0);
  for (Root root : kRoots)
    if (n == RootName(root) || n == RootLongName(root)) return root;
  return std::nullopt;
}

std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path, unsigned codePage) {
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  size_t start = 0;
  while (true) {
    size_t slash = FindBackslash(path, start, codePage);
    std::string part(path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
    // Backslashes that end the path are dropped; 0x5C is never a lead byte, so the rest being all
    // 0x5C means real backslashes, not the trail byte of a double-byte character.
    if (part.empty()) {
      if (!parts.empty() && path.find_first_not_of('\\', start) == std::string_view::npos) return parts;
      return std::nullopt;
    }
    parts.push_back(std::move(part));
    if (slash == std::string_view::npos) return parts;
    start = slash + 1;
  }
}

Registry::Registry(Machine& machine) : Registry(machine.Root() / "registry", machine.Config().codePage) {}

Registry::Registry(std::filesystem::path dir, unsigned codePage) : dir_(std::move(dir)), codePage_(codePage) {
  for (Root root : kRoots) {
    std::filesystem::path file = dir_ / (std::string(RootName(root)) + ".reg");
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      roots_[Index(root)] = std::make_unique<Key>("", codePage_);
      continue;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ParseResult parsed = ParseRegistryText(bytes.str(), RootName(root), codePage_);
    if (!parsed.root) throw MachineError(file.string() + ": " + parsed.error);
    roots_[Index(root)] = std::move(parsed.root);
    onDisk_[Index(root)] = bytes.str();
  }
}

Key& Registry::RootKey(Root root) { return *roots_[Index(root)]; }

std::vector<std::string> Registry::Canonical(Root root, std::vector<std::string> path) const {
  if (root == Root::LocalMachine && path.size() >= 2 && Is(path[0], "SYSTEM", codePage_) &&
      Is(path[1], "CURRENTCONTROLSET", codePage_))
    path[1] = "ControlSet001";
  return path;
}

Key* Registry::Find(Root root, const std::vector<std::string>& path) {
  Key* key = &RootKey(root);
  for (const std::string& name : Canonical(root, path)) {
    key = key->Child(name);
    if (!key) return nullptr;
  }
  return key;
}

Key& Registry::Create(Root root, const std::vector<std::string>& path, bool* created) {
  Key* key = &RootKey(root);
  if (created) *created = false;
  for (const std::string& name : Canonical(root, path)) key = &key->AddChild(name, created);
  return *key;
}

bool Registry::Remove(Root root, const std::vector<std::string>& path) {
  if (path.empty()) return false;
  std::vector<std::string> canonical = Canonical(root, path);
  std::vector<std::string> parentPath(canonical.begin(), canonical.end() - 1);
  Key* parent = Find(root, parentPath);
  return parent && parent->RemoveChild(canonical.back());
}

std::vector<std::string> Registry::SubkeyNames(Root root, const std::vector<std::string>& path) {
  std::vector<std::string> names;
  Key* key = Find(root, path);
  if (!key) return names;
  for (const Key* child : key->Children()) names.push_back(child->Name());
  if (root == Root::LocalMachine && path.size() == 1 && Is(path[0], "SYSTEM", codePage_) && key->Child("ControlSet001")) {
    auto pos = names.begin();
    while (pos != names.end() && FoldName(*pos, codePage_) < "CURRENTCONTROLSET") ++pos;
    names.insert(pos, "CurrentControlSet");
  }
  return names;
}

void Registry::Save(Root root) {
  std::string text = SerializeRegistryText(RootKey(root), RootName(root));
  std::optional<std::string>& onDisk = onDisk_[Index(root)];
  if (onDisk == text) return;
  if (!onDisk) std::filesystem::create_directories(dir_);
  std::filesystem::path file = dir_ / (std::string(RootName(root)) + ".reg");
  // Rewritten in place and cut to its length: one write, no new file for every change.
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  bool written = fd >= 0 && ::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()) &&
                 ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
  if (fd >= 0) ::close(fd);
  if (!written) throw MachineError("cannot write " + file.string());
  onDisk = std::move(text);
}

void Registry::SaveAll() {
  for (Root root : kRoots) Save(root);
}

Registry& MachineRegistry() { return M().State<Registry>(); }

}  // namespace winemu::reg
