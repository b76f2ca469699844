#include "config.h"

#include <cctype>

#include "codepage.h"
#include "faults.h"
#include "ini.h"
#include "language_id.h"
#include "numbers.h"
#include "paths.h"
#include "printable.h"

namespace winemu {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A full Windows path on drive C: ("C:\\WINDOWS"); with `file`, one naming a file in a directory.
// The path is text of the machine's code page, which may be given after it.
bool FullWindowsPath(const std::string& text, bool file, unsigned codePage) {
  std::string normal;
  if (text.size() < 3 || (text[0] != 'C' && text[0] != 'c') || text.substr(1, 2) != ":\\") return false;
  for (char ch : text)
    if (static_cast<unsigned char>(ch) < 0x20) return false;
  if (NormalizePath(text, "C:\\", normal, false, codePage) != 0) return false;
  return !file || DirectoryOf(normal, codePage).size() > 2;
}

// Reads one [System] key into `c`; the text of what the key allows when its value is not one.
std::optional<std::string> ReadSystemKey(MachineConfig& c, const std::string& key, const std::string& v) {
  if (EqualsNoCase(key, "Version")) {
    size_t dot = v.find('.');
    auto major = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(0, dot), 255);
    auto minor = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(dot + 1), 255);
    if (!major || !minor) return "MAJOR.MINOR, two numbers from 0 to 255 such as 5.1";
    c.major = static_cast<int>(*major);
    c.minor = static_cast<int>(*minor);
  } else if (EqualsNoCase(key, "Build")) {
    auto n = ParseNumber(v, 0xFFFF);
    if (!n) return "a build number from 0 to 65535";
    c.build = static_cast<int>(*n);
  } else if (EqualsNoCase(key, "NT") || EqualsNoCase(key, "Admin")) {
    std::string b = Lower(v);
    bool value = b == "1" || b == "yes" || b == "true";
    if (!value && b != "0" && b != "no" && b != "false") return "0 or 1";
    (EqualsNoCase(key, "NT") ? c.nt : c.admin) = value;
  } else if (EqualsNoCase(key, "LangID")) {
    if (ReadLanguageId(v, c.langId)) return kLanguageIdsAllowed;
  } else if (EqualsNoCase(key, "CodePage")) {
    auto n = ParseNumber(v, 0xFFFF);
    if (!n || !IsAnsiCodePage(static_cast<unsigned>(*n))) return "one of the code pages " + AnsiCodePageList();
    c.codePage = static_cast<unsigned>(*n);
  } else if (EqualsNoCase(key, "Arch")) {
    if (!EqualsNoCase(v, "x86") && !EqualsNoCase(v, "x64")) return "x86 or x64";
    c.x64 = EqualsNoCase(v, "x64");
  } else if (EqualsNoCase(key, "WindowsDir")) {
    c.windowsDir = v;  // checked once the code page is known
  } else if (EqualsNoCase(key, "Program")) {
    c.program = v;
  }
  return std::nullopt;
}

const char* const kSystemKeys[] = {"Version", "Build", "NT", "LangID", "CodePage", "Arch", "WindowsDir", "Program", "Admin"};

bool IsSystemKey(std::string_view key) {
  for (const char* k : kSystemKeys)
    if (EqualsNoCase(key, k)) return true;
  return false;
}

}  // namespace

unsigned MachineConfig::DefaultCodePage(std::uint16_t langId) {
  if ((langId & 0xFF) != 0x04) return 1252;
  return langId == 0x0804 ? 936 : 950;
}

