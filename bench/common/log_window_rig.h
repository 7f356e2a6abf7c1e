// A contest log of `qsos` QSOs (bench/common/contest_log_builder.h) in a fresh data folder,
// renumbered once and its points stored, as the window leaves it; the main window's tables on
// it and the services a log window needs beside the contest store's. OpenWindow makes the log
// window on it offscreen, as RunContestLog makes it. Needs the application object and the
// reference tables of the benchmark's main().
#pragma once

#include <memory>
#include <optional>

#include "bench/common/contest_log_builder.h"
#include "bench/common/contest_store.h"
#include "common/grid_colours.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix_files.h"

namespace bench {

struct Contest {
  char code;
  int class_index;
};

class WindowRig {
 public:
  static constexpr std::int32_t kLogNumber = 1;

  // `shared`: the driver system in network mode, the log's files shared as with other stations.
  WindowRig(const Contest& contest, int qsos, bool shared = false)
      : store_(contest.code, contest.class_index, shared), catalogue_(store_.Catalogue()) {
    using common::Service;
    Service<logbook::ToDatCall>::Create();
    Service<logbook::ToDatPrefix>::Create();
    Service<logbook::ToLocator>::Create();
    Service<common::GridColours>::Create();
    Service<common::ToWinskal>::Create();
    Service<common::TScreenSS>::Create();
    contest_data_.emplace(contest::kTableKZ, 0);
    Require(Service<contest::TContestFkt>::Get().EnsureContestData(catalogue_.CurrentRef(),
                                                                   catalogue_, *contest_data_),
            "no contest data");
    if (qsos == 0) return;
    StoreContestLog(kLogNumber, ContestLogQsos(store_.Definition(), qsos));
    contestlog::ContestLogCore core(kLogNumber, catalogue_, *contest_data_, store_.Definition());
    core.OpenLog();
    Require(core.RebuildDatabase(false, true) == contestlog::ContestLogCore::Renumbering::kRenumbered,
            "the first renumbering failed");
    core.CurrentBand = store_.Definition().Bands[0];
    core.RecountLog(true);  // the points stored
    core.CloseLog();
  }
  ~WindowRig() {
    using common::Service;
    contest_data_.reset();
    Service<common::TScreenSS>::Destroy();
    Service<common::ToWinskal>::Destroy();
    Service<common::GridColours>::Destroy();
    Service<logbook::ToLocator>::Destroy();
    Service<logbook::ToDatPrefix>::Destroy();
    Service<logbook::ToDatCall>::Destroy();
  }

  // The log window on the log, the first entry cleared; closed (recalculated, renumbered) when
  // freed.
  std::unique_ptr<contestlog::TContestLogStd> OpenWindow() {
    Require(catalogue_.FindByNummer(kLogNumber) && contest_data_->FindByNummer(kLogNumber),
            "the log's records are missing");
    auto window = std::make_unique<contestlog::TContestLogStd>(kLogNumber, catalogue_,
                                                               *contest_data_, store_.Definition());
    window->ClearEntry();
    return window;
  }
  const contest::TContestRec& Definition() const { return store_.Definition(); }
  const std::string& Folder() const { return store_.Folder(); }

 private:
  ContestStore store_;
  contest::TdbContest& catalogue_;
  std::optional<contest::TdbContest> contest_data_;
};

}  // namespace bench
