// A log window's core on a fixture log, without a window: the main window's tables, the core
// with its log open, and the entry in hand set as the entry cycle sets it.
//
//   LogBuilder b('W');
//   b.Create(); b.Add(...);
//   CoreOnLog on(b);
//   on.core.CurrentBand = 'c';
//   on.Enter(Qso("OE1XYZ", 'c', kContestDay, 3600));   // evaluates the entry live
//
// Or as a fixture, the log created and the core on a band and mode:
//
//   class MyTest : public contestlog_test::CoreTest {};
//   TEST_F(MyTest, ...) {
//     LogBuilder b('W', 1);
//     ContestLogCore& core = Open(b, 'c', "CW");
//   }
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contestlog/log_core.h"
#include "tests/contestlog/log_fixture.h"

namespace contestlog_test {

struct CoreOnLog {
  explicit CoreOnLog(const LogBuilder& b)
      : main(b.Number()), core(b.Number(), main.catalogue, main.contest_data, b.Definition()) {
    core.OpenLog();
  }
  ~CoreOnLog() { core.CloseLog(); }

  // Puts the QSO into the log table's buffers and evaluates it as the entry cycle does.
  void Enter(const contest::TContestLKRec& entry) {
    core.LogTable->ClearRec();
    core.LogTable->SetLKRec(entry);
    core.EvaluateEntryMultipliers();
  }

  MainTables main;
  contestlog::ContestLogCore core;
};

class CoreTest : public LogTest {
 protected:
  void TearDown() override {
    on_.reset();
    LogTest::TearDown();
  }

  // Creates the log of `builder` (unless it was created already) and opens a core on it with
  // the main window's definition, `band` and `mode` current and an empty entry.
  contestlog::ContestLogCore& Open(LogBuilder& builder, char band, const std::string& mode) {
    if (builder.Number() == 0) builder.Create();
    on_ = std::make_unique<CoreOnLog>(builder);
    on_->core.CurrentBand = band;
    on_->core.CurrentMode = mode;
    on_->core.LogTable->ClearRec();
    return on_->core;
  }

  // The warnings and notices shown so far, as "title|text".
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const common::MessageCall& call : presenter_->calls) {
      shown.push_back(call.title + "|" + call.text);
    }
    return shown;
  }

  std::unique_ptr<CoreOnLog> on_;
};

}  // namespace contestlog_test
