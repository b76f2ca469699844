#include "config.h"

#include <cctype>
#include <charconv>

#include "ini.h"

namespace winemu {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

long ParseNumber(std::string_view key, std::string_view text) {
  std::string_view t = TrimBlanks(text);
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    base = 16;
  }
  long value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value, base);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size())
    throw MachineError("machine.ini: " + std::string(key) + " is not a number: '" + std::string(text) + "'");
  return value;
}

bool ParseBool(std::string_view key, std::string_view text) {
  std::string v = Lower(TrimBlanks(text));
  if (v == "1" || v == "yes" || v == "true") return true;
  if (v == "0" || v == "no" || v == "false") return false;
  throw MachineError("machine.ini: " + std::string(key) + " must be 0 or 1: '" + std::string(text) + "'");
}

}  // namespace

unsigned MachineConfig::DefaultCodePage(std::uint16_t langId) {
  if ((langId & 0xFF) != 0x04) return 1252;
  return langId == 0x0804 ? 936 : 950;
}

MachineConfig MachineConfig::Parse(std::string_view iniBytes) {
  IniDocument ini = IniDocument::Parse(iniBytes);
  MachineConfig c;
  if (auto v = ini.Get("System", "Version")) {
    size_t dot = v->find('.');
    if (dot == std::string::npos) throw MachineError("machine.ini: Version must read MAJOR.MINOR: '" + *v + "'");
    c.major = static_cast<int>(ParseNumber("Version", v->substr(0, dot)));
    c.minor = static_cast<int>(ParseNumber("Version", v->substr(dot + 1)));
  }
  if (auto v = ini.Get("System", "Build")) c.build = static_cast<int>(ParseNumber("Build", *v));
  if (auto v = ini.Get("System", "NT")) c.nt = ParseBool("NT", *v);
  if (auto v = ini.Get("System", "LangID")) c.langId = static_cast<std::uint16_t>(ParseNumber("LangID", *v));
  c.codePage = DefaultCodePage(c.langId);
  if (auto v = ini.Get("System", "CodePage")) c.codePage = static_cast<unsigned>(ParseNumber("CodePage", *v));
  if (auto v = ini.Get("System", "WindowsDir")) c.windowsDir = *v;
  if (auto v = ini.Get("System", "Program")) c.program = *v;
  if (auto v = ini.Get("System", "Admin")) c.admin = ParseBool("Admin", *v);
  if (c.program.rfind('\\') == std::string::npos)
    throw MachineError("machine.ini: Program must be a full Windows path: '" + c.program + "'");
  for (const std::string& key : ini.Keys("Faults")) c.faults[Lower(key)] = ini.Get("Faults", key).value_or("");
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
  return ParseNumber(name, *v);
}

}  // namespace winemu
