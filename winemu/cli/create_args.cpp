#include "create_args.h"

#include <cctype>
#include <optional>

#include "machine/codepage.h"
#include "machine/faults.h"
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
      return "'" + Printable(name) + "' is not a printer name (no '\\', ',' or control characters)";
  }
  return std::nullopt;
}

}  // namespace

CreateArgs ParseCreateArgs(const std::vector<std::string>& args) {
  CreateArgs r;
  auto fail = [&](std::string message) {
    r.error = std::move(message);
    return r;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--version") {
      size_t dot = value(v) ? v.find('.') : std::string::npos;
      auto major = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(0, dot), 255);
      auto minor = dot == std::string::npos ? std::nullopt : ParseNumber(v.substr(dot + 1), 255);
      if (!major || !minor) return fail("--version needs MAJOR.MINOR, two numbers from 0 to 255, not '" + Printable(v) + "'");
      r.options.major = static_cast<int>(*major);
      r.options.minor = static_cast<int>(*minor);
    } else if (a == "--not-nt") {
      r.options.nt = false;
    } else if (a == "--lang") {
      auto n = value(v) ? ParseNumber(v, 0xFFFF) : std::nullopt;
      if (!n) return fail("--lang needs a language id from 0 to 0xFFFF such as 0x0409, not '" + Printable(v) + "'");
      r.options.langId = static_cast<std::uint16_t>(*n);
    } else if (a == "--codepage") {
      auto n = value(v) ? ParseNumber(v, 0xFFFF) : std::nullopt;
      if (!n || !IsAnsiCodePage(static_cast<unsigned>(*n)))
        return fail("--codepage needs one of " + AnsiCodePageList() + ", not '" + Printable(v) + "'");
      r.options.codePage = static_cast<unsigned>(*n);
    } else if (a == "--user") {
      r.options.admin = false;
    } else if (a == "--printer") {
      if (!value(v)) return fail("--printer needs a printer name");
      if (auto why = PrinterNameProblem(v)) return fail("--printer " + *why);
      r.options.printers.push_back(v);
    } else if (a == "--oem-inf") {
      size_t eq = value(v) ? v.find('=') : std::string::npos;
      auto n = eq == std::string::npos ? std::nullopt : ParseNumber(v.substr(0, eq), kMaxOemInfNumber);
      if (!n || eq + 1 == v.size())
        return fail("--oem-inf needs N=FILE with N from 0 to " + std::to_string(kMaxOemInfNumber) + ", not '" +
                    Printable(v) + "'");
      r.options.oemInfs.emplace_back(static_cast<int>(*n), v.substr(eq + 1));
    } else if (a == "--fault") {
      if (!value(v) || v.empty() || v[0] == '=') return fail("--fault needs NAME[=VALUE]");
      size_t eq = v.find('=');
      std::string name = v.substr(0, eq);
      std::string faultValue = eq == std::string::npos ? "" : v.substr(eq + 1);
      if (auto why = FaultProblem(name, faultValue)) return fail("--fault " + *why);
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      r.options.faults[name] = faultValue;
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option '" + Printable(a) + "'");
    } else if (r.dir.empty()) {
      r.dir = a;
    } else {
      return fail("more than one machine directory given ('" + Printable(r.dir) + "', '" + Printable(a) + "')");
    }
  }
  if (r.dir.empty()) return fail("no machine directory given");
  return r;
}

}  // namespace winemu::cli
