#include "script.h"

#include <cctype>
#include <charconv>

#include "machine/printable.h"

namespace winemu::ui {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// A decimal number; false for anything else, a value out of range of long long included.
bool Number(std::string_view word, long long& value) {
  if (word.empty()) return false;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size();
}

constexpr long long kMaxId = 0xFFFF;  // control, command and button ids are 16-bit in templates

}  // namespace

std::optional<std::string> KeyName(std::string_view name) {
  static const char* const kNames[] = {"Tab", "Shift+Tab", "Space", "Enter", "Escape", "Up",
                                       "Down", "Left", "Right", "Home", "End"};
  std::string wanted = Lower(name);
  for (const char* k : kNames)
    if (Lower(k) == wanted) return std::string(k);
  return std::nullopt;
}

ScriptParseResult ParseScript(std::string_view bytes) {
  ScriptParseResult result;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= bytes.size()) {
    size_t end = bytes.find('\n', pos);
    std::string_view raw = bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? bytes.size() + 1 : end + 1;
    ++lineNo;
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    auto fail = [&](const std::string& why) {
      result.error = "line " + std::to_string(lineNo) + ": " + why;
      result.actions.clear();
      return result;
    };
    if (line.find('\0') != std::string_view::npos) return fail("the line holds a NUL byte");
    std::vector<std::string_view> words = Words(line);
    std::string verb = Lower(words[0]);
    Action a;
    a.line = lineNo;
    if (verb == "expect") {
      std::string_view text = Trim(line.substr(words[0].size()));
      if (text.empty()) return fail("expect needs the text to look for");
      a.kind = Action::Kind::Expect;
      a.text = std::string(text);
      a.source = std::string(line);
      result.actions.push_back(a);
      continue;
    }
    if (size_t hash = line.find(" #"); hash != std::string_view::npos) {
      line = Trim(line.substr(0, hash));
      words = Words(line);
      if (words.empty()) continue;  // a comment after blanks
    }
    a.source = std::string(line);
    auto numbers = [&](size_t count, std::vector<long long>& out) -> bool {
      if (words.size() != count + 1) return false;
      for (size_t i = 1; i <= count; ++i) {
        long long v = 0;
        if (!Number(words[i], v)) return false;
        out.push_back(v);
      }
      return true;
    };
    std::vector<long long> n;
    if (verb == "click") {
      if (!numbers(1, n) || n[0] < 0 || n[0] > kMaxId) return fail("click needs one control id from 0 to 65535");
      a.kind = Action::Kind::Click;
      a.id = static_cast<int>(n[0]);
    } else if (verb == "select") {
      if (!numbers(2, n) || n[0] < 0 || n[0] > kMaxId || n[1] < 0 || n[1] > 0x7FFFFFFF)
        return fail("select needs a list box id from 0 to 65535 and an entry index from 0 to 2147483647");
      a.kind = Action::Kind::Select;
      a.id = static_cast<int>(n[0]);
      a.index = static_cast<int>(n[1]);
    } else if (verb == "key") {
      if (words.size() != 2) return fail("key needs one key name");
      std::optional<std::string> name = KeyName(words[1]);
      if (!name) return fail("unknown key '" + Printable(words[1]) + "' (Tab, Shift+Tab, Space, Enter, Escape, Up, Down, Left, Right, Home, End)");
      a.kind = Action::Kind::Key;
      a.key = *name;
    } else if (verb == "sysmenu") {
      if (!numbers(1, n) || n[0] < 0 || n[0] > kMaxId) return fail("sysmenu needs one command id from 0 to 65535");
      a.kind = Action::Kind::SysMenu;
      a.id = static_cast<int>(n[0]);
    } else if (verb == "close" || verb == "dump") {
      if (words.size() != 1) return fail(verb + " takes no arguments");
      a.kind = verb == "close" ? Action::Kind::Close : Action::Kind::Dump;
    } else if (verb == "wait") {
      if (!numbers(1, n) || n[0] < 0 || n[0] > 0xFFFFFFFFLL)
        return fail("wait needs a number of milliseconds from 0 to 4294967295");
      a.kind = Action::Kind::Wait;
      a.ms = static_cast<std::uint32_t>(n[0]);
    } else if (verb == "answer") {
      a.kind = Action::Kind::Answer;
      if (words.size() == 2) {
        long long v = 0;
        if (!Number(words[1], v) || v < 0 || v > kMaxId) return fail("answer takes a button id from 0 to 65535 or nothing");
        a.answerId = static_cast<int>(v);
      } else if (words.size() > 2) {
        return fail("answer takes a button id from 0 to 65535 or nothing");
      }
    } else {
      return fail("unknown action '" + Printable(words[0]) +
                  "' (click, select, key, sysmenu, close, wait, answer, dump, expect)");
    }
    result.actions.push_back(a);
  }
  return result;
}

}  // namespace winemu::ui
