// The script language: one action a line; blank lines and lines starting with '#' are skipped;
// ids and numbers are decimal; a trailing " # comment" ends any action but expect.
//
//   click ID           a mouse click on control ID of the active window
//   select ID INDEX    a mouse click on entry INDEX of list box ID
//   key NAME           Tab, Shift+Tab, Space, Enter, Escape, Up, Down, Left, Right, Home, End
//   sysmenu CMD        system-menu command CMD of the active window
//   close              the close box of the active window
//   wait MS            MS milliseconds pass; due timers fire in order
//   answer [ID]        the open message box is answered with button ID (its default button)
//   dump               prints the active window and its controls (UTF-8)
//   expect TEXT        fails unless the active window's dump contains TEXT (the rest of the line)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winemu::ui {

struct Action {
  enum class Kind { Click, Select, Key, SysMenu, Close, Wait, Answer, Dump, Expect };
  Kind kind = Kind::Dump;
  int line = 0;        // 0 for an action made in C++
  std::string source;  // the action as written
  int id = 0;          // click, select, sysmenu, answer
  int index = 0;       // select
  std::optional<int> answerId;
  std::string key;     // key: the name as listed above
  std::uint32_t ms = 0;
  std::string text;    // expect
};

struct ScriptParseResult {
  std::vector<Action> actions;
  std::string error;  // "line N: ..." for the first line that cannot be read
};

ScriptParseResult ParseScript(std::string_view bytes);

// The canonical spelling of a key name ("shift+tab" -> "Shift+Tab"), none for an unknown one.
std::optional<std::string> KeyName(std::string_view name);

}  // namespace winemu::ui
