// Every fault alone and in pairs, through the whole program, on each kind of machine, with and
// without an earlier installation and other printers. Every run keeps the invariants: it ends
// (nothing escapes, the virtual clock stays bounded), it deletes only in D, D\3, C:\TEMP and the
// OEM INF copies and never a file another driver names, it deletes only the model's spooler keys
// (and its own uninstall entry when it could not place the uninstaller),
// other printers survive, and it ends with exactly one result message that the fault allows.
#include <windows.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "shared/globals.h"
#include "install/ResultMessage.h"
#include "winemu/advapi32/registry.h"
#include "winemu/advapi32/services.h"
#include "winemu/machine/codepage.h"
#include "winemu/ui/actions.h"
#include "winemu/winspool/spooler_store.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

struct Kind {
  const char* name;
  int major, minor;
  std::uint16_t lang;
};
const Kind kKinds[] = {{"XP English", 5, 1, 0x0409},
                       {"2000 simplified Chinese", 5, 0, 0x0804},
                       {"2003 traditional Chinese", 5, 2, 0x0404},
                       {"Vista simplified Chinese", 6, 0, 0x0804},
                       {"7 English", 6, 1, 0x0409}};

struct Fault {
  const char* name;
  const char* value;
  bool installFails;  // the run cannot end with the printer installed and found
};
// Values that make each fault bite during a run: disk_full runs out while the payload is staged,
// printui_duration outlasts the 90-second wait.
const Fault kFaults[] = {
    {"readonly_program_dir", "", false}, {"disk_full", "400000", false},  {"getversionex_fails", "", false},
    {"scm_access_denied", "", false},    {"service_access_denied", "", false}, {"service_invalid_name", "", false},
    {"service_missing", "1", false},     {"stop_pending", "forever", false},  {"start_pending", "forever", false},
    {"start_refused", "", false},        {"spooler_stopped", "", false},      {"enum_printers_fails", "", true},
    {"printui_missing", "", true},       {"printui_hangs", "", true},         {"printui_noop", "", true},
    {"printui_duration", "100000", true},
};

struct Case {
  std::vector<const Fault*> faults;
  const Kind* kind;
  bool earlier;  // an earlier installation of the printer on the machine
  bool others;   // other printers (with a driver of their own) on the machine
  std::string Name() const {
    std::string n = std::string(kind->name) + (earlier ? ", installed before" : "") + (others ? ", other printers" : "");
    for (const Fault* f : faults) n += std::string(", ") + f->name + (*f->value ? std::string("=") + f->value : "");
    return n;
  }
};

