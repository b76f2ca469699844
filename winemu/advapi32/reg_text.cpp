#include "reg_text.h"

#include <charconv>
#include <set>

#include "machine/numbers.h"
#include "machine/paths.h"
#include "machine/printable.h"

namespace winemu::reg {
namespace {

constexpr std::string_view kMagic = "WINEMU REGISTRY 1 ";
const char kHex[] = "0123456789ABCDEF";

std::string HexByte(unsigned char c) { return {kHex[c >> 4], kHex[c & 0xF]}; }

std::string Quote(std::string_view bytes) {
  std::string out = "\"";
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '%' || c < 0x20 || c > 0x7E) {
      out += '%';
      out += HexByte(c);
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string HexList(std::string_view bytes) {
  std::string out = "hex:";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ',';
    out += HexByte(static_cast<unsigned char>(bytes[i]));
  }
  return out;
}

// One line of the file, read from left to right; every read checks the line's end.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  bool AtEnd() const { return pos_ >= line_.size(); }

  bool Literal(std::string_view text) {
    if (line_.substr(pos_, text.size()) != text) return false;
    pos_ += text.size();
    return true;
  }

  // A token up to the next blank or the line's end.
  std::string_view Token() {
    size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ' ') ++pos_;
    return line_.substr(start, pos_ - start);
  }

  bool Quoted(std::string& out, std::string& error) {
    if (!Literal("\"")) return error = "expected '\"'", false;
    out.clear();
    while (true) {
      if (AtEnd()) return error = "quoted text without its closing '\"'", false;
      char c = line_[pos_++];
      if (c == '"') return true;
      if (c == '%') {
        if (pos_ + 2 > line_.size()) return error = "'%' needs two hex digits", false;
        int hi = HexDigit(line_[pos_]), lo = HexDigit(line_[pos_ + 1]);
        if (hi < 0 || lo < 0) return error = "'%' needs two hex digits", false;
        out += static_cast<char>(hi * 16 + lo);
        pos_ += 2;
        continue;
      }
      unsigned char u = static_cast<unsigned char>(c);
      if (u < 0x20 || u > 0x7E) return error = "byte 0x" + HexByte(u) + " must be written %" + HexByte(u), false;
      out += c;
    }
  }

  bool HexBytes(std::string& out, std::string& error) {
    out.clear();
    if (AtEnd()) return true;
    while (true) {
      if (pos_ + 2 > line_.size()) return error = "hex data needs pairs of hex digits", false;
      int hi = HexDigit(line_[pos_]), lo = HexDigit(line_[pos_ + 1]);
      if (hi < 0 || lo < 0) return error = "hex data needs pairs of hex digits", false;
      out += static_cast<char>(hi * 16 + lo);
      pos_ += 2;
      if (AtEnd()) return true;
      if (!Literal(",")) return error = "hex bytes are separated by ','", false;
    }
  }

 private:
  std::string_view line_;
  size_t pos_ = 0;
};

bool SplitPath(std::string_view path, unsigned codePage, std::vector<std::string_view>& parts) {
  parts.clear();
  if (path.empty()) return true;
  size_t start = 0;
  while (true) {
    size_t slash = FindBackslash(path, start, codePage);
    std::string_view part = path.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
    if (part.empty()) return false;
    parts.push_back(part);
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

void SerializeKey(const Key& key, const std::string& path, std::string& out) {
  out += "key " + Quote(path) + "\n";
  for (const Value& v : key.Values())
    out += "value " + Quote(v.name) + " " + TypeName(v.type) + " " + std::to_string(v.data.size()) + " " +
           (IsStringType(v.type) ? Quote(v.data) : HexList(v.data)) + "\n";
  for (const Key* child : key.Children())
    if (!child->IsVolatile()) SerializeKey(*child, path.empty() ? child->Name() : path + "\\" + child->Name(), out);
}

}  // namespace

ParseResult ParseRegistryText(std::string_view bytes, std::string_view rootName, unsigned codePage) {
  ParseResult result;
  auto root = std::make_unique<Key>("", codePage);
  Key* current = nullptr;
  std::set<std::string> declared;  // folded paths of the keys listed so far
  size_t pos = 0;
  int lineNumber = 0;
  auto fail = [&](const std::string& what) {
    result.error = "line " + std::to_string(lineNumber) + ": " + what;
    return std::move(result);
  };
  while (pos < bytes.size() || lineNumber == 0) {
    ++lineNumber;
    size_t nl = bytes.find('\n', pos);
    std::string_view line = bytes.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1) {
      if (line.substr(0, kMagic.size()) != kMagic) return fail("not a winemu registry file (expected 'WINEMU REGISTRY 1 ROOT')");
      if (line.substr(kMagic.size()) != rootName)
        return fail("the file holds root '" + Printable(line.substr(kMagic.size())) + "', not '" + std::string(rootName) + "'");
      continue;
    }
    if (line.empty() || line[0] == ';') continue;
    LineReader r(line);
    std::string error;
    if (r.Literal("key ")) {
      std::string path;
      if (!r.Quoted(path, error)) return fail("key: " + error);
      if (!r.AtEnd()) return fail("key: unexpected text after the path");
      std::vector<std::string_view> parts;
      if (!SplitPath(path, codePage, parts)) return fail("key: empty name in path '" + Printable(path) + "'");
      if (!declared.insert(FoldName(path, codePage)).second) return fail("key '" + Printable(path) + "' is listed twice");
      current = root.get();
      for (std::string_view part : parts) current = &current->AddChild(part);
    } else if (r.Literal("value ")) {
      if (!current) return fail("value before the first key line");
      std::string name, data;
      if (!r.Quoted(name, error)) return fail("value name: " + error);
      if (!r.Literal(" ")) return fail("value: expected a blank after the name");
      std::string_view typeText = r.Token();
      auto type = TypeFromName(typeText);
      if (!type) return fail("value '" + Printable(name) + "': unknown type '" + Printable(typeText) + "'");
      if (!r.Literal(" ")) return fail("value '" + Printable(name) + "': expected a blank after the type");
      std::string_view countText = r.Token();
      size_t count = 0;
      auto [end, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
      if (countText.empty() || ec != std::errc() || end != countText.data() + countText.size())
        return fail("value '" + Printable(name) + "': byte count '" + Printable(countText) + "' is not a number");
      if (!r.Literal(" ")) return fail("value '" + Printable(name) + "': expected a blank after the byte count");
      if (r.Literal("hex:")) {
        if (!r.HexBytes(data, error)) return fail("value '" + Printable(name) + "': " + error);
      } else {
        if (!r.Quoted(data, error)) return fail("value '" + Printable(name) + "' data: " + error);
        if (!r.AtEnd()) return fail("value '" + Printable(name) + "': unexpected text after the data");
      }
      if (data.size() != count)
        return fail("value '" + Printable(name) + "': " + std::to_string(data.size()) + " data bytes, count says " + std::to_string(count));
      if (current->FindValue(name)) return fail("value '" + Printable(name) + "' is listed twice in its key");
      current->SetValue(name, *type, std::move(data));
    } else {
      return fail("expected a 'key' or 'value' line");
    }
  }
  result.root = std::move(root);
  return result;
}

std::string SerializeRegistryText(const Key& root, std::string_view rootName) {
  std::string out = std::string(kMagic) + std::string(rootName) + "\n";
  SerializeKey(root, "", out);
  return out;
}

}  // namespace winemu::reg
