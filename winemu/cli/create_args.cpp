#include "create_args.h"

#include <charconv>

namespace winemu::cli {
namespace {

bool ParseInt(const std::string& text, long& out) {
  std::string_view t = text;
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    base = 16;
  }
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out, base);
  return !t.empty() && ec == std::errc() && end == t.data() + t.size();
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
    long n = 0;
    if (a == "--version") {
      if (!value(v)) return fail("--version needs MAJOR.MINOR");
      size_t dot = v.find('.');
      long major = 0, minor = 0;
      if (dot == std::string::npos || !ParseInt(v.substr(0, dot), major) || !ParseInt(v.substr(dot + 1), minor) ||
          major < 0 || major > 255 || minor < 0 || minor > 255)
        return fail("--version needs MAJOR.MINOR, not '" + v + "'");
      r.options.major = static_cast<int>(major);
      r.options.minor = static_cast<int>(minor);
    } else if (a == "--not-nt") {
      r.options.nt = false;
    } else if (a == "--lang") {
      if (!value(v) || !ParseInt(v, n) || n < 0 || n > 0xFFFF) return fail("--lang needs a language id such as 0x0409");
      r.options.langId = static_cast<std::uint16_t>(n);
    } else if (a == "--codepage") {
      if (!value(v) || !ParseInt(v, n) || n <= 0) return fail("--codepage needs a code page number such as 1252");
      r.options.codePage = static_cast<unsigned>(n);
    } else if (a == "--user") {
      r.options.admin = false;
    } else if (a == "--printer") {
      if (!value(v) || v.empty()) return fail("--printer needs a printer name");
      r.options.printers.push_back(v);
    } else if (a == "--oem-inf") {
      if (!value(v)) return fail("--oem-inf needs N=FILE");
      size_t eq = v.find('=');
      if (eq == std::string::npos || !ParseInt(v.substr(0, eq), n) || n < 0 || eq + 1 == v.size())
        return fail("--oem-inf needs N=FILE, not '" + v + "'");
      r.options.oemInfs.emplace_back(static_cast<int>(n), v.substr(eq + 1));
    } else if (a == "--fault") {
      if (!value(v) || v.empty() || v[0] == '=') return fail("--fault needs NAME[=VALUE]");
      size_t eq = v.find('=');
      std::string name = v.substr(0, eq);
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      r.options.faults[name] = eq == std::string::npos ? "" : v.substr(eq + 1);
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option '" + a + "'");
    } else if (r.dir.empty()) {
      r.dir = a;
    } else {
      return fail("more than one machine directory given ('" + r.dir + "', '" + a + "')");
    }
  }
  if (r.dir.empty()) return fail("no machine directory given");
  return r;
}

}  // namespace winemu::cli
