#include "reg_tree.h"

#include <charconv>

namespace winemu::reg {
namespace {

bool DoubleByteCodePage(unsigned codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

const struct {
  std::uint32_t type;
  const char* name;
} kTypeNames[] = {
    {0, "REG_NONE"},   {1, "REG_SZ"},   {2, "REG_EXPAND_SZ"},     {3, "REG_BINARY"},
    {4, "REG_DWORD"},  {5, "REG_DWORD_BIG_ENDIAN"}, {6, "REG_LINK"}, {7, "REG_MULTI_SZ"},
    {11, "REG_QWORD"},
};

}  // namespace

std::string FoldName(std::string_view name, unsigned codePage) {
  std::string out(name);
  bool dbcs = DoubleByteCodePage(codePage);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (dbcs && c >= 0x81 && c <= 0xFE) {
      ++i;  // the trail byte belongs to the same character
      continue;
    }
    if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

Key* Key::Child(std::string_view name) const {
  auto it = children_.find(FoldName(name, codePage_));
  return it == children_.end() ? nullptr : it->second.get();
}

Key& Key::AddChild(std::string_view name, bool* created) {
  auto& slot = children_[FoldName(name, codePage_)];
  if (created) *created = !slot;
  if (!slot) slot = std::make_unique<Key>(std::string(name), codePage_);
  return *slot;
}

bool Key::RemoveChild(std::string_view name) { return children_.erase(FoldName(name, codePage_)) != 0; }

std::vector<const Key*> Key::Children() const {
  std::vector<const Key*> out;
  for (const auto& [folded, child] : children_) out.push_back(child.get());
  return out;
}

const Value* Key::FindValue(std::string_view name) const {
  auto it = valueIndex_.find(FoldName(name, codePage_));
  return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

void Key::SetValue(std::string_view name, std::uint32_t type, std::string data) {
  auto [it, added] = valueIndex_.emplace(FoldName(name, codePage_), values_.size());
  if (!added) {
    Value& v = values_[it->second];
    v.type = type;
    v.data = std::move(data);
    return;
  }
  values_.push_back(Value{std::string(name), type, std::move(data)});
}

bool Key::RemoveValue(std::string_view name) {
  auto it = valueIndex_.find(FoldName(name, codePage_));
  if (it == valueIndex_.end()) return false;
  size_t place = it->second;
  valueIndex_.erase(it);
  values_.erase(values_.begin() + static_cast<long>(place));
  for (auto& [folded, index] : valueIndex_)
    if (index > place) --index;
  return true;
}

std::string StringData(std::string_view text) { return std::string(text) + '\0'; }

std::string MultiStringData(const std::vector<std::string>& texts) {
  std::string out;
  for (const std::string& t : texts) out += t + '\0';
  return out + '\0';
}

std::string DwordData(std::uint32_t value) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string TextOf(const Value& value) {
  std::string text = value.data;
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.erase(nul);
  return text;
}

std::vector<std::string> MultiTextOf(const Value& value) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < value.data.size()) {
    size_t nul = value.data.find('\0', pos);
    std::string item = value.data.substr(pos, nul == std::string::npos ? std::string::npos : nul - pos);
    if (item.empty()) break;  // the list's closing NUL
    out.push_back(item);
    if (nul == std::string::npos) break;
    pos = nul + 1;
  }
  return out;
}

std::optional<std::uint32_t> DwordOf(const Value& value) {
  if (value.type != 4 || value.data.size() != 4) return std::nullopt;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(value.data[i]);
  return v;
}

std::string TypeName(std::uint32_t type) {
  for (const auto& t : kTypeNames)
    if (t.type == type) return t.name;
  return std::to_string(type);
}

std::optional<std::uint32_t> TypeFromName(std::string_view name) {
  for (const auto& t : kTypeNames)
    if (name == t.name) return t.type;
  std::uint32_t v = 0;
  auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), v);
  if (name.empty() || ec != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return v;
}

}  // namespace winemu::reg
