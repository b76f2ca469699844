// FindResourceA and friends over the embedded .res blob.
#include "resources.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <windows.h>

#include "machine/machine.h"

// The build links the program's .res between these symbols; a binary without one has none.
extern "C" {
extern const std::uint8_t winemu_res_begin[] __attribute__((weak));
extern const std::uint8_t winemu_res_end[] __attribute__((weak));
}

namespace winemu {
namespace {

struct ResourceSet {
  std::vector<std::uint8_t> owned;
  std::vector<ResEntry> entries;
};

std::unique_ptr<ResourceSet>& Current() {
  static std::unique_ptr<ResourceSet> set;
  return set;
}

void Load(ResourceSet& set, std::span<const std::uint8_t> bytes) {
  ResParseResult r = ParseResFile(bytes);
  if (!r.error.empty()) {
    std::fprintf(stderr, "winemu: the program's resources are damaged: %s\n", r.error.c_str());
    std::exit(70);
  }
  set.entries = std::move(r.entries);
}

char16_t FoldUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameId(const ResId& a, const ResId& b) {
  if (a.isString != b.isString) return false;
  if (!a.isString) return a.id == b.id;
  if (a.name.size() != b.name.size()) return false;
  for (size_t i = 0; i < a.name.size(); ++i)
    if (FoldUpper(a.name[i]) != FoldUpper(b.name[i])) return false;
  return true;
}

}  // namespace

const std::vector<ResEntry>& ProgramResources() {
  auto& set = Current();
  if (!set) {
    set = std::make_unique<ResourceSet>();
    const std::uint8_t* begin = winemu_res_begin;
    const std::uint8_t* end = winemu_res_end;
    if (begin && end && end > begin) Load(*set, std::span<const std::uint8_t>(begin, static_cast<size_t>(end - begin)));
  }
  return set->entries;
}

void UseResources(std::vector<std::uint8_t> resBytes) {
  auto set = std::make_unique<ResourceSet>();
  set->owned = std::move(resBytes);
  Load(*set, set->owned);
  Current() = std::move(set);
}

const ResEntry* FindResourceEntry(const ResId& type, const ResId& name) {
  for (const ResEntry& e : ProgramResources())
    if (SameId(e.type, type) && SameId(e.name, name)) return &e;
  return nullptr;
}

ResId ResIdFromA(const char* text) {
  ResId id;
  if (IS_INTRESOURCE(text)) {
    id.id = static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(text));
    return id;
  }
  if (text[0] == '#') {
    id.id = static_cast<std::uint16_t>(std::strtoul(text + 1, nullptr, 10));
    return id;
  }
  id.isString = true;
  for (const char* p = text; *p; ++p) id.name.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
  return id;
}

}  // namespace winemu

using namespace winemu;

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  if (hModule && hModule != GetModuleHandleA(nullptr)) return SetError(ERROR_RESOURCE_DATA_NOT_FOUND), nullptr;
  if (!lpName || !lpType) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  ResId type = ResIdFromA(lpType);
  bool typeSeen = false;
  for (const ResEntry& e : ProgramResources())
    if (SameId(e.type, type)) typeSeen = true;
  const ResEntry* e = FindResourceEntry(type, ResIdFromA(lpName));
  if (!e) return SetError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND), nullptr;
  return reinterpret_cast<HRSRC>(const_cast<ResEntry*>(e));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  if (!hResInfo) return SetError(ERROR_INVALID_HANDLE), nullptr;
  auto* e = reinterpret_cast<ResEntry*>(hResInfo);
  return const_cast<std::uint8_t*>(e->data.data());
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
  if (!hResInfo) return SetError(ERROR_INVALID_HANDLE), 0;
  return static_cast<DWORD>(reinterpret_cast<ResEntry*>(hResInfo)->data.size());
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }
