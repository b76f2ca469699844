#include "sys/ProgramVersion.h"

#include <windows.h>

#include <cstdio>

namespace {

// VS_VERSIONINFO: wLength, wValueLength, wType, the key L"VS_VERSION_INFO" with its terminator,
// padding to 32 bits, then VS_FIXEDFILEINFO (signature 0xFEEF04BD, struct version, file version
// MS and LS, product version MS and LS, ...).
constexpr char16_t kKey[] = u"VS_VERSION_INFO";
constexpr std::size_t kKeyOffset = 6;
constexpr std::size_t kFixedOffset = 40;
constexpr std::size_t kFixedSize = 52;
constexpr unsigned kSignature = 0xFEEF04BD;

unsigned Word(const unsigned char* at) { return at[0] | at[1] << 8; }
unsigned Dword(const unsigned char* at) { return Word(at) | Word(at + 2) << 16; }

}  // namespace

bool ParseProductVersion(const unsigned char* data, std::size_t size, unsigned& major, unsigned& minor) {
  if (!data || size < kFixedOffset + kFixedSize || Word(data + 2) < kFixedSize) return false;
  for (std::size_t i = 0; i < sizeof kKey / sizeof kKey[0]; ++i)
    if (Word(data + kKeyOffset + 2 * i) != static_cast<unsigned>(kKey[i])) return false;
  const unsigned char* fixed = data + kFixedOffset;
  if (Dword(fixed) != kSignature) return false;
  unsigned productMs = Dword(fixed + 16);
  major = productMs >> 16;
  minor = productMs & 0xFFFF;
  return true;
}

bool ProgramProductVersion(char (&text)[32]) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_VERSION);
  HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  unsigned major = 0, minor = 0;
  bool parsed = ParseProductVersion(static_cast<const unsigned char*>(bytes), bytes ? SizeofResource(nullptr, info) : 0,
                                    major, minor);
  if (loaded) FreeResource(loaded);
  return parsed && std::snprintf(text, sizeof text, "%u.%u", major, minor) > 0;
}
