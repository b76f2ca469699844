// The registry's text form: what it reads it writes back, and reads that again to the same text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winemu/advapi32/reg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const unsigned codePages[] = {1252, 936, 950, 932};
  unsigned codePage = codePages[data[0] % 4];
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  auto parsed = winemu::reg::ParseRegistryText(bytes, "HKLM", codePage);
  if (!parsed.root) return 0;
  std::string text = winemu::reg::SerializeRegistryText(*parsed.root, "HKLM");
  auto again = winemu::reg::ParseRegistryText(text, "HKLM", codePage);
  if (!again.root || winemu::reg::SerializeRegistryText(*again.root, "HKLM") != text) __builtin_trap();
  return 0;
}
