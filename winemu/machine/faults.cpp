#include "faults.h"

#include <cstdint>

#include "ini.h"
#include "numbers.h"
#include "printable.h"

namespace winemu {
namespace {

enum class Takes { Nothing, Count, Bytes, BytesInFolder, Code, Milliseconds, Name, Folder, CountAndPath };

const struct {
  const char* name;
  Takes value;
} kFaults[] = {
    {"readonly_program_dir", Takes::Nothing},  {"disk_full", Takes::BytesInFolder},
    {"getversionex_fails", Takes::Nothing},    {"scm_access_denied", Takes::Nothing},
    {"service_access_denied", Takes::Nothing}, {"service_invalid_name", Takes::Nothing},
    {"service_missing", Takes::Count},         {"stop_pending", Takes::Count},
    {"start_pending", Takes::Count},           {"start_refused", Takes::Code},
    {"spooler_stopped", Takes::Nothing},       {"enum_printers_fails", Takes::Code},
    {"printui_missing", Takes::Nothing},       {"printui_hangs", Takes::Nothing},
    {"printui_noop", Takes::Nothing},          {"printui_duration", Takes::Milliseconds},
    {"held_mutex", Takes::Name},               {"terminate_after", Takes::Count},
    {"readonly_dir", Takes::Folder},           {"user_writer", Takes::CountAndPath},
};

constexpr std::uint64_t kMaxCount = 0x7FFFFFFF;
constexpr std::uint64_t kMaxBytes = 0x7FFFFFFFFFFFFFFF;
constexpr std::uint64_t kMaxDword = 0xFFFFFFFF;

// A full path on drive C: (C:\ and at least one character more).
bool IsPathOnC(std::string_view path) { return path.size() > 3 && EqualsNoCase(path.substr(0, 3), "C:\\"); }

// What a value of that kind may be; none when `value` is one.
std::optional<std::string> ValueProblem(Takes takes, std::string_view value) {
  if (value.empty()) return std::nullopt;  // every fault may be set without a value
  switch (takes) {
    case Takes::Nothing: return "takes no value";
    case Takes::Count:
      if (EqualsNoCase(value, "forever") || ParseNumber(value, kMaxCount)) return std::nullopt;
      return "is not a count from 0 to 2147483647 or 'forever'";
    case Takes::Bytes:
      if (ParseNumber(value, kMaxBytes)) return std::nullopt;
      return "is not a byte count from 0 to 9223372036854775807";
    case Takes::BytesInFolder: {
      size_t at = value.find('@');
      std::string_view folder = at == std::string_view::npos ? "" : value.substr(at + 1);
      if (ParseNumber(value.substr(0, at), kMaxBytes) &&
          (at == std::string_view::npos || IsPathOnC(folder)))
        return std::nullopt;
      return "is not a byte count from 0 to 9223372036854775807, alone or followed by @ and a folder on drive C:";
    }
    case Takes::Name:
      return std::nullopt;
    case Takes::Code:
      if (auto code = ParseNumber(value, kMaxDword); code && *code != 0) return std::nullopt;
      return "is not an error code from 1 to 4294967295";
    case Takes::Milliseconds:
      if (ParseNumber(value, kMaxDword)) return std::nullopt;
      return "is not a number of milliseconds from 0 to 4294967295";
    case Takes::Folder:
      if (IsPathOnC(value)) return std::nullopt;
      return "is not a full path on drive C: (C:\\...)";
    case Takes::CountAndPath:
      if (ParseUserWriter(value)) return std::nullopt;
      return "is not N:PATH, a count from 1 to 2147483647 and a full path on drive C:";
  }
  return "cannot be read";
}

}  // namespace

std::optional<UserWriter> ParseUserWriter(std::string_view value) {
  size_t colon = value.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto count = ParseNumber(value.substr(0, colon), kMaxCount);
  std::string_view path = value.substr(colon + 1);
  if (!count || *count == 0 || !IsPathOnC(path)) return std::nullopt;
  return UserWriter{*count, std::string(path)};
}

std::string FaultNames() {
  std::string out;
  for (const auto& f : kFaults) out.append(out.empty() ? "" : ", ").append(f.name);
  return out;
}

std::optional<std::string> FaultProblem(std::string_view name, std::string_view value) {
  for (const auto& f : kFaults) {
    if (!EqualsNoCase(name, f.name)) continue;
    if (auto why = ValueProblem(f.value, value)) return std::string(f.name) + ": '" + Printable(value) + "' " + *why;
    return std::nullopt;
  }
  return "unknown fault '" + Printable(name) + "' (known: " + FaultNames() + ")";
}

}  // namespace winemu
