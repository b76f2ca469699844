#include "install_plan.h"

#include <charconv>
#include <tuple>

#include "ntprint.h"

namespace printui {
namespace {

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) {
    while (!p.empty() && p.front() == '\\') p.remove_prefix(1);
    while (!p.empty() && p.back() == '\\') p.remove_suffix(1);
    if (p.empty()) continue;
    if (!out.empty()) out += '\\';
    out += p;
  }
  return out;
}

std::optional<unsigned long> Number(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  unsigned long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::vector<std::string> Values(const InfSection& section, std::string_view key) {
  std::vector<std::string> out;
  for (const InfLine& l : section.lines)
    if (l.key && SameName(*l.key, key))
      for (const std::string& f : l.fields)
        if (!f.empty()) out.push_back(f);
  return out;
}

class Planner {
 public:
  Planner(const InfFile& inf, const PlanInputs& in) : inf_(inf), in_(in) {}

  PlanResult Run() {
    auto cls = inf_.Value("Version", "Class");
    if (!cls || !SameName(*cls, "Printer"))
      return Refuse(kErrorInvalidData, "not a printer INF ([Version] Class=" + cls.value_or("") + ")");
    std::optional<std::string> modelKey;
    if (!FindModel(modelKey)) return Failed();
    if (!modelKey) return Refuse(ERROR_UNKNOWN_PRINTER_DRIVER, "unknown model \"" + in_.model + "\"");
    const InfSection* install = nullptr;
    for (const char* suffix : {".NTx86", ".NT", ""})
      if (!install) install = inf_.Section(plan_.installSection + suffix);
    if (!install) return Refuse(kErrorInvalidData, "install section [" + plan_.installSection + "] is missing");
    modelSection_ = plan_.installSection;
    plan_.installSection = install->name;
    if (!AddSection(inf_, *install, false) || !AddNeeds(*install) || !MakeDriver(*modelKey)) return Failed();
    return PlanResult{plan_, "", 0};
  }

 private:
  const InfFile& inf_;
  const PlanInputs& in_;
  InstallPlan plan_;
  std::string modelSection_;  // the install section as the models section names it
  std::string dataFile_, driverFile_, configFile_, helpFile_;
  std::string error_;
  std::uint32_t code_ = 0;

  PlanResult Refuse(std::uint32_t code, std::string why) { return PlanResult{std::nullopt, std::move(why), code}; }
  PlanResult Failed() { return Refuse(code_, error_); }
  bool Fail(std::uint32_t code, std::string why) {
    code_ = code;
    error_ = std::move(why);
    return false;
  }
  bool BadLine(const InfLine& l, const std::string& why) {
    return Fail(kErrorInvalidData, "line " + std::to_string(l.number) + ": " + why);
  }

  // Sets plan_.installSection and `modelKey` (the model as the INF spells it) when found.
  bool FindModel(std::optional<std::string>& modelKey) {
    const InfSection* manufacturers = inf_.Section("Manufacturer");
    if (!manufacturers) return Fail(kErrorInvalidData, "no [Manufacturer] section");
    for (const InfLine& entry : manufacturers->lines) {
      if (entry.fields.empty() || entry.fields[0].empty()) continue;
      std::vector<std::string> decorations(entry.fields.begin() + 1, entry.fields.end());
      std::string name = ModelsSection(entry.fields[0], decorations, in_.major, in_.minor);
      const InfSection* models = inf_.Section(name);
      if (!models) return Fail(kErrorInvalidData, "models section [" + name + "] is missing");
      for (const InfLine& m : models->lines)
        if (m.key && SameName(*m.key, in_.model) && !m.fields.empty() && !m.fields[0].empty()) {
          modelKey = *m.key;
          plan_.installSection = m.fields[0];
          return true;
        }
    }
    return true;
  }

  std::optional<std::string> SourcePath(const InfFile& inf, const std::string& file) {
    const InfLine* placed = inf.Line("SourceDisksFiles.x86", file);
    if (!placed) placed = inf.Line("SourceDisksFiles", file);
    if (!placed) return Join({in_.infDirectory, file});
    std::string disk = placed->fields.empty() ? "" : placed->fields[0];
    std::string subdir = placed->fields.size() > 1 ? placed->fields[1] : "";
    const InfLine* names = inf.Line("SourceDisksNames.x86", disk);
    if (!names) names = inf.Line("SourceDisksNames", disk);
    if (!names) {
      Fail(kErrorInvalidData, "disk " + disk + " of " + file + " is not in [SourceDisksNames]");
      return std::nullopt;
    }
    std::string diskPath = names->fields.size() > 3 ? names->fields[3] : "";
    return Join({in_.infDirectory, diskPath, subdir, file});
  }

  bool AddFile(const InfFile& inf, bool system, const std::string& name, const std::string& source) {
    for (const PlannedFile& f : plan_.files)
      if (SameName(f.name, name)) return true;
    PlannedFile file{name, {}};
    if (system) {
      file.sources = {Join({in_.infDirectory, source}), Join({in_.driverDirectory, source})};
    } else {
      auto path = SourcePath(inf, source);
      if (!path) return false;
      file.sources = {*path};
    }
    plan_.files.push_back(std::move(file));
    return true;
  }

  bool AddCopyFiles(const InfFile& inf, const InfSection& section, bool system) {
    for (const std::string& item : Values(section, "CopyFiles")) {
      if (item[0] == '@') {
        if (!AddFile(inf, system, item.substr(1), item.substr(1))) return false;
        continue;
      }
      const InfSection* list = inf.Section(item);
      if (!list) return Fail(kErrorInvalidData, "CopyFiles section [" + item + "] is missing");
      for (const InfLine& l : list->lines) {
        if (l.fields.empty() || l.fields[0].empty()) continue;
        const std::string& source = l.fields.size() > 1 && !l.fields[1].empty() ? l.fields[1] : l.fields[0];
        if (!AddFile(inf, system, l.fields[0], source)) return false;
      }
    }
    return true;
  }

  bool AddRegistry(const InfFile& inf, const InfSection& section) {
    for (const std::string& name : Values(section, "AddReg")) {
      const InfSection* list = inf.Section(name);
      if (!list) return Fail(kErrorInvalidData, "AddReg section [" + name + "] is missing");
      for (const InfLine& l : list->lines)
        if (!AddValue(l)) return false;
    }
    return true;
  }

  bool AddValue(const InfLine& l) {
    auto field = [&](size_t i) { return i < l.fields.size() ? l.fields[i] : std::string(); };
    PlannedValue v;
    v.rootName = field(0);
    std::string root = Lower(v.rootName);
    if (root == "hklm" || root == "hkey_local_machine") v.root = HKEY_LOCAL_MACHINE;
    else if (root == "hkcu" || root == "hkey_current_user") v.root = HKEY_CURRENT_USER;
    else return BadLine(l, "AddReg root \"" + v.rootName + "\" is not supported");
    v.subkey = field(1);
    v.keyOnly = l.fields.size() <= 2;
    v.name = field(2);
    auto flags = field(3).empty() ? std::optional<unsigned long>(0) : Number(field(3));
    constexpr unsigned long kTypeMask = 0xFFFF0001, kNoClobber = 0x2, kKeyOnly = 0x10;
    if (!flags || (*flags & ~(kTypeMask | kNoClobber | kKeyOnly)))
      return BadLine(l, "AddReg flags \"" + field(3) + "\" are not supported");
    v.noClobber = *flags & kNoClobber;
    v.keyOnly = v.keyOnly || (*flags & kKeyOnly);
    std::vector<std::string> data(l.fields.size() > 4 ? l.fields.begin() + 4 : l.fields.end(), l.fields.end());
    std::string first = data.empty() ? "" : data[0];
    switch (*flags & kTypeMask) {
      case 0x00000000: v.type = REG_SZ, v.data = first + '\0'; break;
      case 0x00020000: v.type = REG_EXPAND_SZ, v.data = first + '\0'; break;
      case 0x00010000:
        v.type = REG_MULTI_SZ;
        for (const std::string& s : data) v.data += s + '\0';
        v.data += '\0';
        break;
      case 0x00010001: {
        auto n = first.empty() ? std::optional<unsigned long>(0) : Number(first);
        if (!n) return BadLine(l, "\"" + first + "\" is not a number");
        v.type = REG_DWORD;
        for (int i = 0; i < 4; ++i) v.data += static_cast<char>((*n >> (8 * i)) & 0xFF);
        break;
      }
      case 0x00000001:
        v.type = REG_BINARY;
        for (const std::string& byte : data) {
          auto b = Number("0x" + byte);
          if (!b || *b > 0xFF) return BadLine(l, "\"" + byte + "\" is not a byte");
          v.data += static_cast<char>(*b);
        }
        break;
      default:
        return BadLine(l, "AddReg flags \"" + field(3) + "\" are not supported");
    }
    plan_.values.push_back(std::move(v));
    return true;
  }

  bool AddSection(const InfFile& inf, const InfSection& section, bool system) {
    for (auto [key, target] : {std::pair{"DataFile", &dataFile_}, {"DriverFile", &driverFile_},
                               {"ConfigFile", &configFile_}, {"HelpFile", &helpFile_}}) {
      auto values = Values(section, key);
      if (target->empty() && !values.empty()) *target = values.front();
    }
    return AddCopyFiles(inf, section, system) && AddRegistry(inf, section);
  }

  bool AddNeeds(const InfSection& install) {
    std::vector<const InfFile*> included;
    for (const std::string& name : Values(install, "Include"))
      if (SameName(name, kSystemPrinterInf)) included.push_back(&SystemPrinterInf());
    for (const std::string& name : Values(install, "Needs")) {
      const InfFile* from = nullptr;
      const InfSection* section = nullptr;
      for (const InfFile* inf : included)
        if (!section && (section = inf->Section(name))) from = inf;
      if (!section && (section = inf_.Section(name))) from = &inf_;
      if (!section)
        return Fail(kErrorInvalidData, "needed section [" + name + "] is not in the INF or what it includes");
      if (!AddSection(*from, *section, from == &SystemPrinterInf())) return false;
    }
    return true;
  }

  bool MakeDriver(const std::string& modelKey) {
    if (dataFile_.empty()) dataFile_ = modelSection_;
    if (driverFile_.empty()) return Fail(kErrorInvalidData, "no DriverFile for model \"" + modelKey + "\"");
    std::vector<std::string*> named = {&driverFile_, &dataFile_, &configFile_, &helpFile_};
    for (std::string* n : named) {
      if (n->empty()) continue;
      bool copied = false;
      for (const PlannedFile& f : plan_.files)
        if (SameName(f.name, *n)) copied = true;
      if (!copied) return Fail(kErrorInvalidData, *n + " is not among the files the install section copies");
    }
    PlannedDriver& d = plan_.driver;
    d.name = modelKey;
    d.driverPath = driverFile_;
    d.dataFile = dataFile_;
    d.configFile = configFile_;
    d.helpFile = helpFile_;
    for (const PlannedFile& f : plan_.files) {
      bool main = false;
      for (std::string* n : named) main = main || SameName(f.name, *n);
      if (!main) d.dependentFiles.push_back(f.name);
    }
    return true;
  }
};

}  // namespace