const char* const kOtherDriverFiles[] = {"UNIDRV.DLL", "TTY.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP"};
const std::string kDriverDir = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
const std::string kPrint = "HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class FaultMatrix : public ProgramRunTest, public ::testing::WithParamInterface<std::string> {
 public:
  // Walks the wizard to the progress page and answers every message box; a wizard left open on
  // the progress page (no result message) is closed with Finish.
  void Walk() {
    stayedOpen_ = false;
    winemu::ui::ScriptDriver script;
    script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(500);
    for (int i = 0; i < 6; ++i)
      script.Then([this] {
        if (winemu::ui::MessageBoxOpen()) {
          winemu::ui::Answer(std::nullopt);
        } else {
          stayedOpen_ = true;
          winemu::ui::Click(IDC_WIZ_FINISH);
        }
      });
    RunProgram();
  }

  // A fresh process on the same machine with the faults of `c` in machine.ini.
  void Reopen(const Case& c) {
    winemu::MachineConfig config = machine().Config();
    config.faults.clear();
    bool stopped = false;
    for (const Fault* f : c.faults) {
      config.faults[f->name] = f->value;
      stopped = stopped || std::string(f->name) == "spooler_stopped";
    }
    std::ofstream(dir() / "machine.ini", std::ios::binary | std::ios::trunc) << config.Serialize();
    if (stopped) {
      winemu::reg::Registry registry(dir() / "registry", config.codePage);
      winemu::svc::WriteSpoolerService(registry, false);
      registry.SaveAll();
    }
    winemu::Machine::Use(winemu::Machine::Open(dir()));
  }

  void Check(const Case& c) {
    SCOPED_TRACE(c.Name());
    winemu::CreateOptions o;
    o.major = c.kind->major;
    o.minor = c.kind->minor;
    o.langId = c.kind->lang;
    if (c.others) o.printers = {"Office", "Label 58"};
    MakeMachine(o);
    for (const char* file : kOtherDriverFiles) WriteFile(kDriverDir + "\\3\\" + file, "other driver's file");
    if (c.earlier) Walk();
    Reopen(c);

    try {
      Walk();
    } catch (const std::exception& e) {
      std::vector<std::string> trace = TraceLines();
      std::string tail;
      for (size_t i = trace.size() > 8 ? trace.size() - 8 : 0; i < trace.size(); ++i) tail += "\n  " + trace[i];
      ADD_FAILURE() << "the run did not end: " << e.what() << "; the trace ends" << tail;
      return;
    }
    EXPECT_LT(machine().Now(), 10u * 60 * 1000) << "virtual time";
    CheckDeletions();
    if (c.others) {
      for (const char* other : {"Office", "Label 58"}) EXPECT_TRUE(winemu::spooler::FindPrinter(other)) << other;
    }
    CheckOutcome(c);
  }

  bool stayedOpen_ = false;

  void CheckDeletions() {
    static const std::regex allowed(
        "C:\\\\TEMP\\\\.*|" + std::regex_replace(Upper(kDriverDir), std::regex("\\\\"), "\\\\") +
            "\\\\(3\\\\)?[^\\\\]+|C:\\\\WINDOWS\\\\INF\\\\OEM[0-9]+\\.(INF|PNF)",
        std::regex::icase);
    for (const std::string& line : TraceLines("file.delete")) {
      std::string path = line.substr(std::string("file.delete ").size());
      path = path.substr(0, path.find(" -> "));
      EXPECT_TRUE(std::regex_match(path, allowed)) << "deleted " << path;
      for (const char* other : kOtherDriverFiles)
        EXPECT_NE(Upper(path), Upper(kDriverDir + "\\3\\" + other)) << "deleted another driver's file";
    }
    for (const std::string& line : TraceLines("dir.remove"))
      EXPECT_EQ(Upper(line).find("DIR.REMOVE C:\\TEMP"), 0u) << line;
    for (const char* other : kOtherDriverFiles) EXPECT_TRUE(Exists(kDriverDir + "\\3\\" + other)) << other;
    for (const std::string& line : TraceLines("reg.delete")) {
      if (line.find(" -> ok") == std::string::npos) continue;
      std::string key = std::regex_replace(line.substr(line.find(' ') + 1), std::regex("CurrentControlSet"), "ControlSet001");
      bool printerKey = key.rfind(kPrint + "Printers\\K7X", 0) == 0;
      bool driverKey = key.rfind(kPrint + "Environments\\Windows NT x86\\Drivers\\Version-3\\K7X", 0) == 0;
      // The run's own uninstall entry goes when no uninstaller could be placed for it.
      bool entryKey = key == "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer -> ok";
      EXPECT_TRUE(line.rfind("reg.deletekey ", 0) == 0 && (printerKey || driverKey || entryKey)) << line;
    }
  }

  void CheckOutcome(const Case& c) {
    TextLanguage language = ChooseTextLanguage(c.kind->lang, g_LanguageChoice);
    unsigned cp = machine().Config().codePage;
    std::string success = winemu::AnsiToUtf8(ResultText(true, language), cp);
    std::string failure = winemu::AnsiToUtf8(ResultText(false, language), cp);
    int results = 0;
    for (const std::string& box : TraceLines("msgbox"))
      if (box.find("\"" + success + "\"") != std::string::npos || box.find("\"" + failure + "\"") != std::string::npos)
        ++results;
    if (stayedOpen_) {
      // Allowed only when the final enumeration of printers failed or found none.
      std::vector<std::string> enumerations = TraceLines("spooler.enumprinters");
      ASSERT_FALSE(enumerations.empty());
      const std::string& last = enumerations.back();
      EXPECT_TRUE(last.find("-> error") != std::string::npos || last.find("returned=0") != std::string::npos) << last;
      EXPECT_EQ(results, 0) << "result messages";
      return;
    }
    EXPECT_EQ(results, 1) << "result messages";
    bool succeeded = MessageBoxText() == success;
    bool mustFail = false;
    for (const Fault* f : c.faults) mustFail = mustFail || f->installFails;
    if (c.faults.empty()) {
      EXPECT_TRUE(succeeded);
    }
    if (mustFail) {
      EXPECT_FALSE(succeeded);
    }
    if (succeeded) {
      EXPECT_TRUE(winemu::spooler::FindPrinter("K7X"));
      EXPECT_EQ(winemu::spooler::DefaultPrinter(), "K7X");
    }
  }
};

// The fault sets: none, each fault alone, every pair.
std::vector<std::vector<const Fault*>> FaultSets() {
  std::vector<std::vector<const Fault*>> sets = {{}};
  for (const Fault& f : kFaults) sets.push_back({&f});
  for (size_t i = 0; i < std::size(kFaults); ++i)
    for (size_t j = i + 1; j < std::size(kFaults); ++j) sets.push_back({&kFaults[i], &kFaults[j]});
  return sets;
}

// A group of the sets: the empty set ("none"), or one fault alone and paired with each fault after
// it in kFaults (named after the fault). So each fault's runs are a test of their own, which the
// test runner can spread.
std::vector<std::string> FaultGroups() {
  std::vector<std::string> groups = {"none"};
  for (const Fault& f : kFaults) groups.push_back(f.name);
  return groups;
}

// A set alone (or none) runs on every kind of machine, in every context (with and without an
// earlier installation and other printers) on one kind and in one context taken in turn on the
// others; a pair runs once, kind and context taken in turn.
void RunGroup(FaultMatrix& test, const std::string& group) {
  auto sets = FaultSets();
  for (size_t n = 0; n < sets.size(); ++n) {
    const auto& faults = sets[n];
    if (group != (faults.empty() ? "none" : faults[0]->name)) continue;
    auto run = [&](size_t kind, size_t context) {
      test.Check({faults, &kKinds[kind], context % 2 == 1, context % 4 >= 2});
    };
    size_t home = n % std::size(kKinds);
    if (faults.size() > 1) {
      run(home, n);
      continue;
    }
    for (size_t k = 0; k < std::size(kKinds); ++k) {
      if (k != home) run(k, n + k);
    }
    for (size_t context = 0; context < 4; ++context) run(home, context);
  }
}

TEST_P(FaultMatrix, AloneAndWithEachLaterFault) { RunGroup(*this, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(FaultGroups()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace k7x::test
