#include "inf.h"

#include <cctype>

namespace printui {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// One field as it is read: blanks outside quotes at either end are not part of it.
class FieldBuilder {
 public:
  void Add(char c, bool quoted) {
    if (!quoted && IsBlank(c) && !started_) return;
    started_ = true;
    text_ += c;
    if (quoted || !IsBlank(c)) kept_ = text_.size();
  }
  void MarkQuoted() { started_ = true; kept_ = text_.size(); }  // "" gives an empty, present field
  std::string Take() {
    std::string out = text_.substr(0, kept_);
    *this = FieldBuilder();
    return out;
  }
  bool Empty() const { return !started_; }

 private:
  std::string text_;
  size_t kept_ = 0;
  bool started_ = false;
};

// An entry being read, possibly across continued lines.
struct Entry {
  InfLine line;
  FieldBuilder field;
  bool any = false;  // the entry holds some text, a separator or a quote
  bool Active() const { return any; }
  void Finish(std::vector<InfLine>& into) {
    if (any) {
      line.fields.push_back(field.Take());
      into.push_back(std::move(line));
    }
    *this = Entry();
  }
};

std::string Error(int number, const std::string& text) { return "line " + std::to_string(number) + ": " + text; }

// The rest of a physical line after position `i` is blanks, possibly followed by a comment.
bool OnlyCommentFollows(std::string_view line, size_t i) {
  for (; i < line.size(); ++i) {
    if (line[i] == ';') return true;
    if (!IsBlank(line[i])) return false;
  }
  return true;
}

// Reads a section header line; returns the error or "" and sets `name`.
std::string ReadHeader(std::string_view line, size_t open, int number, std::string& name) {
  size_t close = line.find(']', open + 1);
  if (close == std::string_view::npos) return Error(number, "section header without ']'");
  std::string_view inner = line.substr(open + 1, close - open - 1);
  while (!inner.empty() && IsBlank(inner.front())) inner.remove_prefix(1);
  while (!inner.empty() && IsBlank(inner.back())) inner.remove_suffix(1);
  if (inner.empty()) return Error(number, "empty section name");
  if (!OnlyCommentFollows(line, close + 1)) return Error(number, "text after the section header");
  name = std::string(inner);
  return "";
}

std::string Substitute(const std::string& text, const InfSection* strings) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('%', i);
    size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
    if (close == std::string::npos) {
      out += text.substr(i);
      break;
    }
    out += text.substr(i, open - i);
    std::string_view name(text.data() + open + 1, close - open - 1);
    const InfLine* value = nullptr;
    if (strings && !name.empty())
      for (const InfLine& l : strings->lines)
        if (l.key && SameName(*l.key, name)) {
          value = &l;
          break;
        }
    if (name.empty()) out += '%';
    else if (value) out += value->fields.empty() ? std::string() : value->fields.front();
    else out += text.substr(open, close - open + 1);
    i = close + 1;
  }
  return out;
}

void SubstituteStrings(InfFile& inf) {
  const InfSection* found = inf.Section("Strings");
  if (!found) return;
  InfSection strings = *found;  // [Strings] itself is taken as written
  for (InfSection& s : inf.sections) {
    if (SameName(s.name, "Strings")) continue;
    for (InfLine& l : s.lines) {
      if (l.key) l.key = Substitute(*l.key, &strings);
      for (std::string& f : l.fields) f = Substitute(f, &strings);
    }
  }
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

const InfSection* InfFile::Section(std::string_view name) const {
  for (const InfSection& s : sections)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

const InfLine* InfFile::Line(std::string_view section, std::string_view key) const {
  const InfSection* s = Section(section);
  if (!s) return nullptr;
  for (const InfLine& l : s->lines)
    if (l.key && SameName(*l.key, key)) return &l;
  return nullptr;
}

std::optional<std::string> InfFile::Value(std::string_view section, std::string_view key) const {
  const InfLine* l = Line(section, key);
  if (!l) return std::nullopt;
  return l->fields.empty() ? std::string() : l->fields.front();
}

InfParseResult ParseInf(std::string_view bytes) {
  if (size_t eof = bytes.find('\x1A'); eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  InfParseResult result;
  InfSection* current = nullptr;
  Entry entry;
  int number = 0;
  size_t pos = 0;
  auto fail = [&](std::string error) {
    result.inf = InfFile();
    result.error = std::move(error);
    return result;
  };
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    std::string_view line = bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? bytes.size() : end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('\0') != std::string_view::npos) return fail(Error(number, "NUL byte"));

    size_t i = 0;
    if (!entry.Active()) {
      while (i < line.size() && IsBlank(line[i])) ++i;
      if (i < line.size() && line[i] == '[') {
        std::string name;
        if (std::string err = ReadHeader(line, i, number, name); !err.empty()) return fail(err);
        InfSection* existing = nullptr;
        for (InfSection& s : result.inf.sections)
          if (SameName(s.name, name)) existing = &s;
        if (!existing) {
          result.inf.sections.push_back(InfSection{name, {}});
          existing = &result.inf.sections.back();
        }
        current = existing;
        continue;
      }
      entry.line.number = number;
    }
    bool quoted = false;
    bool continued = false;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if (quoted) {
        if (c != '"') entry.field.Add(c, true);
        else if (i + 1 < line.size() && line[i + 1] == '"') entry.field.Add(line[++i], true);
        else quoted = false;
        continue;
      }
      if (c == ';') break;
      if (c == '\\' && OnlyCommentFollows(line, i + 1)) {
        continued = true;
        break;
      }
      if (c == '"') {
        quoted = true;
        entry.any = true;
        entry.field.MarkQuoted();
      } else if (c == '=' && !entry.line.key && entry.line.fields.empty()) {
        entry.line.key = entry.field.Take();
        entry.any = true;
      } else if (c == ',') {
        entry.line.fields.push_back(entry.field.Take());
        entry.any = true;
      } else {
        entry.field.Add(c, false);
        if (!IsBlank(c)) entry.any = true;
      }
    }
    if (quoted) return fail(Error(number, "unterminated quoted string"));
    if (entry.Active() && !current) return fail(Error(entry.line.number, "text before the first section"));
    if (!continued && current) entry.Finish(current->lines);
  }
  if (entry.Active() && current) entry.Finish(current->lines);
  SubstituteStrings(result.inf);
  return result;
}

}  // namespace printui
