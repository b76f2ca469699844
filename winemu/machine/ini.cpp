#include "ini.h"

namespace winemu {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// A section header "[name]" (leading blanks allowed); returns the name.
std::optional<std::string_view> HeaderName(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

// A key line "name=value"; returns the name (comment lines starting with ';' are not keys).
std::optional<std::string_view> KeyName(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() == ';') return std::nullopt;
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return TrimBlanks(line);
  return TrimBlanks(line.substr(0, eq));
}

std::string ValueOf(std::string_view line) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  std::string_view v = TrimBlanks(line.substr(eq + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  size_t pos = 0;
  while (pos < bytes.size()) {
    // A line ends at CR LF, at LF or at a CR alone.
    size_t end = bytes.find_first_of("\r\n", pos);
    Line line;
    if (end == std::string_view::npos) {
      end = bytes.size();
    } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      line.end = "\r\n";
    } else {
      line.end = std::string(1, bytes[end]);
    }
    line.text = std::string(bytes.substr(pos, end - pos));
    pos = end + line.end.size();
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::optional<size_t> IniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto name = HeaderName(lines_[i].text);
    if (name && EqualsNoCase(*name, TrimBlanks(section))) return i;
  }
  return std::nullopt;
}

size_t IniDocument::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !HeaderName(lines_[i].text)) ++i;
  return i;
}

std::optional<size_t> IniDocument::FindKey(size_t header, std::string_view key) const {
  size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    auto name = KeyName(lines_[i].text);
    if (name && EqualsNoCase(*name, TrimBlanks(key))) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  auto header = FindSection(section);
  if (!header) return std::nullopt;
  auto line = FindKey(*header, key);
  if (!line || lines_[*line].text.find('=') == std::string::npos) return std::nullopt;
  return ValueOf(lines_[*line].text);
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section).has_value(); }

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> out;
  for (const Line& l : lines_)
    if (auto name = HeaderName(l.text)) out.emplace_back(*name);
  return out;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> out;
  auto header = FindSection(section);
  if (!header) return out;
  size_t end = SectionEnd(*header);
  for (size_t i = *header + 1; i < end; ++i) {
    bool hasValue = lines_[i].text.find('=') != std::string::npos;
    if (auto name = KeyName(lines_[i].text); name && !name->empty() && hasValue) out.emplace_back(*name);
  }
  return out;
}

std::vector<IniDocument::Entry> IniDocument::Entries() const {
  std::vector<Entry> out;
  std::string section;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = HeaderName(lines_[i].text)) {
      section = std::string(*name);
    } else if (auto key = KeyName(lines_[i].text); key && !key->empty()) {
      out.push_back({section, std::string(*key), ValueOf(lines_[i].text), static_cast<int>(i + 1)});
    }
  }
  return out;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string text = std::string(TrimBlanks(key)) + "=" + std::string(value);
  auto header = FindSection(section);
  if (!header) {
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = "\r\n";
    lines_.push_back({std::string("[").append(TrimBlanks(section)).append("]"), "\r\n"});
    lines_.push_back({text, "\r\n"});
    return;
  }
  if (auto line = FindKey(*header, key)) {
    // The key keeps the name it is stored under, whatever letter case the caller used.
    std::string_view stored = lines_[*line].text;
    lines_[*line].text = std::string(TrimBlanks(stored.substr(0, stored.find('=')))) + "=" + std::string(value);
    return;
  }
  // Insert after the section's last non-empty line.
  size_t at = SectionEnd(*header);
  while (at > *header + 1 && TrimBlanks(lines_[at - 1].text).empty()) --at;
  if (lines_[at - 1].end.empty()) lines_[at - 1].end = "\r\n";
  lines_.insert(lines_.begin() + static_cast<long>(at), Line{text, "\r\n"});
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  auto header = FindSection(section);
  if (!header) return;
  if (auto line = FindKey(*header, key)) lines_.erase(lines_.begin() + static_cast<long>(*line));
}

void IniDocument::RemoveSection(std::string_view section) {
  auto header = FindSection(section);
  if (!header) return;
  lines_.erase(lines_.begin() + static_cast<long>(*header), lines_.begin() + static_cast<long>(SectionEnd(*header)));
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Line& l : lines_) out += l.text + l.end;
  return out;
}

}  // namespace winemu
