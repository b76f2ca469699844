// INF files as Setup reads them: sections of lines, each line an optional key and a list of
// comma-separated fields, with quoting, comments, line continuation and %strings% substitution.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printui {

struct InfLine {
  std::optional<std::string> key;  // the text before '=', when the line has one
  std::vector<std::string> fields;  // quotes removed, blanks around each field trimmed
  int number = 0;                   // the physical line the entry starts on (1-based)
};

struct InfSection {
  std::string name;
  std::vector<InfLine> lines;  // sections of the same name are merged, in file order
};

class InfFile {
 public:
  std::vector<InfSection> sections;

  // Section and key names are compared without case.
  const InfSection* Section(std::string_view name) const;
  const InfLine* Line(std::string_view section, std::string_view key) const;
  // The first field of the first line with `key` in `section` ("" for a line with no fields).
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
};

struct InfParseResult {
  InfFile inf;
  std::string error;  // "line N: ..." when the input cannot be read; then `inf` is empty
};

// Reads INF text: CR LF or LF line ends, a Ctrl-Z ends the text. ';' outside quotes starts a
// comment; a '\' that ends a line (before any comment) joins the next line; "" inside quotes is one
// quote. %name% is replaced by the first field of `name` in [Strings] and %% by %; an unknown
// %name% stays as written. Rejected: NUL bytes, text before the first section, a section header
// without ']' or with text after it, an empty section name, an unterminated quoted string.
InfParseResult ParseInf(std::string_view bytes);

// Whether two names are equal without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

}  // namespace printui
