// A contest log of `qsos` QSOs (bench/common/contest_log_builder.h) in a fresh data folder,
// renumbered once and its points stored, as the window leaves it; the main window's tables on
// it and the services a log window needs beside the contest store's, with the prefix tables the
// build made from cty.csv when the benchmark names them. OpenWindow makes the log window on it
// offscreen, as RunContestLog makes it. Needs the application object and the reference tables
// of the benchmark's main().
#pragma once

#include <memory>
#include <optional>

#include "bench/common/contest_log_builder.h"
#include "bench/common/contest_store.h"
#include "bench/common/prefix_tables_copy.h"
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
  // `prefix_tables`: the build's prefix tables (PREFIX_TABLES_DIR), copied into the data folder
  // and opened as the program opens them at its start; none: the tables stay closed and the
  // window knows no call's prefix.
  WindowRig(const Contest& contest, int qsos, bool shared = false,
            const char* prefix_tables = nullptr)
      : store_(contest.code, contest.class_index, shared), catalogue_(store_.Catalogue()) {
    using common::Service;
    Service<logbook::ToDatCall>::Create();
    Service<logbook::ToDatPrefix>::Create();
    if (prefix_tables != nullptr) {
      CopyPrefixTables(prefix_tables, store_.Folder());
      prefix_tables_open_ = true;
      Require(
          Service<logbook::ToDatPrefix>::Get().OpenFiles(logbook::ToDatPrefix::kStartupBits, false),
          "the prefix tables did not open");
    }
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
    if (prefix_tables_open_) {
      Service<logbook::ToDatPrefix>::Get().CloseFiles(logbook::ToDatPrefix::kStartupBits, false);
    }
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
  bool prefix_tables_open_ = false;
};

}  // namespace bench
