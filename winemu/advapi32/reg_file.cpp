#include "reg_file.h"

#include <cstdio>
#include <optional>

#include "machine/codepage.h"
#include "machine/numbers.h"
#include "machine/printable.h"

namespace winemu::reg {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::uint32_t kSz = 1, kDword = 4, kBinary = 3;

// ---- writing

// The UTF-8 text of ANSI bytes, or nullopt when they do not decode and encode back unchanged.
std::optional<std::u16string> ExactWide(std::string_view ansi, unsigned codePage) {
  std::u16string wide = AnsiToWide(ansi, codePage);
  if (WideToAnsi(wide, codePage) != ansi) return std::nullopt;
  return wide;
}

std::string Quoted(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// "xx,xx,..." continued with ",\" and two spaces once a line reaches 77 columns, as regedit does.
std::string HexList(std::string_view bytes, size_t column) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
    out += hex;
    column += 2;
    if (i + 1 == bytes.size()) break;
    out += ',';
    ++column;
    if (column >= 77) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
  return out;
}

std::string Utf16Bytes(std::u16string_view wide) {
  std::string out;
  for (char16_t c : wide) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

// The data part of a value line after `left` ("name"=); false when the data cannot be written.
bool DataText(const FileValue& v, const std::string& left, unsigned codePage, std::string& out) {
  if (v.type == kSz && !v.data.empty() && v.data.back() == '\0') {
    std::string_view text(v.data.data(), v.data.size() - 1);
    auto wide = ExactWide(text, codePage);
    if (wide && text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos) {
      out = Quoted(WideToUtf8(*wide));
      return true;
    }
  }
  if (v.type == kDword && v.data.size() == 4) {
    char text[16];
    std::uint32_t d = static_cast<unsigned char>(v.data[0]) | static_cast<unsigned char>(v.data[1]) << 8 |
                      static_cast<unsigned char>(v.data[2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(v.data[3])) << 24;
    std::snprintf(text, sizeof text, "dword:%08x", d);
    out = text;
    return true;
  }
  std::string bytes = v.data;
  if (IsStringType(v.type)) {
    auto wide = ExactWide(v.data, codePage);
    if (!wide) return false;
    bytes = Utf16Bytes(*wide);
  }
  char prefix[24];
  if (v.type == kBinary) std::snprintf(prefix, sizeof prefix, "hex:");
  else std::snprintf(prefix, sizeof prefix, "hex(%x):", v.type);
  out = prefix;
  out += HexList(bytes, left.size() + out.size());
  return true;
}

// ---- reading

struct Line {
  int number;
  std::string text;  // UTF-8, continuations joined
};

// The file's text as UTF-8: UTF-16LE after a byte order mark, else UTF-8.
bool DecodeText(std::string_view bytes, std::string& text) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    if (bytes.size() % 2) return false;
    std::u16string wide;
    for (size_t i = 2; i < bytes.size(); i += 2)
      wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    text = WideToUtf8(wide);
    return true;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  text = std::string(bytes);
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Lines with their numbers; a value line ending in ",\\" (a long hex list) continues on the next.
std::vector<Line> LogicalLines(const std::string& text) {
  std::vector<Line> lines;
  size_t at = 0;
  int number = 0;
  bool continued = false;
  while (at <= text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trim(std::string_view(text).substr(at, end - at));
    ++number;
    if (continued) lines.back().text.append(line);
    else lines.push_back({number, std::string(line)});
    const std::string& joined = lines.back().text;
    continued = joined.size() >= 2 && joined[0] != '[' && joined.compare(joined.size() - 2, 2, ",\\") == 0;
    if (continued) lines.back().text.pop_back();
    at = end + 1;
  }
  return lines;
}

class LineReader {
 public:
  explicit LineReader(std::string_view s) : s_(s) {}
  bool Done() const { return at_ >= s_.size(); }
  bool Take(std::string_view word) {
    if (s_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  void SkipBlanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t')) ++at_;
  }
  // A quoted text with \\ and \" escapes; nullopt when it does not close.
  std::optional<std::string> QuotedText() {
    if (!Take("\"")) return std::nullopt;
    std::string out;
    while (at_ < s_.size() && s_[at_] != '"') {
      if (s_[at_] == '\\' && at_ + 1 < s_.size()) ++at_;
      out += s_[at_++];
    }
    if (!Take("\"")) return std::nullopt;
    return out;
  }
  std::string_view Rest() const { return s_.substr(at_); }

 private:
  std::string_view s_;
  size_t at_ = 0;
};

// "xx,xx,..." (blanks allowed around the commas); nullopt for anything else.
std::optional<std::string> HexBytes(std::string_view list) {
  std::string out;
  list = Trim(list);
  while (!list.empty()) {
    if (list.size() < 2 || HexDigit(list[0]) < 0 || HexDigit(list[1]) < 0) return std::nullopt;
    out += static_cast<char>(HexDigit(list[0]) << 4 | HexDigit(list[1]));
    list = Trim(list.substr(2));
    if (list.empty()) break;
    if (list[0] != ',') return std::nullopt;
    list = Trim(list.substr(1));
  }
  return out;
}

std::string AnsiOfUtf8(std::string_view utf8, unsigned codePage) { return WideToAnsi(Utf8ToWide(utf8), codePage); }

// Reads the data after '=' into `v`; what is wrong, if anything.
std::optional<std::string> ReadData(std::string_view text, unsigned codePage, FileValue& v) {
  LineReader r(text);
  if (r.Take("-")) {
    v.remove = true;
    return Trim(r.Rest()).empty() ? std::nullopt : std::optional<std::string>("unexpected text after '=-'");
  }
  if (text.substr(0, 1) == "\"") {
    auto s = r.QuotedText();
    if (!s || !Trim(r.Rest()).empty()) return "a string needs a closing quote and nothing after it";
    v.type = kSz;
    v.data = AnsiOfUtf8(*s, codePage) + std::string(1, '\0');
    return std::nullopt;
  }
  if (r.Take("dword:")) {
    std::string_view digits = Trim(r.Rest());
    std::uint32_t d = 0;
    if (digits.empty() || digits.size() > 8) return "dword: needs 1 to 8 hex digits";
    for (char c : digits) {
      if (HexDigit(c) < 0) return "dword: needs 1 to 8 hex digits";
      d = d << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    v.type = kDword;
    v.data = DwordData(d);
    return std::nullopt;
  }
  if (r.Take("hex:")) {
    v.type = kBinary;
  } else if (r.Take("hex(")) {
    std::string_view rest = r.Rest();
    size_t close = rest.find("):");
    if (close == std::string_view::npos || close == 0 || close > 8) return "hex(TYPE): needs a type of 1 to 8 hex digits";
    v.type = 0;
    for (char c : rest.substr(0, close)) {
      if (HexDigit(c) < 0) return "hex(TYPE): needs a type of 1 to 8 hex digits";
      v.type = v.type << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    r.Take(rest.substr(0, close + 2));
  } else {
    return "expected \"text\", dword:, hex:, hex(TYPE): or -";
  }
  auto bytes = HexBytes(r.Rest());
  if (!bytes) return "expected bytes as two hex digits separated by commas";
  v.data = *bytes;
  if (IsStringType(v.type)) {
    if (v.data.size() % 2) return "string data needs UTF-16LE bytes, an even count";
    std::u16string wide;
    for (size_t i = 0; i < v.data.size(); i += 2)
      wide += static_cast<char16_t>(static_cast<unsigned char>(v.data[i]) | static_cast<unsigned char>(v.data[i + 1]) << 8);
    v.data = WideToAnsi(wide, codePage);
  }
  return std::nullopt;
}

// Reads a "[ROOT\path]" or "[-ROOT\path]" line; what is wrong, if anything.
std::optional<std::string> ReadKeyLine(std::string_view text, unsigned codePage, FileKey& key) {
  if (text.back() != ']') return "a key line needs a closing ']'";
  text = text.substr(1, text.size() - 2);
  if (!text.empty() && text[0] == '-') {
    key.remove = true;
    text.remove_prefix(1);
  }
  std::string ansi = AnsiOfUtf8(text, codePage);
  size_t slash = ansi.find('\\');
  auto root = RootFromName(std::string_view(ansi).substr(0, slash));
  if (!root)
    return std::string("unknown root '")
        .append(Printable(text.substr(0, text.find('\\'))))
        .append("' (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CURRENT_CONFIG)");
  auto path = SplitKeyPath(slash == std::string::npos ? "" : std::string_view(ansi).substr(slash + 1), codePage);
  if (!path) return "a key path with an empty name";
  if (key.remove && path->empty()) return "a root cannot be deleted";
  key.root = *root;
  key.path = *path;
  return std::nullopt;
}

}  // namespace

FileParseResult ParseRegFile(std::string_view bytes, const std::string& fileName, unsigned codePage) {
  FileParseResult result;
  auto fail = [&](int line, const std::string& why) {
    result.keys.clear();
    result.error = fileName + " line " + std::to_string(line) + ": " + why;
    return result;
  };
  std::string text;
  if (!DecodeText(bytes, text)) return fail(1, "UTF-16LE text of an odd byte count");
  std::vector<Line> lines = LogicalLines(text);
  if (lines.empty() || lines[0].text != kHeader) return fail(1, std::string("expected the first line \"").append(kHeader).append("\""));
  for (size_t i = 1; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (line.text.empty() || line.text[0] == ';') continue;
    if (line.text[0] == '[') {
      FileKey key;
      if (auto why = ReadKeyLine(line.text, codePage, key)) return fail(line.number, *why);
      result.keys.push_back(std::move(key));
      continue;
    }
    if (result.keys.empty() || result.keys.back().remove) return fail(line.number, "a value line outside a key");
    FileValue value;
    LineReader r(line.text);
    if (!r.Take("@")) {
      auto name = r.QuotedText();
      if (!name) return fail(line.number, "expected \"NAME\"= or @=");
      value.name = AnsiOfUtf8(*name, codePage);
    }
    r.SkipBlanks();
    if (!r.Take("=")) return fail(line.number, "expected '=' after the value's name");
    r.SkipBlanks();
    if (auto why = ReadData(r.Rest(), codePage, value)) return fail(line.number, *why);
    result.keys.back().values.push_back(std::move(value));
  }
  return result;
}

std::vector<FileKey> CollectKeys(Registry& registry, Root root, const std::vector<std::string>& path) {
  std::vector<FileKey> keys;
  const Key* top = registry.Find(root, path);
  if (!top) return keys;
  struct Walk {
    std::vector<FileKey>& keys;
    void operator()(const Key& key, FileKey file) {
      for (const Value& v : key.Values()) file.values.push_back({v.name, false, v.type, v.data});
      std::vector<std::string> here = file.path;
      keys.push_back(std::move(file));
      for (const Key* child : key.Children()) {
        FileKey sub{keys.back().root, here, false, {}};
        sub.path.push_back(child->Name());
        (*this)(*child, std::move(sub));
      }
    }
  } walk{keys};
  walk(*top, FileKey{root, path, false, {}});
  return keys;
}

bool WriteRegFile(const std::vector<FileKey>& keys, unsigned codePage, std::string& bytes, std::string& error) {
  std::string text = std::string(kHeader) + "\r\n";
  auto notText = [&](const std::string& what) {
    error = what + " is not text in code page " + std::to_string(codePage) + ", which a registry file cannot hold";
    return false;
  };
  for (const FileKey& key : keys) {
    std::string name = std::string(key.remove ? "-" : "") + RootLongName(key.root);
    for (const std::string& part : key.path) {
      auto wide = ExactWide(part, codePage);
      if (!wide) return notText(std::string("the name of key ").append(name).append("\\").append(AnsiToUtf8(part, codePage)));
      name += '\\';
      name += WideToUtf8(*wide);
    }
    text.append("\r\n[").append(name).append("]\r\n");
    for (const FileValue& v : key.values) {
      auto wideName = ExactWide(v.name, codePage);
      if (!wideName) return notText("a value name of " + name);
      std::string left = v.name.empty() ? "@=" : Quoted(WideToUtf8(*wideName)) + "=";
      std::string data = "-";
      if (!v.remove && !DataText(v, left, codePage, data))
        return notText(std::string("the data of value ").append(left, 0, left.size() - 1).append(" of ").append(name));
      text += left + data + "\r\n";
    }
  }
  text += "\r\n";
  bytes = "\xFF\xFE";
  bytes += Utf16Bytes(Utf8ToWide(text));
  return true;
}

void ImportKeys(Registry& registry, const std::vector<FileKey>& keys) {
  for (const FileKey& key : keys) {
    if (key.remove) {
      registry.Remove(key.root, key.path);
      continue;
    }
    Key& k = registry.Create(key.root, key.path);
    for (const FileValue& v : key.values) {
      if (v.remove) k.RemoveValue(v.name);
      else k.SetValue(v.name, v.type, v.data);
    }
  }
  registry.SaveAll();
}

}  // namespace winemu::reg
