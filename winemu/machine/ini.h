// INI text as the Windows profile functions see it. Parsing accepts any bytes (as Windows does);
// a line ends at CR LF, LF or a CR alone; editing keeps every line it does not touch byte for byte.
// Lines starting with ';' are comments; a line without '=' is no key to Get and Keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winemu {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);

  // Value of the first key `key` in the first section `section` (names compared without case,
  // blanks around them ignored); the value is the rest of the line after the first '=', trimmed of
  // blanks, with one pair of matching surrounding quotes removed.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  bool HasSection(std::string_view section) const;

  // Every key line in file order with the section it falls in ("" before the first header) and
  // its line number from 1.
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
    int line;
  };
  std::vector<Entry> Entries() const;

  // Sets (or adds) the key; a missing section is appended at the end.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

  std::string Serialize() const;

 private:
  struct Line {
    std::string text;  // without line end
    std::string end;   // "\r\n", "\n" or "" for a last line without end
  };
  std::vector<Line> lines_;

  std::optional<size_t> FindSection(std::string_view section) const;
  size_t SectionEnd(size_t header) const;  // index one past the section's last line
  std::optional<size_t> FindKey(size_t header, std::string_view key) const;
};

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view s);

}  // namespace winemu
