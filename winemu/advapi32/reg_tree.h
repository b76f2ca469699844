// The registry as a tree of keys in memory: names keep their spelling and are matched without case
// (ASCII letters only, never inside a double-byte character of the machine's code page); subkeys
// are listed in the order of their folded names, as NT lists them, values in the order they were
// first set. Value data are the exact bytes given.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace winemu::reg {

// `name` with ASCII letters upper-cased; lead and trail bytes of a double-byte character in
// `codePage` (932, 936, 949, 950) are kept as they are.
std::string FoldName(std::string_view name, unsigned codePage);

struct Value {
  std::string name;
  std::uint32_t type = 0;
  std::string data;  // raw bytes
};

class Key {
 public:
  Key(std::string name, unsigned codePage) : name_(std::move(name)), codePage_(codePage) {}

  const std::string& Name() const { return name_; }
  unsigned CodePage() const { return codePage_; }

  Key* Child(std::string_view name) const;
  // The existing child of that name, or a new one spelled as given.
  Key& AddChild(std::string_view name, bool* created = nullptr);
  bool RemoveChild(std::string_view name);
  bool HasChildren() const { return !children_.empty(); }
  std::vector<const Key*> Children() const;  // in listing order

  const Value* FindValue(std::string_view name) const;
  // Sets a value; an existing value of that name keeps its place and its spelling.
  void SetValue(std::string_view name, std::uint32_t type, std::string data);
  bool RemoveValue(std::string_view name);
  const std::vector<Value>& Values() const { return values_; }

  // A volatile key (REG_OPTION_VOLATILE) lives in memory only: it is never saved.
  bool IsVolatile() const { return volatile_; }
  void MakeVolatile() { volatile_ = true; }

 private:
  std::string name_;
  unsigned codePage_;
  bool volatile_ = false;
  std::map<std::string, std::unique_ptr<Key>> children_;  // by folded name
  std::vector<Value> values_;
  std::unordered_map<std::string, size_t> valueIndex_;  // folded name -> place in values_
};

// Value data helpers for the spooler's and the services' own keys.
std::string StringData(std::string_view text);  // the text and its terminating NUL
std::string MultiStringData(const std::vector<std::string>& texts);
std::string DwordData(std::uint32_t value);
// The text of string data, without the terminator if it has one (readers accept both).
std::string TextOf(const Value& value);
std::vector<std::string> MultiTextOf(const Value& value);
std::optional<std::uint32_t> DwordOf(const Value& value);

// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ: text in the machine's code page.
inline bool IsStringType(std::uint32_t type) { return type == 1 || type == 2 || type == 7; }

// "REG_SZ" for 1 ...; the decimal number for a type without a name.
std::string TypeName(std::uint32_t type);
std::optional<std::uint32_t> TypeFromName(std::string_view name);

}  // namespace winemu::reg
