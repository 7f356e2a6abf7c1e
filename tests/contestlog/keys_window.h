// The log window for the tests of its keys, buttons and lists: a TContestLogStd that records the
// saves and keyer memories asked for, opened over a log as RunContestLog opens it, with the
// buttons whose own work other tests check recording their clicks instead.
//
//   class MyTest : public contestlog_test::KeysWindowTest {};
//   TEST_F(MyTest, ...) {
//     LogBuilder b('.', 4);
//     b.Create();
//     RunKeys(b, b.Definition(), [&](KeysWindow& w) { Press(w, VK_F4); ... });
//   }
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "contestlog/entry_record.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog_test {

class KeysWindow final : public contestlog::TContestLogStd {
 public:
  using TContestLogStd::TContestLogStd;
  void btnSpeichernaClick(platform::qt::TComponent* /*sender*/) override {
    actions.push_back("save");
  }
  void SendCwMemory(int memory) override { actions.push_back("memory " + std::to_string(memory)); }

  contest::TContestLKRec Entry() const { return contestlog::EntryRecord(*this); }

  // The buttons' clicks record their names instead of acting.
  void RecordClicks() {
    const std::pair<contestlog::TSpeedButton*, const char*> buttons[] = {
        {btnCallsuchea, "call search"}, {btnListea, "list"},       {btnNotiza, "note"},
        {btnModea, "mode list"},        {btnBanda, "band list"},   {btnNameqtha, "name qth"},
        {btnKorrektura, "correction"},  {btnCleara, "clear"}};
    for (const auto& [button, name] : buttons) {
      button->OnClick = [this, name = std::string(name)](platform::qt::TComponent*) {
        actions.push_back(name);
      };
    }
  }

  std::vector<std::string> actions;
};

class KeysWindowTest : public LogWindowTest {
 protected:
  void RunKeys(const LogBuilder& b, const contest::TContestRec& definition,
               const std::function<void(KeysWindow&)>& steps) {
    RunOwnWindow(b, definition, steps);
  }

  // The key pressed on the window's focused control, as a person presses it.
  static void Press(platform::qt::TForm& window, std::uint16_t key,
                    platform::qt::TShiftState shift = 0) {
    platform::qt::TWinControl* focused = window.ActiveControl();
    platform::qt::testkit::PressKey(focused != nullptr ? *focused : window, key, shift);
  }
};

}  // namespace contestlog_test
