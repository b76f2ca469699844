#include "install_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "shared/SetupApp.h"
#include "support/byte_builders.h"
#include "shared/globals.h"
#include "winemu/kernel32/resources.h"

namespace k7x::test {
namespace {

bool IsPayload(const winemu::ResId& type) {
  return type.isString && type.name == u"OWNER_DATA";
}

}  // namespace

void InstallTest::SetUp() {
  MachineTest::SetUp();
  UseMachine(winemu::CreateOptions{}, 7);
}

void InstallTest::UseMachine(const winemu::CreateOptions& options, int osVersion, unsigned short languageChoice) {
  MakeMachine(options);
  ResetProgramState();
  std::snprintf(g_PrinterName, sizeof g_PrinterName, "K7X");
  g_OSVersion = osVersion;
  g_LanguageChoice = languageChoice;
  theApp.m_strAppName.clear();
  theApp.InitApplication(nullptr);
}

long long InstallTest::TimeOf(const std::string& prefix) const {
  for (const winemu::TraceEntry& e : winemu::Machine::Current().TraceEntries())
    if ((e.kind + " " + e.detail).rfind(prefix, 0) == 0) return static_cast<long long>(e.timeMs);
  return -1;
}

std::vector<std::string> InstallTest::FileNames(const std::string& windowsDir) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(Host(windowsDir), ec))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

PayloadIdResources::PayloadIdResources() {
  std::vector<std::uint8_t> empty(32, 0);
  empty[4] = 0x20;
  empty[8] = empty[9] = empty[12] = empty[13] = 0xFF;
  saved_ = empty;
  std::vector<std::uint8_t> ids = empty;
  for (const winemu::ResEntry& e : winemu::ProgramResources()) {
    AppendResEntry(saved_, e.type, e.name, e.language, e.data.data(), e.data.size());
    if (!IsPayload(e.type)) {
      AppendResEntry(ids, e.type, e.name, e.language, e.data.data(), e.data.size());
      continue;
    }
    std::string text = "payload " + std::to_string(e.name.id) + "\r\n";
    AppendResEntry(ids, e.type, e.name, e.language, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }
  winemu::UseResources(std::move(ids));
}

PayloadIdResources::~PayloadIdResources() { winemu::UseResources(std::move(saved_)); }

std::vector<std::pair<std::string, unsigned>> InstallTest::StagedFiles() const {
  std::vector<std::pair<std::string, unsigned>> out;
  for (const winemu::TraceEntry& e : winemu::Machine::Current().TraceEntries()) {
    if (e.kind != "file.create" || e.detail.rfind("C:\\TEMP\\", 0) != 0) continue;
    std::string path = e.detail.substr(0, e.detail.find(" -> "));
    if (path == "C:\\TEMP\\temp.txt") continue;
    unsigned id = 0;
    std::sscanf(ReadFile(path).c_str(), "payload %u", &id);
    out.emplace_back(path, id);
  }
  return out;
}

}  // namespace k7x::test
