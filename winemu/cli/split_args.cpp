#include "split_args.h"

#include "machine/printable.h"

namespace winemu::cli {

bool SplitArgs::Has(const std::string& name) const {
  for (const auto& [option, value] : options)
    if (option == name) return true;
  return false;
}

std::string SplitArgs::Value(const std::string& name) const {
  std::string found;
  for (const auto& [option, value] : options)
    if (option == name) found = value;
  return found;
}

SplitArgs Split(const std::vector<std::string>& args, const std::vector<OptionDef>& defs) {
  SplitArgs r;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      r.positional.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (a == "-h" || a == "--help") {
      r.help = true;
      continue;
    }
    size_t eq = a.find('=');
    std::string name = a.substr(0, eq);
    const OptionDef* def = nullptr;
    for (const OptionDef& s : defs)
      if (name == s.name) def = &s;
    if (!def) {
      r.error = "unknown option '" + Printable(name) + "'";
      return r;
    }
    if (!def->value && eq != std::string::npos) {
      r.error = "option " + name + " takes no value";
      return r;
    }
    std::string value;
    if (eq != std::string::npos) {
      value = a.substr(eq + 1);
    } else if (def->value) {
      if (i + 1 >= args.size()) {
        r.error = "option " + name + " needs a value (" + def->value + ")";
        return r;
      }
      value = args[++i];
    }
    r.options.emplace_back(name, value);
  }
  return r;
}

}  // namespace winemu::cli
