#include "script_driver.h"

#include <cstdio>

#include "machine/printable.h"
#include "user32/wnd.h"
#include "actions.h"
#include "dump.h"

namespace winemu::ui {
namespace {

using user32::UiError;

std::string Where(const Action& a) {
  return a.line ? "script line " + std::to_string(a.line) + ": " + Printable(a.source) + ": " : Printable(a.source) + ": ";
}

Action Make(Action::Kind kind, std::string source) {
  Action a;
  a.kind = kind;
  a.source = std::move(source);
  return a;
}

}  // namespace

ScriptDriver::ScriptDriver() : ScriptDriver(std::vector<Action>{}, false) {}

ScriptDriver::ScriptDriver(std::vector<Action> actions) : ScriptDriver(std::move(actions), false) {}

ScriptDriver::ScriptDriver(std::vector<Action> actions, bool forRun) : print_(forRun), installed_(!forRun) {
  for (Action& a : actions) steps_.push_back(Entry{std::move(a), nullptr});
  if (installed_) SetTestDriver(this);
}

ScriptDriver::~ScriptDriver() {
  if (installed_ && TestDriver() == this) SetTestDriver(nullptr);
}

std::unique_ptr<ScriptDriver> ScriptDriver::ForRun(std::vector<Action> actions, bool screens) {
  std::unique_ptr<ScriptDriver> driver(new ScriptDriver(std::move(actions), true));
  if (screens) driver->screens_.emplace();
  return driver;
}

void ScriptDriver::Print(const std::string& text) const {
  if (!print_ || text.empty()) return;
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
}

ScriptDriver& ScriptDriver::Add(Action a) {
  steps_.push_back(Entry{std::move(a), nullptr});
  return *this;
}

ScriptDriver& ScriptDriver::Click(int id) {
  Action a = Make(Action::Kind::Click, "click " + std::to_string(id));
  a.id = id;
  return Add(a);
}

ScriptDriver& ScriptDriver::Select(int id, int index) {
  Action a = Make(Action::Kind::Select, "select " + std::to_string(id) + " " + std::to_string(index));
  a.id = id;
  a.index = index;
  return Add(a);
}

ScriptDriver& ScriptDriver::Key(const std::string& name) {
  Action a = Make(Action::Kind::Key, "key " + name);
  a.key = KeyName(name).value_or(name);
  return Add(a);
}

ScriptDriver& ScriptDriver::SysMenu(int command) {
  Action a = Make(Action::Kind::SysMenu, "sysmenu " + std::to_string(command));
  a.id = command;
  return Add(a);
}

ScriptDriver& ScriptDriver::Close() { return Add(Make(Action::Kind::Close, "close")); }

ScriptDriver& ScriptDriver::Wait(std::uint32_t ms) {
  Action a = Make(Action::Kind::Wait, "wait " + std::to_string(ms));
  a.ms = ms;
  return Add(a);
}

ScriptDriver& ScriptDriver::Answer() { return Add(Make(Action::Kind::Answer, "answer")); }

ScriptDriver& ScriptDriver::Answer(int id) {
  Action a = Make(Action::Kind::Answer, "answer " + std::to_string(id));
  a.answerId = id;
  return Add(a);
}

ScriptDriver& ScriptDriver::Dump() { return Add(Make(Action::Kind::Dump, "dump")); }

ScriptDriver& ScriptDriver::Expect(const std::string& text) {
  Action a = Make(Action::Kind::Expect, "expect " + text);
  a.text = text;
  return Add(a);
}

ScriptDriver& ScriptDriver::Then(std::function<void()> step) {
  steps_.push_back(Entry{Make(Action::Kind::Dump, "(C++ step)"), std::move(step)});
  return *this;
}

std::string ScriptDriver::NextSource() const {
  if (next_ >= steps_.size()) return {};
  const Action& a = steps_[next_].action;
  return a.line ? "line " + std::to_string(a.line) + ": " + Printable(a.source) : Printable(a.source);
}

void ScriptDriver::Step() {
  if (next_ >= steps_.size()) {
    if (MessageBoxOpen())
      throw UiError("the script ended while a message box waits for an answer (" + MessageBoxSummary() + ")");
    throw UiError("the script ended while the program waits for input");
  }
  Entry& e = steps_[next_++];
  if (e.code) {
    e.code();
    return;
  }
  const Action& a = e.action;
  if (screens_) Print(screens_->Next());
  bool forBox = a.kind == Action::Kind::Answer || a.kind == Action::Kind::Dump || a.kind == Action::Kind::Expect;
  if (MessageBoxOpen() && !forBox)
    throw UiError(Where(a) + "a message box is open (" + MessageBoxSummary() + "); answer it first");
  try {
    Perform(a);
  } catch (const UiError& failure) {
    throw UiError(Where(a) + failure.what());
  }
}

void ScriptDriver::Perform(const Action& a) {
  switch (a.kind) {
    case Action::Kind::Click: ui::Click(a.id); break;
    case Action::Kind::Select: ui::Select(a.id, a.index); break;
    case Action::Kind::Key: ui::Key(a.key); break;
    case Action::Kind::SysMenu: ui::SysMenu(a.id); break;
    case Action::Kind::Close: ui::Close(); break;
    case Action::Kind::Wait: ui::Wait(a.ms); break;
    case Action::Kind::Answer: ui::Answer(a.answerId); break;
    case Action::Kind::Dump: {
      std::string text = DumpActive();
      dumps_.push_back(text);
      Print(text);
      break;
    }
    case Action::Kind::Expect: {
      std::string text = DumpActive();
      if (text.find(a.text) != std::string::npos) break;
      Print(text);
      throw UiError("the active window shows no \"" + a.text + "\"");
    }
  }
}

}  // namespace winemu::ui
