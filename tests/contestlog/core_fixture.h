// A log window's core on a fixture log, without a window: the main window's tables, the core
// with its log open, and the entry in hand set as the entry cycle sets it.
//
//   LogBuilder b('W');
//   b.Create(); b.Add(...);
//   CoreOnLog on(b);
//   on.core.CurrentBand = 'c';
//   on.Enter(Qso("OE1XYZ", 'c', kContestDay, 3600));   // evaluates the entry live
#pragma once

#include <gtest/gtest.h>

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

}  // namespace contestlog_test
