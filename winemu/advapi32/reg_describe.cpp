#include "reg_describe.h"

#include <cstdio>

#include "machine/codepage.h"

namespace winemu::reg {
namespace {

std::string ShowText(std::string_view bytes, unsigned codePage) {
  std::string out = "\"";
  size_t start = 0;
  auto flush = [&](size_t end) { out += AnsiToUtf8(bytes.substr(start, end - start), codePage); };
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c != '"') continue;
    flush(i);
    char escaped[8];
    if (c == '"') std::snprintf(escaped, sizeof escaped, "\\\"");
    else if (c == 0) std::snprintf(escaped, sizeof escaped, "\\0");
    else std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    out += escaped;
    start = i + 1;
  }
  flush(bytes.size());
  return out + "\"";
}

std::string ShowData(const Value& v, unsigned codePage) {
  if (v.type == 1 || v.type == 2 || v.type == 7) return ShowText(v.data, codePage);
  if (auto dword = DwordOf(v)) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08X (%u)", *dword, *dword);
    return text;
  }
  std::string out;
  for (char c : v.data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(c));
    if (!out.empty()) out += ' ';
    out += hex;
  }
  return out.empty() ? "(no data)" : out;
}

void Describe(Registry& registry, const KeyPath& at, const Key& key, unsigned codePage, bool recursive,
              std::string& out) {
  std::string name = RootName(at.root);
  for (const std::string& part : at.path) name += "\\" + part;
  out += AnsiToUtf8(name, codePage) + "\n";
  for (const Value& v : key.Values())
    out += "  value " + ShowText(v.name, codePage) + " " + TypeName(v.type) + " " + std::to_string(v.data.size()) + " " +
           ShowData(v, codePage) + "\n";
  for (const std::string& sub : registry.SubkeyNames(at.root, at.path)) out += "  subkey " + ShowText(sub, codePage) + "\n";
  if (!recursive) return;
  for (const Key* child : key.Children()) {
    KeyPath below = at;
    below.path.push_back(child->Name());
    Describe(registry, below, *child, codePage, true, out);
  }
}

}  // namespace

std::optional<KeyPath> FindKeyPath(Registry& registry, std::string_view keyText, unsigned codePage, std::string& error) {
  size_t slash = keyText.find('\\');
  auto root = RootFromName(keyText.substr(0, slash));
  if (!root) {
    error = "unknown root '" + AnsiToUtf8(keyText.substr(0, slash), codePage) + "' (HKLM, HKCU or HKCC)";
    return std::nullopt;
  }
  auto path = SplitKeyPath(slash == std::string_view::npos ? "" : keyText.substr(slash + 1), codePage);
  if (!path || !registry.Find(*root, *path)) {
    error = "no key " + AnsiToUtf8(keyText, codePage);
    return std::nullopt;
  }
  return KeyPath{*root, *path};
}

std::optional<std::string> DescribeKey(Registry& registry, std::string_view keyText, unsigned codePage,
                                       std::string& error, bool recursive) {
  auto at = FindKeyPath(registry, keyText, codePage, error);
  if (!at) return std::nullopt;
  std::string out;
  Describe(registry, *at, *registry.Find(at->root, at->path), codePage, recursive, out);
  return out;
}

}  // namespace winemu::reg
