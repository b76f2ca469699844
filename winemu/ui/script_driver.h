// The script driver: actions fed one by one whenever the program waits for input.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "page_screens.h"
#include "script.h"

namespace winemu::ui {

class ScriptDriver : public Driver {
 public:
  // A driver for a test: installed as the test driver for its lifetime; dumps are kept, not printed.
  ScriptDriver();
  explicit ScriptDriver(std::vector<Action> actions);
  ~ScriptDriver() override;
  ScriptDriver(const ScriptDriver&) = delete;
  ScriptDriver& operator=(const ScriptDriver&) = delete;

  // The driver of a run's script: prints its dumps on standard output; not a test driver. With
  // `screens`, each new view is also printed as drawn for the terminal before the action on it.
  static std::unique_ptr<ScriptDriver> ForRun(std::vector<Action> actions, bool screens);

  // Actions, in order (see script.h); each runs the next time the program waits for input.
  ScriptDriver& Click(int id);
  ScriptDriver& Select(int id, int index);
  ScriptDriver& Key(const std::string& name);
  ScriptDriver& SysMenu(int command);
  ScriptDriver& Close();
  ScriptDriver& Wait(std::uint32_t ms);
  ScriptDriver& Answer();
  ScriptDriver& Answer(int id);
  ScriptDriver& Dump();
  ScriptDriver& Expect(const std::string& text);
  // C++ run at that point, while the program waits (a test's checks, a quit request ...).
  ScriptDriver& Then(std::function<void()> step);

  size_t Remaining() const { return steps_.size() - next_; }
  std::string NextSource() const;  // the next action as written, with its line
  const std::vector<std::string>& Dumps() const { return dumps_; }

  void Step() override;

 private:
  struct Entry {
    Action action;
    std::function<void()> code;
  };
  ScriptDriver(std::vector<Action> actions, bool forRun);
  void Print(const std::string& text) const;
  ScriptDriver& Add(Action a);
  void Perform(const Action& a);

  std::vector<Entry> steps_;
  size_t next_ = 0;
  bool print_ = false;
  bool installed_ = false;
  std::vector<std::string> dumps_;
  std::optional<PageScreens> screens_;
};

}  // namespace winemu::ui