MachineConfig MachineConfig::Parse(std::string_view iniBytes, const std::string& fileName) {
  MachineConfig c;
  bool codePageGiven = false;
  std::map<std::string, int> seen;  // "section/key" folded -> line
  for (const IniDocument::Entry& e : IniDocument::Parse(iniBytes).Entries()) {
    auto fail = [&](const std::string& why) {
      return MachineError(fileName + " line " + std::to_string(e.line) + ": " + why);
    };
    std::string where = Printable(e.key);
    if (!e.section.empty()) where = std::string("[").append(Printable(e.section)).append("] ").append(where);
    auto [first, fresh] = seen.emplace(Lower(e.section + "/" + e.key), e.line);
    if (!fresh) throw fail(where + " is given twice (first on line " + std::to_string(first->second) + ")");
    if (EqualsNoCase(e.section, "System")) {
      if (!IsSystemKey(e.key))
        throw fail(where + ": no such key; [System] holds Version, Build, NT, LangID, CodePage, Arch, WindowsDir, Program, Admin");
      if (auto allowed = ReadSystemKey(c, e.key, e.value))
        throw fail(where + ": '" + Printable(e.value) + "' is not allowed; expected " + *allowed);
      codePageGiven = codePageGiven || EqualsNoCase(e.key, "CodePage");
    } else if (EqualsNoCase(e.section, "Faults")) {
      if (auto why = FaultProblem(e.key, e.value)) throw fail("[Faults] " + *why);
      c.faults[Lower(e.key)] = e.value;
    } else {
      throw fail(where + ": keys belong in [System] or [Faults]");
    }
  }
  if (!codePageGiven) c.codePage = DefaultCodePage(c.langId);
  // The paths are text of the machine's code page, wherever the file names it.
  const struct {
    const char* key;
    const std::string& value;
    bool file;
    const char* example;
  } paths[] = {{"WindowsDir", c.windowsDir, false, "a full path on drive C: such as C:\\WINDOWS"},
               {"Program", c.program, true, "a full path of a file on drive C: such as C:\\Setup\\setup.exe"}};
  for (const auto& p : paths) {
    auto given = seen.find(Lower(std::string("System/") + p.key));
    if (given == seen.end() || FullWindowsPath(p.value, p.file, c.codePage)) continue;
    throw MachineError(fileName + " line " + std::to_string(given->second) + ": [System] " + p.key + ": '" +
                       Printable(p.value) + "' is not allowed; expected " + p.example);
  }
  return c;
}

std::string MachineConfig::Serialize() const {
  char lang[16];
  std::snprintf(lang, sizeof lang, "0x%04X", langId);
  std::string out = "[System]\r\n";
  out += "Version=" + std::to_string(major) + "." + std::to_string(minor) + "\r\n";
  out += "Build=" + std::to_string(build) + "\r\n";
  out += std::string("NT=") + (nt ? "1" : "0") + "\r\n";
  out += std::string("LangID=") + lang + "\r\n";
  out += "CodePage=" + std::to_string(codePage) + "\r\n";
  out += std::string("Arch=") + (x64 ? "x64" : "x86") + "\r\n";
  out += "WindowsDir=" + windowsDir + "\r\n";
  out += "Program=" + program + "\r\n";
  out += std::string("Admin=") + (admin ? "1" : "0") + "\r\n";
  out += "[Faults]\r\n";
  for (const auto& [name, value] : faults) out += name + "=" + value + "\r\n";
  return out;
}

bool MachineConfig::HasFault(std::string_view name) const { return faults.count(Lower(name)) != 0; }

std::optional<std::string> MachineConfig::FaultValue(std::string_view name) const {
  auto it = faults.find(Lower(name));
  if (it == faults.end()) return std::nullopt;
  return it->second;
}

std::optional<long> MachineConfig::FaultNumber(std::string_view name, long fallback) const {
  auto v = FaultValue(name);
  if (!v) return std::nullopt;
  if (TrimBlanks(*v).empty()) return fallback;
  auto n = ParseNumber(TrimBlanks(*v), 0x7FFFFFFFFFFFFFFF);
  if (!n) throw MachineError("fault " + std::string(name) + ": '" + Printable(*v) + "' is not a number");
  return static_cast<long>(*n);
}

}  // namespace winemu
