#include "outcome.h"

#include <vector>

#include "machine/quoted.h"

namespace winemu::ui {
namespace {

struct Entry {
  std::string kind;
  std::string detail;
};

// "TIME KIND DETAIL" lines, one record each.
std::vector<Entry> Entries(std::string_view log) {
  std::vector<Entry> entries;
  while (!log.empty()) {
    size_t end = log.find('\n');
    std::string_view line = log.substr(0, end);
    log = end == std::string_view::npos ? std::string_view() : log.substr(end + 1);
    size_t kindStart = line.find(' ');
    if (kindStart == std::string_view::npos) continue;
    size_t kindEnd = line.find(' ', kindStart + 1);
    std::string_view kind = line.substr(kindStart + 1, kindEnd == std::string_view::npos ? kindEnd : kindEnd - kindStart - 1);
    std::string_view detail = kindEnd == std::string_view::npos ? std::string_view() : line.substr(kindEnd + 1);
    entries.push_back({std::string(kind), std::string(detail)});
  }
  return entries;
}

// The text of a message box record (its last field), its line breaks and tabs shown as spaces.
std::string MessageText(const std::string& detail) {
  size_t at = detail.find(" text=\"");
  std::string_view quoted = at == std::string::npos ? std::string_view(detail) : std::string_view(detail).substr(at + 7);
  if (!quoted.empty() && quoted.back() == '"') quoted.remove_suffix(1);
  std::string out;
  for (char c : Unescaped(quoted)) {
    if (c == '\r') continue;
    out += (c == '\n' || c == '\t') ? ' ' : c;
  }
  return out;
}

}  // namespace

std::optional<std::string> RunOutcome(std::string_view traceLog) {
  std::optional<std::string> outcome;
  bool exited = false;
  for (const Entry& e : Entries(traceLog)) {
    if (e.kind == "process.start") {
      outcome = "ended silently";
      exited = false;
    } else if (e.kind == "msgbox") {
      outcome = "ended with the message \"" + MessageText(e.detail) + "\"";
    } else if (e.kind == "dialog.end" && e.detail.rfind("owner=none ", 0) == 0 &&
               e.detail.size() >= 9 && e.detail.compare(e.detail.size() - 9, 9, " result=2") == 0) {
      outcome = "was cancelled";
    } else if (e.kind == "process.exit") {
      exited = true;
    }
  }
  if (!exited) return std::nullopt;
  return outcome;
}

}  // namespace winemu::ui
