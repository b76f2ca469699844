// INI text as the profile functions read it: any bytes parse, and an untouched document writes back
// byte for byte.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winemu/machine/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  winemu::IniDocument doc = winemu::IniDocument::Parse(bytes);
  if (doc.Serialize() != bytes) __builtin_trap();
  for (const std::string& section : doc.Sections())
    for (const std::string& key : doc.Keys(section)) doc.Get(section, key);
  doc.Set("Setting", "PrinterName", "K7X");
  if (doc.Get("Setting", "PrinterName") != "K7X") __builtin_trap();
  doc.RemoveKey("Setting", "PrinterName");
  doc.RemoveSection("String");
  return 0;
}