std::string ModelsSection(const std::string& base, const std::vector<std::string>& decorations, int major,
                          int minor) {
  if (major < 5 || (major == 5 && minor == 0)) return base;  // Windows 2000 reads no decorations
  std::optional<std::tuple<int, unsigned long, unsigned long>> best;
  std::string chosen = base;
  for (const std::string& d : decorations) {
    std::string rest = Lower(d);
    if (rest.rfind("nt", 0) != 0) continue;
    rest.erase(0, 2);
    int arch = 0;
    if (rest.rfind("x86", 0) == 0) {
      rest.erase(0, 3);
      arch = 1;
    }
    if (!rest.empty() && rest[0] != '.') continue;  // another architecture
    unsigned long parts[2] = {0, 0};
    size_t pos = rest.empty() ? std::string::npos : 1;
    for (int i = 0; i < 2 && pos != std::string::npos && pos < rest.size(); ++i) {
      size_t dot = rest.find('.', pos);
      std::string piece = rest.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
      if (!piece.empty()) parts[i] = Number(piece).value_or(0);
      pos = dot == std::string::npos ? dot : dot + 1;
    }
    auto system = std::tuple(static_cast<unsigned long>(major), static_cast<unsigned long>(minor));
    if (std::tuple(parts[0], parts[1]) > system) continue;
    auto score = std::tuple(arch, parts[0], parts[1]);
    if (!best || score > *best) {
      best = score;
      chosen = base + "." + d;
    }
  }
  return chosen;
}

PlanResult PlanInstall(const InfFile& inf, const PlanInputs& inputs) { return Planner(inf, inputs).Run(); }

}  // namespace printui
