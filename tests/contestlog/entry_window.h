// The log window for the entry's tests: a TContestLogStd that counts the saves and band switches
// the entry cycle asks for (instead of doing them), opened over a log as RunContestLog opens it.
//
//   class MyTest : public contestlog_test::EntryWindowTest {};
//   TEST_F(MyTest, ...) {
//     LogBuilder b('W', 1);
//     b.Create();
//     RunEntry(b, b.Definition(), [&](EntryWindow& w) { Type(*w.eCall, "dl1abc"); ... });
//   }
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "contestlog/entry_record.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog_test {

class EntryWindow final : public contestlog::TContestLogStd {
 public:
  using TContestLogStd::TContestLogStd;
  void btnSpeichernaClick(platform::qt::TComponent* /*sender*/) override { ++saves; }
  bool SwitchBand(char band) override {
    switches += band;
    return true;
  }

  contest::TContestLKRec Entry() const { return contestlog::EntryRecord(*this); }

  int saves = 0;
  std::string switches;
};

class EntryWindowTest : public LogWindowTest {
 protected:
  void RunEntry(const LogBuilder& b, const contest::TContestRec& definition,
                const std::function<void(EntryWindow&)>& steps) {
    RunOwnWindow(b, definition, steps);
  }

  // The date and time of a QSO typed into their fields.
  static void TypeDateAndTime(EntryWindow& w, const std::string& time = "12:00:00") {
    w.eDatum->SetStr("09.03.2024");
    w.ezeit->SetStr(time);
  }

  // The warnings and notices shown so far, as "title|first line of the text".
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const common::MessageCall& call : presenter_->calls) {
      shown.push_back(call.title + "|" + call.text.substr(0, call.text.find('\r')));
    }
    return shown;
  }
};

}  // namespace contestlog_test
