#include "vendor_files.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "inf.h"
#include "install_plan.h"
#include "payload/ModelNameLines.h"
#include "pe_layout.h"

namespace k7x::tools {
namespace {

constexpr std::size_t kLongestLine = 259;  // what the line reader of the rewriting takes at once
constexpr std::string_view kPlaceholderHeader = "K7X PLACEHOLDER:";

struct Line {
  int number;
  std::string_view text;  // without its line end
};

class Problems {
 public:
  explicit Problems(const std::string& name) : name_(name) {}
  void At(int line, const std::string& text) { list.push_back(name_ + ":" + std::to_string(line) + ": " + text); }
  void File(const std::string& text) { list.push_back(name_ + ": " + text); }
  std::vector<std::string> list;

 private:
  std::string name_;
};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The lines of `text`, without their line ends (LF, or CR LF).
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  for (int number = 1; !text.empty(); ++number) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({number, line});
  }
  return lines;
}

// CR LF text for the rewriting: every line ends in CR LF (the last one may end the file without
// one), no NUL, no Ctrl-Z, no line longer than the rewriting reads at once.
std::vector<Line> CrLfLines(std::string_view text, Problems& problems) {
  std::vector<Line> lines = SplitLines(text);
  for (const Line& line : lines) {
    std::size_t end = static_cast<std::size_t>(line.text.data() - text.data()) + line.text.size();
    if (end < text.size() && text[end] == '\n') problems.At(line.number, "ends in a bare LF, not CR LF");
    if (line.text.find('\r') != std::string_view::npos) problems.At(line.number, "holds a CR that ends no line");
    if (line.text.find('\0') != std::string_view::npos) problems.At(line.number, "holds a NUL byte");
    if (line.text.find('\x1A') != std::string_view::npos) problems.At(line.number, "holds a Ctrl-Z byte");
    if (line.text.size() > kLongestLine)
      problems.At(line.number, std::to_string(line.text.size()) + " characters, more than " + std::to_string(kLongestLine));
  }
  return lines;
}

// The lines that the rewriting replaces: each text of `once` on one line at most (and at least,
// with `required`), and no other line holding any match text.
void CheckRewrittenLines(const std::vector<Line>& lines, std::span<const int> once, bool required, Problems& problems) {
  std::map<int, int> first;  // match row -> line
  for (const Line& line : lines) {
    std::vector<int> rows;
    for (int row = 0; row < kModelNameReplacements; ++row)
      if (line.text.find(kModelNameMatches[row]) != std::string_view::npos) rows.push_back(row);
    if (rows.empty()) continue;
    std::string what = kModelNameMatches[rows[0]];
    if (rows.size() > 1) {
      problems.At(line.number, "holds both " + what + " and " + kModelNameMatches[rows[1]]);
    } else if (std::find(once.begin(), once.end(), rows[0]) == once.end()) {
      problems.At(line.number, "holds " + what + ", which the installer would rewrite");
    } else if (auto [it, fresh] = first.emplace(rows[0], line.number); !fresh) {
      problems.At(line.number, "a second line holding " + what + " (the first is line " + std::to_string(it->second) + ")");
    }
  }
  for (int row : once)
    if (required && !first.count(row)) problems.File(std::string("no line holds ") + kModelNameMatches[row]);
}

void CheckGpd(const std::vector<Line>& lines, Problems& problems) {
  static constexpr int kOnce[] = {2, 3, 4};
  CheckRewrittenLines(lines, kOnce, true, problems);
  bool includes = std::any_of(lines.begin(), lines.end(), [](const Line& line) {
    std::string_view t = Trim(line.text);
    if (t.size() < 9 || t.substr(0, 9) != "*Include:") return false;
    return SameText(Trim(t.substr(9)), "\"stdnames.gpd\"");
  });
  if (!includes) problems.File("no line *Include: \"stdnames.gpd\"");
}

// INI text as the profile functions read it: [section] lines and key=value lines; other lines
// (continued texts) are not keys.
struct IniKey {
  std::string section, key;
};

struct IniText {
  std::vector<std::string> sections;
  std::vector<IniKey> keys;
};

// The profile functions read a text up to its first NUL.
void NoNul(std::string_view text, Problems& problems) {
  if (std::size_t nul = text.find('\0'); nul != std::string_view::npos)
    problems.At(static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nul), '\n')) + 1,
                "holds a NUL byte");
}

IniText ReadIni(std::string_view text, Problems& problems) {
  IniText ini;
  for (const Line& line : SplitLines(text)) {
    std::string_view t = Trim(line.text);
    if (t.empty() || t.front() == ';') continue;
    if (t.front() == '[') {
      std::size_t close = t.find(']');
      if (close == std::string_view::npos)
        problems.At(line.number, "a section header without a closing ]");
      else
        ini.sections.emplace_back(Trim(t.substr(1, close - 1)));
    } else if (std::size_t eq = t.find('='); eq != std::string_view::npos && eq > 0 && !ini.sections.empty()) {
      ini.keys.push_back({ini.sections.back(), std::string(Trim(t.substr(0, eq)))});
    }
  }
  return ini;
}

