// Registry files in regedit's format: what is read is written back, and that reads to the same keys.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winemu/advapi32/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const unsigned codePages[] = {1252, 936, 950, 932};
  unsigned codePage = codePages[data[0] % 4];
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  auto parsed = winemu::reg::ParseRegFile(bytes, "fuzz.reg", codePage);
  if (!parsed.error.empty()) return 0;
  std::string text, error;
  if (!winemu::reg::WriteRegFile(parsed.keys, codePage, text, error)) return 0;
  auto again = winemu::reg::ParseRegFile(text, "again.reg", codePage);
  std::string textAgain;
  if (!again.error.empty() || !winemu::reg::WriteRegFile(again.keys, codePage, textAgain, error) || textAgain != text)
    __builtin_trap();
  return 0;
}
