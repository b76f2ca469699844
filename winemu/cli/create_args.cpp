#include "create_args.h"

#include <cctype>
#include <optional>

#include "machine/codepage.h"
#include "machine/faults.h"
#include "machine/language_id.h"
#include "machine/numbers.h"
#include "machine/printable.h"

namespace winemu::cli {
namespace {

// Why `name` cannot be a printer's name (Windows refuses '\\' and ',' in it); none when it can.
std::optional<std::string> PrinterNameProblem(const std::string& name) {
  if (name.empty() || name.size() > kMaxPrinterName)
    return "needs a printer name of 1 to " + std::to_string(kMaxPrinterName) + " bytes";
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '\\' || c == ',')
      return std::string("'").append(Printable(name)).append("' is not a printer name (no '\\', ',' or control characters)");
  }
  return std::nullopt;
}

}  // namespace

std::vector<OptionDef> SystemOptionDefs(bool creating) {
  auto pick = [creating](const char* create, const char* config) { return creating ? create : config; };
  return {
    {"--version", "MAJOR.MINOR", pick("the Windows version (default 5.1: XP)", "the Windows version")},
    {"--not-nt", nullptr, "a Windows that is not of the NT family"},
    {"--lang", "0xNNNN",
     pick("the system's default language id, 0x hexadecimal or decimal (default 0x0409)",
          "the system's default language id, 0x hexadecimal or decimal")},
    {"--codepage", "N",
     pick("the ANSI code page (default: follows the language)",
          "the ANSI code page (--lang without it: the new language's)")},
    {"--user", nullptr,
     pick("the program runs as a standard user (default: as administrator)",
          "the program runs as a standard user, not as administrator")},
    {"--arch", "x86|x64",
     pick("a 32-bit Windows (default) or a 64-bit one, where the program runs under WoW64",
          "a 32-bit Windows or a 64-bit one, where the program runs under WoW64")},
    {"--fault", "NAME[=VALUE]", "a fault to inject (repeatable; see the README)"},
  };
}

const std::vector<OptionDef>& CreateOptionDefs() {
  static const std::vector<OptionDef> defs = [] {
    std::vector<OptionDef> all = SystemOptionDefs(true);
    all.push_back({"--printer", "NAME", "an installed printer (repeatable; the first is the default printer)"});
    all.push_back({"--oem-inf", "N=FILE", "FILE placed as C:\\WINDOWS\\inf\\oemN.inf (repeatable)"});
    all.push_back({"--user-temp", nullptr, "C:\\TEMP made by a standard user, with Everyone:Change (as on Windows 2000)"});
    return all;
  }();
  return defs;
}

std::optional<std::string> ReadSystemOption(const std::string& option, const std::string& v, CreateOptions& o) {
  if (option == "--version") {
    size_t dot = v.find('.');
    auto major = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(0, dot), 255);
    auto minor = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(dot + 1), 255);
    if (!major || !minor) return "--version needs MAJOR.MINOR, two numbers from 0 to 255, not '" + Printable(v) + "'";
    o.major = static_cast<int>(*major);
    o.minor = static_cast<int>(*minor);
  } else if (option == "--not-nt") {
    o.nt = false;
  } else if (option == "--lang") {
    if (auto why = ReadLanguageId(v, o.langId)) return "--lang " + *why;
  } else if (option == "--codepage") {
    auto n = ParseNumber(v, 0xFFFF);
    if (!n || !IsAnsiCodePage(static_cast<unsigned>(*n)))
      return "--codepage needs one of " + AnsiCodePageList() + ", not '" + Printable(v) + "'";
    o.codePage = static_cast<unsigned>(*n);
  } else if (option == "--user") {
    o.admin = false;
  } else if (option == "--arch") {
    if (v != "x86" && v != "x64") return "--arch needs x86 or x64, not '" + Printable(v) + "'";
    o.x64 = v == "x64";
  }
  return std::nullopt;
}

std::optional<std::string> ReadFaultOption(const std::string& v, std::map<std::string, std::string>& faults) {
  if (v.empty() || v[0] == '=') return "--fault needs NAME[=VALUE]";
  size_t eq = v.find('=');
  std::string name = v.substr(0, eq);
  std::string faultValue = eq == std::string::npos ? "" : v.substr(eq + 1);
  if (auto why = FaultProblem(name, faultValue)) return "--fault " + *why;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  faults[name] = faultValue;
  return std::nullopt;
}

CreateArgs ParseCreateArgs(const std::vector<std::string>& args) { return ReadCreateArgs(Split(args, CreateOptionDefs())); }

CreateArgs ReadCreateArgs(const SplitArgs& split) {
  CreateArgs r;
  auto fail = [&](std::string message) {
    r.error = std::move(message);
    return r;
  };
  if (!split.error.empty()) return fail(split.error);
  for (const auto& [option, v] : split.options) {
    if (auto why = ReadSystemOption(option, v, r.options)) return fail(*why);
    if (option == "--printer") {
      if (auto why = PrinterNameProblem(v)) return fail("--printer " + *why);
      r.options.printers.push_back(v);
    } else if (option == "--oem-inf") {
      size_t eq = v.find('=');
      auto n = eq == std::string::npos ? std::nullopt : ParseNumber(v.substr(0, eq), kMaxOemInfNumber);
      if (!n || eq + 1 == v.size())
        return fail("--oem-inf needs N=FILE with N from 0 to " + std::to_string(kMaxOemInfNumber) + ", not '" +
                    Printable(v) + "'");
      r.options.oemInfs.emplace_back(static_cast<int>(*n), v.substr(eq + 1));
    } else if (option == "--fault") {
      if (auto why = ReadFaultOption(v, r.options.faults)) return fail(*why);
    } else if (option == "--user-temp") {
      r.options.userTemp = true;
    }
  }
  if (split.positional.empty()) return fail("no machine directory given");
  if (split.positional.size() > 1)
    return fail("more than one machine directory given ('" + Printable(split.positional[0]) + "', '" +
                Printable(split.positional[1]) + "')");
  r.dir = split.positional[0];
  return r;
}

}  // namespace winemu::cli