void NeedSections(const IniText& ini, std::initializer_list<std::string_view> wanted, Problems& problems) {
  for (std::string_view section : wanted)
    if (std::none_of(ini.sections.begin(), ini.sections.end(), [&](const std::string& s) { return SameText(s, section); }))
      problems.File("no section [" + std::string(section) + "]");
}

// Each key of `wanted` in `section`.
void NeedKeys(const IniText& ini, std::string_view section, std::initializer_list<std::string_view> wanted,
              Problems& problems) {
  NeedSections(ini, {section}, problems);
  for (std::string_view key : wanted)
    if (std::none_of(ini.keys.begin(), ini.keys.end(),
                     [&](const IniKey& k) { return SameText(k.section, section) && SameText(k.key, key); }))
      problems.File("no " + std::string(key) + " in [" + std::string(section) + "]");
}

void CheckIni(std::string_view text, Problems& problems) {
  static constexpr int kOnce[] = {0, 1};
  CheckRewrittenLines(CrLfLines(text, problems), kOnce, false, problems);  // keys: below
  NeedKeys(ReadIni(text, problems), "OEMFiles", {"OEMDriverFile1", "OEMConfigFile1"}, problems);
}

// The INF as the printer setup utility reads it, for the command the installation runs: model
// "K7X" from C:\TEMP\K7X.INF, on Windows 2000, XP and 7.
void CheckInf(std::string_view text, Problems& problems) {
  printui::InfParseResult parsed = printui::ParseInf(text);
  if (!parsed.error.empty()) {
    int line = 0;
    std::string_view error = parsed.error;
    if (error.substr(0, 5) == "line ") {
      auto [end, failed] = std::from_chars(error.data() + 5, error.data() + error.size(), line);
      if (failed == std::errc() && std::string_view(end, 2) == ": ") {
        problems.At(line, std::string(end + 2, error.data() + error.size()));
        return;
      }
    }
    problems.File(parsed.error);
    return;
  }
  if (text.find(".GPD") == std::string_view::npos) problems.File("no text .GPD, by which installed copies are found");
  if (!parsed.inf.Section("Manufacturer")) problems.File("no section [Manufacturer]");
  for (auto [major, minor] : {std::pair{5, 0}, {5, 1}, {6, 1}}) {
    printui::PlanResult plan =
        printui::PlanInstall(parsed.inf, {"K7X", "C:\\TEMP", "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86", major, minor});
    if (!plan.plan) {
      problems.File("cannot install model K7X on Windows " + std::to_string(major) + "." + std::to_string(minor) + ": " +
                    plan.error);
      return;
    }
  }
}

void CheckProgram(std::span<const std::uint8_t> bytes, Problems& problems) {
  try {
    PeLayout pe = ReadPeLayout(bytes);
    if (pe.magic != 0x10B || pe.machine != 0x14C) problems.File("not a PE32 image for i386");
  } catch (const PeError& e) {
    problems.File(std::string("not a PE32 image for i386: ") + e.what());
  }
}

}  // namespace

std::optional<VendorRole> RoleNamed(std::string_view name) {
  static const std::map<std::string_view, VendorRole> kRoles = {
      {"gpd", VendorRole::kModelGpd},          {"ini", VendorRole::kModelIni},
      {"inf", VendorRole::kInf},               {"language", VendorRole::kLanguageFile},
      {"settings", VendorRole::kSettingsFile}, {"program", VendorRole::kProgram}};
  auto it = kRoles.find(name);
  return it == kRoles.end() ? std::nullopt : std::optional(it->second);
}

std::vector<std::string> CheckVendorFile(VendorRole role, const std::string& name, std::span<const std::uint8_t> bytes) {
  Problems problems(name);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.substr(0, kPlaceholderHeader.size()) == kPlaceholderHeader) {
    problems.File("a placeholder of this project, not the real file");
    return problems.list;
  }
  switch (role) {
    case VendorRole::kModelGpd:
      CheckGpd(CrLfLines(text, problems), problems);
      break;
    case VendorRole::kModelIni:
      CheckIni(text, problems);
      break;
    case VendorRole::kInf:
      CheckInf(text, problems);
      break;
    case VendorRole::kLanguageFile:
      NoNul(text, problems);
      NeedSections(ReadIni(text, problems), {"Setting", "String"}, problems);
      break;
    case VendorRole::kSettingsFile:
      NoNul(text, problems);
      NeedKeys(ReadIni(text, problems), "Setting", {"PrinterName", "Language"}, problems);
      break;
    case VendorRole::kProgram:
      CheckProgram(bytes, problems);
      break;
  }
  return problems.list;
}

}  // namespace k7x::tools
