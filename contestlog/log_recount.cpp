// The recount of the window's tables and counters from the log, and the recalculation of the
// per-band tallies the reports read (contestlog/log_core.h).
#include <algorithm>
#include <optional>

#include "contest/progress_window.h"
#include "contestlog/band_tallies.h"
#include "contestlog/entry_record.h"
#include "contestlog/log_core.h"
#include "contestlog/log_lock.h"
#include "contestlog/log_tallies.h"
#include "contestlog/multiplier_tables.h"

namespace contestlog {
namespace {

// The kinds in the order the recount refills their tables.
constexpr int kTableOrder[] = {2, 4, 18, 5, 10, 1, 22, 12, 15, 16, 19};
constexpr int kRecalculationSteps = 500;

std::size_t Slot(char band) { return static_cast<unsigned char>(band); }

}  // namespace

void ContestLogCore::RecountLog(bool full) {
  LogLock lock(*LogTable);
  // A log that cannot be read (a repair of its files declined) counts nothing: the counters stay
  // as they were. Held locked, the log cannot be left unfinished during the pass.
  if (LogTable->RepairDeclined()) return;
  // Taken under the lock: a change made after it is seen by the next look.
  if (full) counted_stamp_ = LogTable->ForeignChangeStamp();
  for (contest::WorkedMultiTable& table : WorkedMultis) ClearTable(table);
  TotalMultis = 0;
  for (const int kind : kTableOrder) {
    contest::RecountRequest request(kind, CurrentBand);
    request.table = &WorkedMultis[static_cast<std::size_t>(kind)];
    TotalMultis += Service->RecountMultipliers(request, *LogTable, *Catalogue, Definition);
  }
  if (full) {
    const contest::QsoWalkTotals totals =
        Service->ForEachQso(Definition, PointsRoutine(), *LogTable, false);
    for (std::size_t s = 0; s < BandPoints.size(); ++s) {
      BandPoints[s] = static_cast<std::int32_t>(totals.slot_points[s]);
      BandQsos[s] = totals.slot_qsos[s];
    }
    NextQsoNumber = totals.qso_count;
    CurrentBandQsos = 0;
    LastQsoBand = totals.last_band;
    BandMultis.fill(0);
    if (contest::CountsPerBand(Definition)) {
      for (const char band : Definition.Bands) {
        if (IsBandLetter(band)) SumBandMultipliers(band);
      }
    } else {
      SumBandMultipliers(Definition.Bands[0]);
    }
  }
  TotalPoints = BandPoints[Slot(CurrentBand)];
  CurrentBandQsos = BandQsos[Slot(CurrentBand)];
  ScoreSummaryText();
}

bool ContestLogCore::LogChangedElsewhere() {
  return LogTable->ForeignChangeStamp() != counted_stamp_;
}

bool ContestLogCore::CatchUpWithLog() {
  if (!LogChangedElsewhere()) return false;
  RecountKeepingEntry();
  return true;
}

void ContestLogCore::RecountKeepingEntry() {
  // The walk runs through the record buffer that holds the entry: the entry stands again after.
  const contest::TContestLKRec entry = EntryRecord(*this);
  RecountLog(true);
  SetEntryRecord(*this, entry);
}

void ContestLogCore::SumBandMultipliers(char band) {
  std::int32_t sum = 0;
  for (const int kind : kBandOrder) {
    sum += Service->RecountMultipliers({kind, band}, *LogTable, *Catalogue, Definition);
  }
  BandMultis[contest::CountsPerBand(Definition) ? Slot(band) : 1] += sum;
}

bool ContestLogCore::Recalculate() {
  contest::TContestKKRec log{};
  contest::TContestKZRec data{};
  Catalogue->GetKKRec(log);
  ContestData->GetKZRec(data);
  std::optional<BandTallies> tallies;
  {
    const std::unique_ptr<contest::ProgressWindow> progress =
        ShowProgress("Neuberechnung", kRecalculationSteps);
    // Counted from the log's records, not from this window's counters: the other stations'
    // QSOs count as well.
    tallies = CountBandTallies(*Service, Definition, *Catalogue, *LogTable, progress.get());
  }
  // A log that could not be read counts nothing: the claim stored before stays.
  if (!tallies) return false;
  StoreTallies(*tallies, log, data);
  Catalogue->SetKKRec(log);
  ContestData->SetKZRec(data);
  const bool catalogue_written = Catalogue->UpdateRec();
  const bool data_written = ContestData->UpdateRec();
  return catalogue_written && data_written;
}

}  // namespace contestlog
